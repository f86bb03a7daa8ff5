#pragma once
#include <QPlainTextEdit>

namespace petari {

// The input box.  It knows when the user is composing text with an input
// method (fcitx, ibus), so the clipboard monitor can leave it alone until the
// composition ends; and it selects its whole text when it gets the focus.
class InputArea : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit InputArea(QWidget* parent = nullptr) : QPlainTextEdit(parent) {}
    bool composing() const { return composing_; }

protected:
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    bool composing_ = false;
};

}  // namespace petari
