#include "platform/x11/X11Keys.h"

#include <QStringList>
#include <utility>

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

std::vector<quint32> pasteKeysyms(PasteKey how)
{
    constexpr quint32 controlL = 0xffe3, shiftL = 0xffe1, letterV = 0x76, insert = 0xff63;
    switch (how) {
    case PasteKey::CtrlShiftV: return {controlL, shiftL, letterV};
    case PasteKey::ShiftInsert: return {shiftL, insert};
    case PasteKey::CtrlV: break;
    }
    return {controlL, letterV};
}

QString portalTrigger(QKeyCombination key)
{
    const std::optional<X11Key> k = x11KeyFor(key);
    if (!k)
        return QString();
    QString name;
    const quint32 s = k->keysym;
    if ((s >= '0' && s <= '9') || (s >= 'a' && s <= 'z'))
        name = QChar(char(s));
    else if (s >= 0xffbe && s <= 0xffe0)
        name = QStringLiteral("F%1").arg(s - 0xffbe + 1);
    else {
        static const std::pair<quint32, const char*> named[] = {
            {0x20, "space"},     {0xff1b, "Escape"}, {0xff09, "Tab"},   {0xff0d, "Return"},
            {0xff63, "Insert"},  {0xffff, "Delete"}, {0xff50, "Home"},  {0xff57, "End"},
            {0xff51, "Left"},    {0xff52, "Up"},     {0xff53, "Right"}, {0xff54, "Down"},
            {0xff55, "Page_Up"}, {0xff56, "Page_Down"}, {0xff13, "Pause"}, {0xff61, "Print"},
        };
        for (const auto& [sym, text] : named)
            if (sym == s)
                name = QString::fromLatin1(text);
    }
    if (name.isEmpty())
        return QString();
    QStringList parts;
    if (k->modifiers & 4)
        parts << QStringLiteral("CTRL");
    if (k->modifiers & 8)
        parts << QStringLiteral("ALT");
    if (k->modifiers & 1)
        parts << QStringLiteral("SHIFT");
    if (k->modifiers & 64)
        parts << QStringLiteral("LOGO");
    parts << name;
    return parts.join(QLatin1Char('+'));
}

}  // namespace petari
