#include "platform/x11/X11Keys.h"

namespace petari {

namespace {

std::optional<quint32> keysymFor(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 0x61 + (key - Qt::Key_A);   // lower-case letters name the key
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return 0xffbe + (key - Qt::Key_F1);
    if (key >= 0x20 && key <= 0x7e)
        return key;   // Latin-1 keysyms are the characters themselves
    switch (key) {
    case Qt::Key_Escape: return 0xff1b;
    case Qt::Key_Tab: return 0xff09;
    case Qt::Key_Backspace: return 0xff08;
    case Qt::Key_Return: return 0xff0d;
    case Qt::Key_Enter: return 0xff8d;
    case Qt::Key_Insert: return 0xff63;
    case Qt::Key_Delete: return 0xffff;
    case Qt::Key_Pause: return 0xff13;
    case Qt::Key_Print: return 0xff61;
    case Qt::Key_Home: return 0xff50;
    case Qt::Key_End: return 0xff57;
    case Qt::Key_Left: return 0xff51;
    case Qt::Key_Up: return 0xff52;
    case Qt::Key_Right: return 0xff53;
    case Qt::Key_Down: return 0xff54;
    case Qt::Key_PageUp: return 0xff55;
    case Qt::Key_PageDown: return 0xff56;
    default: return std::nullopt;
    }
}

}  // namespace

std::optional<X11Key> x11KeyFor(QKeyCombination key)
{
    const std::optional<quint32> sym = keysymFor(key.key());
    if (!sym)
        return std::nullopt;
    X11Key k;
    k.keysym = *sym;
    const Qt::KeyboardModifiers m = key.keyboardModifiers();
    if (m & Qt::ShiftModifier)
        k.modifiers |= 1;
    if (m & Qt::ControlModifier)
        k.modifiers |= 4;
    if (m & Qt::AltModifier)
        k.modifiers |= 8;
    if (m & Qt::MetaModifier)
        k.modifiers |= 64;
    return k;
}

}  // namespace petari
