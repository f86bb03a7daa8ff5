#include "platform/ui/KeyboardAccess.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QLabel>
#include <QShortcut>
#include <QVariant>
#include <QWidget>

namespace petari {

namespace {

const char kAnnouncedRole[] = "petariAccessibleRole";

QAccessibleInterface* announced(const QString&, QObject* object)
{
    auto* w = qobject_cast<QWidget*>(object);
    const QVariant role = w ? w->property(kAnnouncedRole) : QVariant();
    return role.isValid() ? new QAccessibleWidget(w, QAccessible::Role(role.toInt())) : nullptr;
}

}  // namespace

QString withAccessKey(const QString& caption, char key)
{
    QString shown = caption;
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    return shown + QLatin1String("(&") + QLatin1Char(key) + QLatin1Char(')');
}

void nameControl(QWidget* control, const QString& name)
{
    control->setAccessibleName(name);
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(name);
}

void nameAfter(QLabel* label, QWidget* control)
{
    nameAfter(label, control, label->text());
}

void nameAfter(QLabel* label, QWidget* control, const QString& name)
{
    label->setBuddy(control);
    nameControl(control, name);
}

void setReadingOrder(std::initializer_list<QWidget*> controls)
{
    QWidget* previous = nullptr;
    for (QWidget* w : controls) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void closeOnEscape(QWidget* window)
{
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

void announceAs(QWidget* widget, QAccessible::Role role)
{
    static const bool installed = [] {
        QAccessible::installFactory(announced);
        return true;
    }();
    (void)installed;
    widget->setProperty(kAnnouncedRole, int(role));
}

}  // namespace petari
