#pragma once
// The frame 「貼り付け」 of the settings dialog: pasting a chosen line into the
// window the user was typing in, the key that calls the program, and the
// icon in the tray.  All off (and no key) until the user turns them on.

#include <QString>

namespace petari {

class SettingsStore;

struct PasteOptions {
    bool pasteToPrevious = false;   // "s10" 「クリックした行を前のウィンドウに貼り付ける」
    QString terminalClasses;        // "s11" windows that paste with Ctrl+Shift+V
    QString callKey;                // "s12" 「呼び出すキー」, as QKeySequence's portable text
    bool trayIcon = false;          // "s13" 「通知領域にアイコンを表示する」
    bool closeToTray = false;       // "s14" 「閉じるときは通知領域にしまう」

    static PasteOptions load(const SettingsStore& store);
    void save(SettingsStore& store) const;
};

// What this desktop allows, for the dialog to say what is not available.
struct DesktopAbilities {
    bool paste = false;
    bool callKey = false;
    bool tray = false;
};

}  // namespace petari
