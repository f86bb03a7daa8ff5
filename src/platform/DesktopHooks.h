#pragma once
// What the desktop lets the program do with other programs' windows: paste a
// chosen line into the window the user was typing in, and call the program
// from anywhere by a key.  One interface, one implementation a desktop kind:
// X11 (platform/x11), wlroots compositors (platform/wayland), and nothing
// at all elsewhere, where the program copies only.

#include <QKeySequence>
#include <QObject>
#include <QStringList>
#include <QWindow>
#include <memory>

namespace petari {

// The terminals that paste with Ctrl+Shift+V, by window class (X11) or app id
// (Wayland), as the settings keep them: names separated by ";".
QString defaultTerminalClasses();
QStringList terminalClassList(const QString& stored);
// Whether a window of these classes (X11 gives an instance and a class name)
// is one of the terminals; compared without regard to case.
bool isTerminalWindow(const QStringList& windowClasses, const QStringList& terminals);

// The key a window takes a paste by.
enum class PasteKey {
    CtrlV,         // most windows
    CtrlShiftV,    // the terminals the settings list
    ShiftInsert,   // the xterm family: the primary selection, which is set first
};
// The xterm family binds no key to the clipboard (Ctrl+Shift+V arrives as a
// control character) and pastes the primary selection with Shift+Insert:
// their window classes, whether or not the settings list them too.
QStringList primaryPasteTerminals();
PasteKey pasteKeyFor(const QStringList& windowClasses, const QStringList& terminals);
// Puts text on the primary selection (X11, and Wayland where the compositor
// keeps one), for a paste by Shift+Insert; its lines end with LF alone.
void setPrimarySelection(const QString& text);

class DesktopHooks : public QObject {
    Q_OBJECT
public:
    // The hooks of the desktop the application runs on (QGuiApplication's
    // platform): never null, at worst one that can do nothing.
    static std::unique_ptr<DesktopHooks> forThisDesktop();
    ~DesktopHooks() override = default;

    // Whether pasteToPrevious can work here.
    virtual bool canPaste() const { return false; }
    // Gives the focus back to the window that had it before this program and
    // sends it its paste key (pasteKeyFor); text is what was just put on the
    // clipboard, and goes on the primary selection for a Shift+Insert.
    virtual void pasteToPrevious(const QString& text, const QStringList& terminals)
    {
        Q_UNUSED(text);
        Q_UNUSED(terminals);
    }
    // The window that had the focus before this program is given it again.
    virtual void focusPrevious() {}
    // Asks the desktop to give window the focus as a pager would, which
    // window managers grant where an application's own request may be refused.
    virtual void activate(QWindow* window) { Q_UNUSED(window); }

    // Whether bindKey can work here; an empty sequence unbinds.  False when
    // the key could not be taken (another program holds it).
    virtual bool canBindKey() const { return false; }
    virtual bool bindKey(const QKeySequence& key) { return key.isEmpty(); }

signals:
    // The bound key was pressed, whichever window had the focus.
    void keyPressed();
    // A paste was sent (true), or could not be (false).
    void pasted(bool sent);
};

// Whether w is one of this program's own windows.
bool isOwnWindow(quintptr windowId);

}  // namespace petari
