#pragma once
// The desktop's own file dialog through xdg-desktop-portal.  Qt shows the
// portal's dialog only under its "xdgdesktopportal" platform theme, which it
// picks by itself inside Flatpak and Snap alone; elsewhere it falls back to
// its own widgets.  So, before the application object exists, the program
// asks for that theme where a portal offers a file chooser to this desktop
// and Qt's theme plugin is installed, unless the user chose a theme.  KDE and
// GNOME are left to their own themes, which show their dialogs already.

#include <QString>
#include <QStringList>

namespace petari {

// Whether one of the portal descriptions (the text of each .portal file of
// xdg-desktop-portal) offers the FileChooser interface to a desktop named in
// currentDesktops (XDG_CURRENT_DESKTOP, names separated by ':').
bool portalOffersFileChooser(const QStringList& portalFiles, const QString& currentDesktops);

// Sets QT_QPA_PLATFORMTHEME=xdgdesktopportal when the above holds for the
// installed portals, the theme plugin exists and nothing set a theme yet.
// Returns whether it did.
bool preferPortalFileDialogs();

}  // namespace petari
