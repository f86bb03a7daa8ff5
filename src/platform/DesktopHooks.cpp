#include "platform/DesktopHooks.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>

namespace petari {

std::unique_ptr<DesktopHooks> makeX11Hooks();       // platform/x11
std::unique_ptr<DesktopHooks> makeWaylandHooks();   // platform/wayland

QString defaultTerminalClasses()
{
    return QStringLiteral(
        "Alacritty;kitty;foot;footclient;gnome-terminal-server;org.gnome.Terminal;"
        "org.gnome.Console;konsole;org.kde.konsole;xfce4-terminal;mate-terminal;lxterminal;"
        "qterminal;terminator;tilix;com.gexperts.Tilix;wezterm;org.wezfurlong.wezterm;st-256color;"
        "sakura;terminology");
}

QStringList terminalClassList(const QString& stored)
{
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    return stored.split(separators, Qt::SkipEmptyParts);
}

bool isTerminalWindow(const QStringList& windowClasses, const QStringList& terminals)
{
    for (const QString& c : windowClasses)
        for (const QString& t : terminals)
            if (!c.isEmpty() && c.compare(t, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

QStringList primaryPasteTerminals()
{
    return {QStringLiteral("xterm"),  QStringLiteral("uxterm"),       QStringLiteral("rxvt"),
            QStringLiteral("urxvt"),  QStringLiteral("rxvt-unicode"), QStringLiteral("aterm"),
            QStringLiteral("mrxvt"),  QStringLiteral("kterm"),        QStringLiteral("Eterm")};
}

PasteKey pasteKeyFor(const QStringList& windowClasses, const QStringList& terminals)
{
    // Before the settings' list: older default lists named xterm there.
    if (isTerminalWindow(windowClasses, primaryPasteTerminals()))
        return PasteKey::ShiftInsert;
    return isTerminalWindow(windowClasses, terminals) ? PasteKey::CtrlShiftV : PasteKey::CtrlV;
}

void setPrimarySelection(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    // A terminal turns each LF of a paste into Enter, and a CR too: lines
    // ended by CR LF would each be followed by an empty one.
    if (clipboard && clipboard->supportsSelection())
        clipboard->setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), QClipboard::Selection);
}

bool isOwnWindow(quintptr windowId)
{
    if (windowId == 0)
        return false;
    const auto windows = QGuiApplication::topLevelWindows();
    for (const QWindow* w : windows)
        if (w->handle() && w->winId() == windowId)
            return true;
    return false;
}

std::unique_ptr<DesktopHooks> DesktopHooks::forThisDesktop()
{
    const QString platform = QGuiApplication::platformName();
    std::unique_ptr<DesktopHooks> hooks;
    if (platform == QLatin1String("xcb"))
        hooks = makeX11Hooks();
    else if (platform.startsWith(QLatin1String("wayland")))
        hooks = makeWaylandHooks();
    return hooks ? std::move(hooks) : std::make_unique<DesktopHooks>();
}

}  // namespace petari
