#pragma once
// The desktop's list of recently used files, $XDG_DATA_HOME/recently-used.xbel
// (~/.local/share when unset): the freedesktop bookmark file that GTK and KDE
// programs read and write, so a file opened or saved here shows in their
// "recent" lists too.

#include <QDateTime>
#include <QString>

namespace petari {

// The list's path under the environment in force.
QString recentFilesPath();

// Adds path (made absolute) to the list at listPath, or marks it used again
// at time when it is there, with this program as one that used it and the
// file's mime type.  The other programs' entries are kept as they are.  The
// list is replaced whole; a list that is too large or is not a bookmark file
// is left alone (returns false with why in *reason), as it is another
// program's to mend.
bool addRecentFile(const QString& path, const QString& listPath = recentFilesPath(),
                   const QDateTime& time = QDateTime::currentDateTimeUtc(), QString* reason = nullptr);

}  // namespace petari
