#include "mainwindow/ui/InputArea.h"

#include "platform/ui/KeyboardAccess.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

namespace petari {

InputArea::InputArea(QWidget* parent) : QPlainTextEdit(parent) { letTabMoveOn(this); }

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

void InputArea::pasteText(QClipboard::Mode mode)
{
    if (isReadOnly())
        return;
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (text.isEmpty())
        return;
    insertPlainText(text);
    ensureCursorVisible();
}

void InputArea::keyPressEvent(QKeyEvent* e)
{
    // Ctrl+V and Shift+Insert.
    if (e->matches(QKeySequence::Paste)) {
        pasteText();
        e->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void InputArea::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu* menu = createStandardContextMenu(e->pos());
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, [this] { pasteText(); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}

void InputArea::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button pastes the X11 selection, the same way.
    if (e->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() && !isReadOnly()) {
        setTextCursor(cursorForPosition(e->position().toPoint()));
        pasteText(QClipboard::Selection);
        e->accept();
        return;
    }
    QPlainTextEdit::mouseReleaseEvent(e);
}

}  // namespace petari
