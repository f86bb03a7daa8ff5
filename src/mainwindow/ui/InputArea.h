#pragma once
#include <QClipboard>
#include <QPlainTextEdit>

namespace petari {

// The input box.  It knows when the user is composing text with an input
// method (fcitx, ibus), so the clipboard monitor can leave it alone until the
// composition ends; and it selects its whole text when it gets the focus.
// Tab and Shift+Tab move on to the next control and back, as from any other
// box; Ctrl+Tab types a tab character.
//
// Pasting takes the clipboard's plain text once and inserts it.  Qt's own
// paste asks the clipboard's data object one question after another (rich
// text? HTML? text?); on X11 each question is a round trip to the owner, and
// when another program takes the clipboard meanwhile the object is deleted
// under Qt's feet and the program crashes.
class InputArea : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit InputArea(QWidget* parent = nullptr);
    bool composing() const { return composing_; }
    // Inserts the plain text of the clipboard (or of the X11 selection) at
    // the cursor; nothing when there is none.
    void pasteText(QClipboard::Mode mode = QClipboard::Clipboard);

protected:
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool composing_ = false;
};

}  // namespace petari
