#pragma once
// What the pages of the generator window have in common: each is one panel
// that builds its controls, reads its keys of the settings section "F2" when
// the window opens and writes them back when it closes, and asks the window
// to close when its work is done.  The pieces the pages build their controls
// from live here too, so that every page names its controls, labels its
// error reports and keeps its option groups the same way.

#include "platform/SettingsSchema.h"

#include <QString>
#include <QWidget>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLayout;
class QLineEdit;
class QPushButton;

namespace petari {

class SettingsStore;

// The pages' settings, all in the window's section.
class PageSettings {
public:
    explicit PageSettings(SettingsStore& store) : store_(store) {}

    bool get(const settings::Flag& s) const;
    // A stored index, by the leading-number rule.
    int get(const settings::Whole& s) const;
    QString get(const settings::Text& s) const;
    QString get(const settings::Text& s, const QString& byDefault) const;

    void set(const settings::Text& s, const QString& value);
    void set(const settings::Flag& s, const QAbstractButton* box);   // "1" or "0"
    void set(const settings::Whole& s, int value);

private:
    SettingsStore& store_;
};

class GeneratorPage : public QWidget {
    Q_OBJECT
public:
    // The panel is named "Picture1_<index>" as the window's pages always were.
    GeneratorPage(int index, QWidget* parent);

    virtual void load(PageSettings& settings) = 0;
    virtual void store(PageSettings& settings) const = 0;
    // The window is closing: what the page owes the document before its
    // settings are written.
    virtual void closing() {}

signals:
    void finished();         // the work is done: the window closes
    void closeRequested();   // "キャンセル", "閉じる": the window closes

protected:
    // The error-report label of one of the window's procedures: "F2 <name>".
    static QString reportLabel(const char* procedure);
    // "<name>_<i>", the name of a control of an indexed series.
    static QString indexed(const char* name, int i);
    static QString caption(const char* utf8);

    static QCheckBox* checkBox(QWidget* parent, const QString& name, const char* text);
    static QPushButton* button(QWidget* parent, const QString& name, const char* text);
    static QLineEdit* lineEdit(QWidget* parent, const QString& name);
    // Option buttons "<name>_0", "<name>_1" … with the captions, added to
    // `into`; each button's id is its index, which is what gets stored.
    static QButtonGroup* optionGroup(QWidget* owner, const char* name, const std::vector<const char*>& captions,
                                     QLayout* into);
    // Checks the stored index; one no button has falls back to the default.
    static void checkStored(QButtonGroup* group, int index, int fallback);
};

}  // namespace petari
