#include "platform/PortalDialogs.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QStandardPaths>

namespace petari {

namespace {

// The value of "Key=" in the [portal] group of a .portal file.
QStringList listValue(const QString& text, const QString& key)
{
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString l = line.trimmed();
        if (l.startsWith(key + QLatin1Char('=')))
            return l.mid(key.size() + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    return {};
}

}  // namespace

bool portalOffersFileChooser(const QStringList& portalFiles, const QString& currentDesktops)
{
    const QStringList desktops = currentDesktops.toLower().split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& text : portalFiles) {
        if (!listValue(text, QStringLiteral("Interfaces"))
                 .contains(QStringLiteral("org.freedesktop.impl.portal.FileChooser")))
            continue;
        for (const QString& d : listValue(text, QStringLiteral("UseIn")))
            if (desktops.contains(d.trimmed().toLower()))
                return true;
    }
    return false;
}

bool preferPortalFileDialogs()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORMTHEME"))
        return false;
    const QString desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    const QStringList own = desktops.toLower().split(QLatin1Char(':'));
    if (own.contains(QLatin1String("kde")) || own.contains(QLatin1String("gnome")))
        return false;
    const QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                           QStringLiteral("/platformthemes/libqxdgdesktopportal.so");
    if (!QFile::exists(plugin))
        return false;
    QStringList portalFiles;
    for (const QString& folder : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                                           QStringLiteral("xdg-desktop-portal/portals"),
                                                           QStandardPaths::LocateDirectory)) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList({QStringLiteral("*.portal")}, QDir::Files)) {
            QFile f(dir.filePath(name));
            if (f.open(QIODevice::ReadOnly))
                portalFiles << QString::fromUtf8(f.read(64 * 1024));
        }
    }
    if (!portalOffersFileChooser(portalFiles, desktops))
        return false;
    qputenv("QT_QPA_PLATFORMTHEME", "xdgdesktopportal");
    return true;
}

}  // namespace petari
