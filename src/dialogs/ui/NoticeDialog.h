#pragma once
// The notice dialog: a long text in an editable box, up to three buttons and
// an optional check box, in the layout of the request's mode.  Created for
// one request and destroyed when it closes; only its position is kept, in
// settings section "F4".

#include "platform/ui/WindowPlace.h"
#include "services/NoticeRequest.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace petari {

class Document;
class SettingsStore;

class NoticeDialog : public QDialog {
    Q_OBJECT
public:
    // The frame the placement rule counts in the window's size, in twips.
    static constexpr int kFrameHeight = 450;
    static constexpr int kFrameWidth = 70;
    static constexpr int kButtonHeight = 375;

    // settings and document may be null: no position is kept, and the main
    // window's placement is left alone.
    NoticeDialog(const NoticeRequest& request, SettingsStore* settings, Document* document,
          QWidget* parent = nullptr);
    ~NoticeDialog() override;

    int mode() const { return mode_; }
    const NoticeResult& result() const { return result_; }

    QPlainTextEdit* textBox() const { return textBox_; }
    // The row of buttons, 0 to 2 from the left; their captions and actions
    // follow the mode.
    QPushButton* button(int index) const { return buttons_.at(index); }
    // "次回起動時も表示する。", shown with the version notice.
    QCheckBox* showAgainBox() const { return showAgainBox_; }

    // The text box's text with its line ends as CR LF.
    QString text() const;

    // A press of button index (0 to 2): the mode's action for it.
    void pressButton(int index);

    void done(int r) override;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void loadSettings();
    // Caption, text, buttons and check box as the request's mode lays them out.
    void applyMode();
    void placeAlongTheRow();
    void fitToWindowSize();
    // Every close, however the dialog ends.
    void storeSettings();

    NoticeRequest request_;
    SettingsStore* settings_;
    Document* document_;
    int mode_ = 0;
    bool closed_ = false;
    WindowPlace place_;
    NoticeResult result_;
    QPlainTextEdit* textBox_;
    std::array<QPushButton*, 3> buttons_{};
    QCheckBox* showAgainBox_;
};

// Opens NoticeDialog modally for each request, parented to the main window.
class QtNoticePresenter : public NoticePresenter {
public:
    QtNoticePresenter(QWidget* parent, SettingsStore* settings, Document* document)
        : parent_(parent), settings_(settings), document_(document)
    {
    }
    NoticeResult show(const NoticeRequest& request) override;

private:
    QWidget* parent_;
    SettingsStore* settings_;
    Document* document_;
};

}  // namespace petari
