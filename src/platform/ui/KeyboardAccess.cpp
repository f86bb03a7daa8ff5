#include "platform/ui/KeyboardAccess.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QKeySequenceEdit>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QLabel>
#include <QPlainTextEdit>
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

class CtrlTabTypesTab : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        auto* box = qobject_cast<QPlainTextEdit*>(watched);
        if (box && e->type() == QEvent::KeyPress && !box->isReadOnly()) {
            const auto* key = static_cast<QKeyEvent*>(e);
            if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier) {
                box->insertPlainText(QStringLiteral("\t"));
                return true;
            }
        }
        return false;
    }
};

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
    // A key sequence box types into a line edit of its own, which is what a
    // reader lands on.
    if (auto* keys = qobject_cast<QKeySequenceEdit*>(control))
        for (QLineEdit* edit : keys->findChildren<QLineEdit*>())
            edit->setAccessibleName(name);
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

void letTabMoveOn(QPlainTextEdit* box)
{
    box->setTabChangesFocus(true);
    box->installEventFilter(new CtrlTabTypesTab(box));
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
