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
    // sends it the paste key: Ctrl+Shift+V to a terminal, else Ctrl+V.
    virtual void pasteToPrevious(const QStringList& terminals) { Q_UNUSED(terminals); }
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
