#pragma once
// The undo/redo chain of snapshot files and the numbered backup copies.
//
// Every change of the list ends in commit(), which stores the whole list as
// snapshot file mk_000/mkNNNN.txt of the work folder.  Undo and redo move a
// pointer along the snapshots of the current history and hand back the file
// that now shows the list.  Backups go to mk_backup/バックアップNNN.txt under a
// counter 1 to 255 kept in the settings ("M2"/"backup").
//
// Files are written whole and atomically, in CP932 when every line fits and
// as UTF-8 with a byte-order mark otherwise, so a snapshot gives back exactly
// the lines it was given.  Backups are also synced to the disk; snapshots,
// which only this run reads back, are not.
//
// Which calls throw petari::Failure (the window reports it under
// "M2 mokoBU" and goes on): takeSnapshot, takeBackup, commit,
// startupSnapshot and loadSnapshot.  The pointer moves and the captions never
// throw.
//
// A snapshot that could not be written still takes its place in the chain, so
// the operation names stay with the right steps; it is remembered as missing,
// and undo or redo onto it reports "file not found" (53) from loadSnapshot
// and leaves the list as it is, instead of reading an older file that
// happens to carry the same number.

#include <QHash>
#include <QString>
#include <QStringList>

namespace petari {

class SettingsStore;

class UndoChain {
public:
    UndoChain(SettingsStore& settings, QString programFolder);

    // The undo state, 0, 0 and empty at the start.  The snapshot that shows
    // the current state has number undoPosition() - 1.
    int undoPosition() const { return position_; }
    int undoNewest() const { return newest_; }
    // Entry k names the change that produced snapshot k - 1; the entry after
    // the newest holds the placeholder "　　　　".
    const QStringList& undoNames() const { return names_; }
    QString undoName(int index) const;

    QString workFolder() const;
    // mk_000/mk + the last four digits of number + ".txt".
    QString snapshotPath(int number) const;
    // mk_backup/バックアップ + the last three digits of number + ".txt".
    QString backupPath(int number) const;
    // Whether snapshot number was written in this run and not overwritten
    // since by a later snapshot with the same file.
    bool isSnapshotAvailable(int number) const;

    static constexpr int kBackupLimit = 255;
    static QString placeholderName() { return QStringLiteral("　　　　"); }

    // Kind 3: writes the snapshot at number undoPosition(), then makes it the
    // newest and moves the pointer past it.  The state advances even when the
    // write fails; throws the failure afterwards.
    void takeSnapshot(const QStringList& lines);

    // Kind 1: when "F5"/"s7" is on (default on), writes the next backup and
    // advances "M2"/"backup" (1 to 255, then 1 again).  Returns the path
    // written, "" when backups are off.  Throws on failure.
    QString takeBackup(const QStringList& lines);

    // The commit step's share of the undo chain: a change with modified 0
    // starts a new history; the snapshot is taken and named operationName.
    // When the snapshot fails the state is complete all the same and the
    // failure is thrown afterwards.
    void commit(const QStringList& lines, int modified, const QString& operationName);

    // Start-up without a document: the first snapshot, named "起動新規".
    // Throws as commit.
    void startupSnapshot(const QStringList& lines);

    // 戻す / 進む: move the pointer (undo not below 1, redo not past
    // undoNewest() + 1) and return the path of the snapshot to load.
    QString undoStep();
    QString redoStep();

    // Reads a snapshot (or any text file) in either of the two encodings.
    // Throws 53 when the file does not exist, or when path is this chain's
    // snapshot that was not written in this run; the caller then leaves the
    // list unchanged.
    QStringList loadSnapshot(const QString& path) const;

    // The 編集 menu items.
    QString undoCaption() const;   // "戻す　(" + name + ")　" + (undoPosition - 1)
    QString redoCaption() const;   // "進む　(" + next name + ")　" + steps ahead
    bool canUndo() const { return position_ > 1; }
    bool canRedo() const { return position_ - 1 < newest_; }

private:
    QString snapshotFolderPath() const;
    void takeNamedSnapshot(const QStringList& lines, const QString& name);
    // Four digits of file number: beyond 9999 snapshots the files come round.
    static int fileSlot(int number) { return (number % 10000 + 10000) % 10000; }

    SettingsStore& settings_;
    QString programFolder_;
    int position_ = 0;
    int newest_ = 0;
    QStringList names_;
    // File slot (number mod 10000) -> the snapshot number whose content it
    // holds, for slots written in this run.
    QHash<int, int> slotOwner_;
};

// Writes lines whole and atomically, each followed by CR LF: in CP932 when
// every character comes back unchanged from it, otherwise as UTF-8 with a
// byte-order mark.  Throws the write's failure (70, 61, 76, 75).
void writeWorkFile(const QString& path, const QStringList& lines);

// The same bytes, still whole and atomic, but not forced to the disk before
// the call returns: for snapshots, which serve the running program only.
void writeSnapshotFile(const QString& path, const QStringList& lines);

// Reads a file written by writeWorkFile or writeSnapshotFile: UTF-8 when it starts with a
// byte-order mark, CP932 otherwise.  Throws 53 when it is missing, 70 when it
// may not be read, 75 for any other failure.
QStringList readWorkFile(const QString& path);

}  // namespace petari
