#pragma once
// What the clipboard needs from the desktop beyond Qt's own clipboard: a
// helper that follows copies made while other windows have the focus, and a
// program that keeps the last copy offered once this one has ended.  One
// interface, one implementation a desktop kind: X11 (platform/x11), Wayland
// (platform/wayland), and nothing at all elsewhere.

#include <QString>
#include <QStringList>

#include <memory>

namespace petari {

// A program to start, with its arguments (no shell); empty when none.
struct ClipboardCommand {
    QString program;
    QStringList arguments;
    bool isEmpty() const { return program.isEmpty(); }
};

class ClipboardDesktop {
public:
    // The clipboard side of the desktop the application runs on
    // (QGuiApplication's platform): never null, at worst one that needs nothing.
    static std::unique_ptr<ClipboardDesktop> forThisDesktop();
    virtual ~ClipboardDesktop() = default;

    // The helper whose standard output relays every copy, running
    // relayProgram for each; empty where QClipboard's own notice of a change
    // is all there is.
    virtual ClipboardCommand watchCommand(const QString& relayProgram) const
    {
        (void)relayProgram;
        return {};
    }
    // The program that reads the text on its standard input and goes on
    // offering it after this program ends; empty when nothing need be done.
    virtual ClipboardCommand keeperCommand() const { return {}; }
};

std::unique_ptr<ClipboardDesktop> makeX11Clipboard();       // platform/x11
std::unique_ptr<ClipboardDesktop> makeWaylandClipboard();   // platform/wayland

}  // namespace petari
