#pragma once
// The settings dialog "設定": binds the controls to SettingsForm, which holds
// their values and rules.  Modal; lifts the main window's always-on-top
// placement while it is open.
//
// What the main window picks up after every close, however the dialog
// ended: the clipboard monitor mode from "F5" "20".."22" (the last key that
// is "1" wins; none leaves the mode as it is), the captions of the copy
// menu, and the editor's name in its menu item.  The always-on-top setting
// reaches the document when it is saved and is put back in place when the
// dialog closes.

#include "dialogs/PasteOptions.h"
#include "dialogs/SettingsForm.h"
#include "platform/ui/WindowPlace.h"

#include <QDialog>
#include <array>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace petari {

class Document;
class PasteFrame;
class TopmostLift;
class UserPrompt;

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(Document& doc, UserPrompt& prompt, QWidget* parent = nullptr,
                   const DesktopAbilities& abilities = DesktopAbilities());
    ~SettingsDialog() override;

    const SettingsForm& form() const { return form_; }

    // The buttons: "ＯＫ" saves and closes, "キャンセル" closes without saving
    // and without asking, "更新" saves and stays open (only while it is
    // enabled).
    void saveAndClose();
    void closeWithoutSaving();
    void saveAndKeepOpen();

    // The close box and Esc: ask first when something changed.
    void reject() override;
    void done(int r) override;

signals:
    // A clipboard monitor box was cleared: the monitor stops now (mode 0),
    // not only when the dialog closes.
    void monitorModeChanged(int mode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void loadSettings();
    void connectControls();
    // Shows the form's values and what they enable.
    void showValues();
    void save();
    // Every close: the position is kept and the main window's placement put back.
    void storeSettings();

    Document& doc_;
    UserPrompt& prompt_;
    SettingsForm form_;
    std::unique_ptr<TopmostLift> lift_;
    bool closed_ = false;
    WindowPlace place_;

    // "起動時の設定"
    QCheckBox* openAtStartupBox_ = nullptr;
    QPushButton* chooseStartupFileButton_ = nullptr;
    QLabel* startupFileLabel_ = nullptr;
    QCheckBox* refuseSecondCopyBox_ = nullptr;
    // "使用中の設定"
    QCheckBox* alwaysOnTopBox_ = nullptr;
    QCheckBox* keepBackupsBox_ = nullptr;
    QCheckBox* breakLongLinesBox_ = nullptr;
    QLabel* lineLengthLabel_ = nullptr;
    QLineEdit* lineLengthBox_ = nullptr;
    QLineEdit* splitTextBox_ = nullptr;
    QLabel* splitTextShownLabel_ = nullptr;
    QLabel* editorPathLabel_ = nullptr;
    QPushButton* chooseEditorButton_ = nullptr;
    QLineEdit* editorNameBox_ = nullptr;
    // "コピー時の変換"
    QPushButton* clearChecksButton_ = nullptr;
    QCheckBox* annotationOnBox_ = nullptr;
    QLabel* annotationLabel_ = nullptr;
    QLineEdit* annotationBox_ = nullptr;
    QLabel* annotationShownLabel_ = nullptr;
    std::array<QCheckBox*, 7> conversionBoxes_{};   // by SettingsForm::Conversion
    QCheckBox* trimLeadingBox_ = nullptr;
    QCheckBox* trimTrailingBox_ = nullptr;
    QCheckBox* breakSingleLineBox_ = nullptr;
    // "クリップボードの内容を入力場所に": show, add, add on a new line
    std::array<QCheckBox*, 3> monitorBoxes_{};
    // "終了時の設定"
    QCheckBox* askOnExitBox_ = nullptr;
    QPushButton* updateButton_ = nullptr;
    // "貼り付け"
    DesktopAbilities abilities_;
    PasteFrame* pasteFrame_ = nullptr;
};

}  // namespace petari
