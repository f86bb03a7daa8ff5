#include "platform/WindowPosition.h"

#include <QGuiApplication>

namespace petari {

bool desktopReportsWindowPosition()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace petari
