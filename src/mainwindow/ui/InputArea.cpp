#include "mainwindow/ui/InputArea.h"

#include <QInputMethodEvent>
#include <QTimer>

namespace petari {

void InputArea::inputMethodEvent(QInputMethodEvent* e)
{
    composing_ = !e->preeditString().isEmpty();
    QPlainTextEdit::inputMethodEvent(e);
}

void InputArea::focusInEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusInEvent(e);
    // After the click that gave the focus has placed the cursor.
    QTimer::singleShot(0, this, [this] { selectAll(); });
}

}  // namespace petari
