#pragma once
// What a caller hands to the notice dialog, what the dialog hands back, and
// the rules of its five layouts.  The dialog itself (NoticeDialog) is widget code;
// everything it decides is here so that it can be checked without a window.

#include <QString>
#include <QStringList>
#include <array>

namespace petari {

// Filled by the caller immediately before the dialog opens.
struct NoticeRequest {
    QString mode;     // a decimal digit: "0" known error, "1" unexpected error,
                      // "3" version information, "4" edit selected lines,
                      // "5" version notice
    QString caption;  // the window title
    QString body;     // the text shown; lines end in CR LF
    QString extra;    // mode "5" only: the check box's initial state
};

// What pressing a button means in a mode.
enum class NoticeAction {
    Close,        // close; work continues
    EndProgram,   // close and end the program without its questions
    Modify,       // replace the selected lines by the edited text, close
    Acknowledge,  // store the check box (unless it is fixed), close
    Restore,      // "再表示": the body text back into the box; stays open
};

NoticeAction noticeAction(int mode, int button);

// How the dialog looks in a mode: a button with an empty caption is hidden.
struct NoticeLayout {
    std::array<QString, 3> captions;
    bool checkVisible = true;
    bool checkChecked = false;
    bool checkEnabled = true;
};

// The mode number of a mode text: its leading number, 0 when there is none.
int noticeMode(const QString& modeText);
NoticeLayout noticeLayout(int mode, const QString& extra);

// Mode "5" with the extra text "2": the check box is fixed and its answer
// is never stored.
bool isFixedNotice(const QString& extra);

// What came back when the dialog closed.
struct NoticeResult {
    int button = -1;   // the button that closed it; -1 for the close box
    NoticeAction action = NoticeAction::Close;   // what that button means
    bool checked = false;   // the check box when it closed
    QString text;           // the text box when it closed, lines ending in CR LF
};

// Shows a request modally and returns when the dialog has closed.
class NoticePresenter {
public:
    virtual ~NoticePresenter() = default;
    virtual NoticeResult show(const NoticeRequest& request) = 0;
};

// The body text as a text box shows it (breaks as LF) and back (CR LF).
QString noticeTextForDisplay(const QString& text);
QString noticeTextFromDisplay(const QString& text);

// Text lines joined as the notice dialog's body: each followed by CR LF.
QString joinNoticeLines(const QStringList& lines);

// The placement rule of NoticeDialog's controls on resizing, in twips, from the
// window's outer size and the buttons' height.  Applies only while the
// window is taller than 800 and wider than 120 twips; otherwise applies is
// false and the controls stay where they are.
struct NoticeGeometry {
    bool applies = false;
    int buttonsTop = 0;
    int checkTop = 0;
    int textHeight = 0;
    int textWidth = 0;
};
NoticeGeometry noticeGeometry(int windowHeight, int windowWidth, int buttonHeight);

}  // namespace petari
