#pragma once
// A key as X11 grabs it (a keysym and a modifier mask), and as the XDG
// desktop portal's GlobalShortcuts triggers name it, by the same keysym.

#include "platform/DesktopHooks.h"

#include <QKeyCombination>
#include <QString>
#include <optional>
#include <vector>

namespace petari {

struct X11Key {
    quint32 keysym = 0;
    quint16 modifiers = 0;   // ShiftMask 1, ControlMask 4, Mod1Mask 8 (Alt), Mod4Mask 64 (Super)
    bool operator==(const X11Key& o) const { return keysym == o.keysym && modifiers == o.modifiers; }
};

// Nothing for a key X11 cannot name here, or for a modifier alone.
std::optional<X11Key> x11KeyFor(QKeyCombination key);

// The keysyms a paste presses, modifiers first; they are released in reverse.
std::vector<quint32> pasteKeysyms(PasteKey how);

// "CTRL+SHIFT+v", as xdg-desktop-portal's GlobalShortcuts takes a preferred
// key; "" when the key has no name here (the desktop then lets the user choose).
QString portalTrigger(QKeyCombination key);

}  // namespace petari
