#pragma once
// The settings dialog without its window: what each control holds, how the
// controls exclude and enable each other, the line-length box's number, the
// file choosers, and the saving of section "F5".  The window (ui/SettingsDialog)
// shows these values and hands every user action to this class.

#include "platform/SettingsSchema.h"

#include <QString>
#include <array>

namespace petari {

class SettingsStore;
class UserPrompt;

// The controls' contents.  Each member names the control and the "F5" key.
struct SettingsFormValues {
    // Frame "起動時の設定"
    bool openAtStartup = false;        // Check4, "s2"
    QString startupFile;               // Label4, "s3"
    bool refuseSecondCopy = false;     // Check9_1, "s6"
    // Frame "使用中の設定"
    bool alwaysOnTop = false;          // Check7, "s4"
    bool keepBackups = true;           // Check9_2, "s7"
    bool breakLongLines = false;       // Check9_3, "s8"
    QString lineLength;                // Text5, "s1"
    QString splitText;                 // Text10_1, "st_t101"
    QString editorPath;                // Label3_13, "exe1"
    QString editorName;                // Text10_3, "exe2"
    // Frame "コピー時の変換"
    bool annotationOn = false;         // Check9_4, "s9"
    QString annotation;                // Text10_0, "st_t100"
    std::array<bool, 7> conversions{}; // Check2_0..6, "0".."6"
    bool trimLeading = false;          // Check3_0, "st_c30"
    bool trimTrailing = false;         // Check3_1, "st_c31"
    bool breakSingleLine = false;      // Check1, "st_c10"
    // Frame "クリップボードの内容を入力場所に"
    std::array<bool, 3> monitor{};     // Check10_0..2, "20".."22"
    // Frame "終了時の設定"
    bool askOnExit = false;            // Check9_0, "s5"
};

class SettingsForm {
public:
    // Indexes of the conversion boxes.
    enum Conversion { Lower, Upper, Capitalise, Full, Half, Katakana, Hiragana };

    SettingsForm() = default;

    SettingsFormValues values;

    // Every control from its key, missing keys by their defaults; the form
    // is then unchanged.
    void load(const SettingsStore& store, const QString& programFolder);
    // Writes every key from the controls.  Throws the failure of the line
    // length (which the box never lets through); keys written before it
    // stay written.
    void save(SettingsStore& store) const;

    bool changed() const { return changed_; }
    // A click on a box or button, or a change of a text.
    void markChanged() { changed_ = true; }

    // ---- what is enabled, and the visible forms of the two texts ----
    bool lineLengthEnabled() const { return values.breakLongLines; }
    bool annotationEnabled() const { return values.annotationOn; }
    bool chooseStartupFileEnabled() const { return values.openAtStartup; }
    // Saving while staying open would leave the main window in front of
    // the dialog once it takes the always-on-top setting.
    bool updateEnabled() const { return !values.alwaysOnTop; }
    QString annotationShown() const;
    QString splitTextShown() const;

    // ---- the conversion boxes ----
    // The mouse went down on box index, before the box toggles itself: the
    // conversions that contradict it are cleared.
    void conversionPressed(int index);
    void setConversion(int index, bool on);

    // ---- the clipboard monitor boxes ----
    // Box index set on or off; checking one clears the other two.  Returns
    // true when a box went off, so that the monitor must stop at once.
    bool setMonitor(int index, bool on);

    // ---- "全てのチェックを外す" ----
    void clearAllChecks();

    // ---- the line-length box ----
    // The box received the focus: its text is what a bad entry goes back to.
    void lineLengthFocused() { lineLengthBefore_ = values.lineLength; }
    // The box's text changed.  A number outside −32768..32767 is an overflow
    // failure (thrown) and the text goes back to what it was on focus.
    void lineLengthEdited(const QString& text);
    // The text's number by the leading-number rule, rounded half to even;
    // throws Failure 6 when it does not fit in 16 bits.
    static int lineLengthOf(const QString& text);

    // ---- the file choosers (cancelling changes nothing) ----
    // "ファイルを指定": the start-up file.  True when one was chosen.
    bool chooseStartupFile(UserPrompt& prompt);
    // "参照": an executable file as the editor; its file name becomes the
    // display name.  A file that cannot be run is refused with a message.
    bool chooseEditor(UserPrompt& prompt);

    // ---- buttons and closing ----
    // "更新": save, and the form counts as unchanged again.
    void saveAndKeepOpen(SettingsStore& store);
    // The close box: true when the dialog may close (nothing changed, or
    // the user agreed to drop the changes).
    bool confirmCloseBox(UserPrompt& prompt) const;

    // The question asked on the close box after a change.
    static QString closeQuestion() { return QStringLiteral("設定の変更を更新せずに閉じますか？"); }

private:
    bool changed_ = false;
    QString lineLengthBefore_;
};

// The dialog's position, in twips, kept in "F5".
struct DialogPosition {
    int top = settings::settingsDialogArea.byDefault.top;
    int left = settings::settingsDialogArea.byDefault.left;
    static DialogPosition load(const SettingsStore& store);
    void save(SettingsStore& store) const;
};

}  // namespace petari
