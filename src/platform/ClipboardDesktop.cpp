#include "platform/ClipboardDesktop.h"

#include <QGuiApplication>

namespace petari {

std::unique_ptr<ClipboardDesktop> ClipboardDesktop::forThisDesktop()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
        return makeX11Clipboard();
    if (platform.startsWith(QLatin1String("wayland")))
        return makeWaylandClipboard();
    return std::make_unique<ClipboardDesktop>();
}

}  // namespace petari
