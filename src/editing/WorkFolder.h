#pragma once
// The work folder "作・ペタリ" beside the program, its sub-folders and its
// description file, and free numbered file names.
//
// Everything here throws petari::Failure; the caller's guard reports it.

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace petari {

QString workFolderName();        // "作・ペタリ"
QString snapshotFolderName();    // "mk_000"
// The snapshot folder of running copy number copy: "mk_" + three digits.
QString snapshotFolderName(int copy);
QString backupFolderName();      // "mk_backup"
QString logFolderName();         // "Log"
QString descriptionFileName();   // "このフォルダの説明.txt"

// base + "/" + name, created as a folder when nothing of that name exists yet.
// A folder of that name is used as it is.  Throws:
//   75 when a file (not a folder) of that name is in the way, since every later
//      write into it would fail, or a symbolic link: the program's files would
//      go wherever it points, over anything there;
//   70 when the folder may not be created (no permission, read-only disk);
//   76 when base does not exist or is not a folder;
//   61 when the disk is full.
QString createFolderIn(const QString& base, const QString& name);

// The twelve lines of the description file.
QStringList descriptionLines(const QDateTime& now = QDateTime::currentDateTime());

// Writes the description file into workFolder (which must exist) when it is
// missing, in CP932 with CR LF line ends.  Returns whether it was written.
// Throws the write's failure.
bool writeDescriptionFile(const QString& workFolder, const QDateTime& now = QDateTime::currentDateTime());

// Removes what a run leaves in its snapshot folder: the snapshot files
// "mkNNNN.txt", their index "index.txt", and the temporary files of either
// that a write cut off left.  Nothing else is touched, links are removed
// as links.  Never throws; returns how many files went.
int removeSnapshotFiles(const QString& folder);

// The work folder of programFolder, created when missing, with its
// description file.  Throws as createFolderIn and writeDescriptionFile, but the work folder
// may be a symbolic link to a folder.
QString ensureWorkFolder(const QString& programFolder);

// A free numbered name beside path: the folder of path + "/" + base + 001 to
// 999 and then 000, the first one for which no "<name>.txt" exists, returned
// without ".txt".  When all thousand exist the last ("000") is returned.  A
// path without a folder part gives names without one (the current folder).
QString freeNumberedName(const QString& path, const QString& base);

}  // namespace petari
