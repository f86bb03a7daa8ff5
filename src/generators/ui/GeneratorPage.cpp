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

bool PageSettings::get(const settings::Flag& s) const { return store_.get(s); }

// Out of range an index picks the default button (checkStored).
int PageSettings::get(const settings::Whole& s) const { return store_.get(s); }

QString PageSettings::get(const settings::Text& s) const { return store_.get(s); }

QString PageSettings::get(const settings::Text& s, const QString& byDefault) const { return store_.get(s, byDefault); }

void PageSettings::set(const settings::Text& s, const QString& value) { store_.set(s, value); }

void PageSettings::set(const settings::Flag& s, const QAbstractButton* box) { store_.set(s, box->isChecked()); }

void PageSettings::set(const settings::Whole& s, int value) { store_.set(s, value); }

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
