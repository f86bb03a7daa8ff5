#pragma once
// Starting at login, the freedesktop way: a desktop entry in
// $XDG_CONFIG_HOME/autostart (~/.config when unset), which every desktop's
// session starts.  The entry itself is the setting: its presence is "on".

#include <QString>

namespace petari {

// The entry's path under the environment in force.
QString autostartPath();

bool isAutostartOn();

// The Exec value that starts executable with arguments, quoted and escaped
// as desktop entries want: "/opt/my apps/petari" --show.
QString desktopExec(const QString& executable, const QString& arguments);

// The entry that starts executable with the given arguments.
QString autostartEntry(const QString& executable, const QString& arguments);

// Writes the entry (replaced whole) or removes it.  Throws the file's
// Failure; removing an entry that is not there is no failure.
void setAutostart(bool on, const QString& executable, const QString& arguments);

}  // namespace petari
