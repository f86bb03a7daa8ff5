#pragma once
// The file name tools without a window: listings of a folder's path,
// sub-folders and files, the case-changing rename of a folder's files, and
// the rename log that undoes it.
//
// Renames never replace a file: the new name is taken with one atomic step
// that fails when the name exists (renameat2 with RENAME_NOREPLACE, or a hard
// link and an unlink where the file system lacks that flag), so nothing
// checked beforehand can be overtaken by another process.  On a volume that
// folds case (vfat, exFAT) the old and new name are one file; the change of
// case then goes through a temporary name.
//
// Functions that touch the disk throw petari::Failure.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

namespace petari {

// ---- listings ----

// Sorts names the way file managers show them: by the locale's collation,
// case-insensitively, digit runs by their value (file2 before file10).
void sortLikeFileManager(QStringList& names);

// The sub-folders of folder (full paths) and its files (names only), sorted
// as above; names that are not UTF-8 decoded by decodeFileName.  Names starting with "." only with showHidden.  Symbolic links
// count as what they point to.  Throws 76 when folder is no folder, 70 when
// it may not be read.
QStringList listSubfolders(const QString& folder, bool showHidden);
QStringList listFiles(const QString& folder, bool showHidden);

// "【パス名】", the folder and each trailing part of it, each part followed
// by "/", then "".  "/home/user/web" gives "/home/user/web/",
// "home/user/web/", "user/web/", "web/"; the root "/" gives "/" alone.
QStringList pathListing(const QString& folder);

// "【フォルダ名】", the last part of each sub-folder path, then "".
QStringList folderListing(const QStringList& subfolderPaths);

// "【ファイル名】", each name (cut before its last "." when withoutExtension),
// then "".  Every name in these listings is shown by visibleFileName, so
// each stays one line.
QStringList fileListing(const QStringList& names, bool withoutExtension);

// archive.tar.gz gives archive.tar.  A leading "." starts a hidden name,
// not an extension: ".bashrc" and ".config.bak" give ".bashrc" and ".config".
QString nameWithoutExtension(const QString& name);

// ---- renaming ----

enum class LetterCase { Lower, Upper };

// One file of a rename run: its name before the run and its new name, ""
// when it was not renamed.
struct RenameRow {
    QString oldName;
    QString newName;
};

// The name in the chosen case when every character of it is a printable
// single-byte character (code page 932 codes 32 to 165); "" otherwise, and
// when the case leaves the name as it is.
QString caseChangedName(const QString& name, LetterCase letterCase);

enum class RenameOutcome {
    Renamed,
    NameTaken,   // another file already has the new name; nothing changed
    NotAFile,    // the old name is missing, or not a regular file
};

// Renames folder/from to folder/to, both plain names, without ever
// replacing a file.  Throws on any other failure (70 no permission, ...).
RenameOutcome renameWithin(const QString& folder, const QString& from, const QString& to);

// Renames the files names of folder into the letter case; a name that
// visibleFileName shows otherwise is never renamed.  rows gets one row
// per name first, and each new name as its rename happens, so that a run
// that fails midway (the failure is thrown) still tells what it did.
// Returns how many files were renamed.
int renameFiles(const QString& folder, const QStringList& names, LetterCase letterCase,
                QVector<RenameRow>& rows);

// ---- the rename log ----

// The header's text for folder: the folder with one "/" at its end.
QString folderWithSlash(const QString& folder);

// logFolder/ファイル名の変更yyyymmdd_hhmmss.txt
QString renameLogPath(const QString& logFolder, const QDateTime& now);

// ",Path =,," + folder/ + "," and one line per row: old + ", → ," + new + ",,",
// the names as visibleFileName shows them.
QStringList renameLogLines(const QString& folder, const QVector<RenameRow>& rows);

// Writes the log of a run into the Log folder of the work folder beside
// programFolder (both made when missing, with the description file), in
// CP932 or, for names it cannot hold, UTF-8 with a byte-order mark; whole
// and atomic, never through a symbolic link.  When that second's log exists
// already, the name gets "_2", "_3" ... before ".txt".  Returns its path.
QString writeRenameLog(const QString& programFolder, const QString& folder,
                       const QVector<RenameRow>& rows,
                       const QDateTime& now = QDateTime::currentDateTime());

// The Log folder's path beside programFolder, whether it exists or not.
QString logFolderPath(const QString& programFolder);

struct UndoResult {
    // TooLarge: a file over kMaxWholeReadBytes, not read.
    enum Status { Done, NotALog, OtherFolder, TooLarge } status = Done;
    int restored = 0;   // files renamed back
    int skipped = 0;    // lines of renamed files that could not be undone
};

// Renames back, in folder, the files a log names.  The log is anybody's
// text file: only plain names (no "/", no NUL, not "." or "..") of regular
// files in folder are renamed, never onto an existing name.  Rows without a
// new name (files the run left alone) are no work and not counted.  Throws
// when the log cannot be read, and on a rename failure other than a missing
// file or a taken name.
UndoResult undoRenameLog(const QString& logPath, const QString& folder);

}  // namespace petari
