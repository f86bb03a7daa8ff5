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

#include "dialogs/SettingsForm.h"
#include "platform/ui/WindowPlace.h"

#include <QDialog>
#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace petari {

class Document;
class TopmostLift;
class UserPrompt;

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(Document& doc, UserPrompt& prompt, QWidget* parent = nullptr);
    ~SettingsDialog() override;

    const SettingsForm& form() const { return form_; }

    // "ＯＫ", "キャンセル" and "更新" (index 0 to 2).
    void pressButton(int index);

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
    void load();
    void connectControls();
    // Shows the form's values and what they enable.
    void showValues();
    void save();
    void saveAndKeepOpen();
    // Every close: the position is kept and the main window's placement put back.
    void unload();

    Document& doc_;
    UserPrompt& prompt_;
    SettingsForm form_;
    std::unique_ptr<TopmostLift> lift_;
    bool unloaded_ = false;
    WindowPlace place_;

    std::array<QGroupBox*, 5> frame1_{};
    QCheckBox* check4_ = nullptr;
    QPushButton* command3_ = nullptr;
    QLabel* label4_ = nullptr;
    std::array<QCheckBox*, 5> check9_{};
    QCheckBox* check7_ = nullptr;
    std::array<QLabel*, 14> label3_{};
    QLineEdit* text5_ = nullptr;
    std::array<QLineEdit*, 4> text10_{};   // index 2 does not exist
    QPushButton* command4_ = nullptr;
    QPushButton* command1_ = nullptr;
    std::array<QCheckBox*, 7> check2_{};
    std::array<QCheckBox*, 2> check3_{};
    QCheckBox* check1_ = nullptr;
    std::array<QCheckBox*, 3> check10_{};
    std::array<QPushButton*, 3> command2_{};
};

}  // namespace petari
