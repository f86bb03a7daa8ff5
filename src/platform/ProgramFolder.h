#pragma once
#include <QString>
#include <QStringList>

namespace petari {

// The folder the program keeps its work folder and settings exports in:
// $PETARI_HOME when set, else defaultProgramFolder(); made when missing.
// Never the executable's folder, which the program only reads.
QString programFolder();
// $XDG_DATA_HOME/petari, or ~/.local/share/petari when that variable is
// unset or not an absolute path.
QString defaultProgramFolder();

// For tests: forget the cached folder so the rule is applied again.
void resetProgramFolder();

// The read-me and the help file names, as they are shipped.
QString readMeFileName();   // "ペタリ_はじめに読んでください.txt"
QString helpFileName();     // "ペタリのヘルプ.html"

// Where files that ship with the program (read-me, help, icon) are looked
// for, in order: the program folder, so that a copy put there wins; then the
// installation's data folder, <prefix>/share/petari, found beside the
// executable as ../share/petari; then the executable's own folder (a build
// folder holds copies); then the data folder the build was configured for.
QStringList readOnlyFolders(const QString& programFolder);

// The first existing file of that name in readOnlyFolders(), or "".
QString findReadOnlyFile(const QString& programFolder, const QString& name);

class SettingsStore;

// The start-up file: "F5"/"s2" opens "F5"/"s3" at start-up.  Start-up and
// the settings dialog read it here, with one default: nothing stored opens
// the read-me where it is installed; with no read-me anywhere nothing is
// opened and the path is where the read-me would be beside the program.
struct StartupFile {
    bool open = false;
    QString path;
};
StartupFile storedStartupFile(const SettingsStore& store, const QString& programFolder);

}  // namespace petari
