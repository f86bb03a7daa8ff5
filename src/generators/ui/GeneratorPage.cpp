#include "generators/ui/GeneratorPage.h"

#include "platform/SettingsStore.h"
#include "platform/ui/Widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace petari {

// ============================================================ settings

const QString& PageSettings::section()
{
    static const QString name = QStringLiteral("F2");
    return name;
}

QString PageSettings::read(const QString& key, const QString& def) const { return store_.read(section(), key, def); }

QString PageSettings::read(const char* key, const char* def) const
{
    return read(QString::fromLatin1(key), QString::fromUtf8(def));
}

bool PageSettings::isOn(const char* key, bool def) const { return store_.isOn(section(), QString::fromLatin1(key), def); }

int PageSettings::index(const char* key, int def) const
{
    // Out of range an index picks the default button (checkStored).
    return store_.integer(section(), QString::fromLatin1(key), def, -1, 1000);
}

void PageSettings::write(const QString& key, const QString& value) { store_.write(section(), key, value); }

void PageSettings::write(const char* key, const QString& value) { write(QString::fromLatin1(key), value); }

void PageSettings::writeFlag(const char* key, const QAbstractButton* box)
{
    write(key, box->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void PageSettings::writeNumber(const char* key, int value) { write(key, QString::number(value)); }

// ================================================================ page

GeneratorPage::GeneratorPage(int index, QWidget* parent) : QWidget(parent)
{
    setObjectName(indexed("Picture1", index));
}

QString GeneratorPage::reportLabel(const char* procedure)
{
    return QStringLiteral("F2 ") + QLatin1String(procedure);
}

QString GeneratorPage::indexed(const char* name, int i)
{
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(i);
}

QString GeneratorPage::caption(const char* utf8) { return QString::fromUtf8(utf8); }

QCheckBox* GeneratorPage::checkBox(QWidget* parent, const QString& name, const char* text)
{
    auto* c = new QCheckBox(caption(text), parent);
    c->setObjectName(name);
    return c;
}

QPushButton* GeneratorPage::button(QWidget* parent, const QString& name, const char* text)
{
    return namedButton(parent, name, caption(text));
}

QLineEdit* GeneratorPage::lineEdit(QWidget* parent, const QString& name) { return namedLineEdit(parent, name); }

QButtonGroup* GeneratorPage::optionGroup(QWidget* owner, const char* name, const std::vector<const char*>& captions,
                                         QLayout* into)
{
    auto* group = new QButtonGroup(owner);
    for (int i = 0; i < int(captions.size()); ++i) {
        auto* b = new QRadioButton(caption(captions[i]), owner);
        b->setObjectName(indexed(name, i));
        group->addButton(b, i);
        into->addWidget(b);
    }
    return group;
}

void GeneratorPage::checkStored(QButtonGroup* group, int index, int fallback)
{
    QAbstractButton* b = group->button(index);
    if (!b)
        b = group->button(fallback);
    b->setChecked(true);
}

}  // namespace petari
