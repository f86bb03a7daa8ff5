#pragma once
// The undo/redo chain of snapshot files and the numbered backup copies.
//
// Every change of the list ends in commit(), which stores the whole list as
// snapshot file mkNNNN.txt in this running copy's snapshot folder of the
// work folder.  Undo and redo move a pointer along the snapshots of the
// current history.  Backups go to mk_backup/バックアップNNN.txt under a counter
// 1 to 255 kept in the settings ("M2"/"backup").
//
// Several copies of the program may run on one work folder.  Each claims a
// snapshot folder of its own with a lock file (".lock", which a crashed
// copy does not leave held): copy 0 "mk_000", the next ones "mk_001",
// "mk_002"... — the first free one from the copy's own number on.  So no
// copy ever undoes into another's snapshots.  A claimed folder's
// "index.txt" holds the length and CRC-32 of every snapshot written in this
// run ("mk0003.txt 41427978 bdcc5ff1"); a snapshot that does not match is
// refused as damaged.  The backup number is taken under a lock of the
// backup folder, from the counter read again from the settings file, so
// copies saving in turn each get their own.
//
// The files are written by the work folder's background writer
// (SnapshotWriter), in commit order, from the version of the lines that was
// committed; the caller never waits for the disk.  The states of the last
// steps are also kept in memory, as versions that share their chunks with
// each other and with the document, within a memory budget
// (kDefaultMemoryBudget); undo and redo take a state from memory when it is
// there and from its file otherwise.  A file whose write is still under way
// is waited for, never read.
//
// Files are written whole and atomically (see WorkFile.h), in CP932 when
// every line fits and as UTF-8 with a byte-order mark otherwise, so a
// snapshot gives back exactly the lines it was given.  Backups are also
// synced to the disk; snapshots, which only this run reads back, are not.
//
// Failures (petari::Failure; the window reports them under "M2 mokoBU" and
// goes on): a work folder or snapshot folder that cannot be made is thrown
// by commit, startupSnapshot and takeBackup at once; a write that fails on
// the writer thread is collected on this chain's thread (collectWrites) and
// handed out by takeWriteFailures.  loadSnapshot and restoreShown throw
// when a snapshot cannot be read.  The pointer moves and the captions never
// throw.
//
// What one run keeps on disk is capped (kDefaultDiskBudget): past it the
// oldest steps of the current history go, file and kept state, and undo
// stops at the oldest step left, which the 戻す caption counts to.  Files
// no step can reach any more (a cut-off redo, an earlier history) go at
// once.  At the chain's end (the program's normal exit) the run's files go
// with it, and a folder claimed from a run that died is emptied first: no
// later run reads them, their numbers and checksums are this run's alone.
//
// A snapshot that could not be written still takes its place in the chain, so
// the operation names stay with the right steps; it is remembered as missing,
// and undo or redo onto it, once it has left memory, reports "file not found"
// (53) and leaves the list as it is, instead of reading an older file that
// happens to carry the same number.

#include "editing/KeptMemory.h"
#include "editing/WorkFile.h"
#include "platform/Failure.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QLockFile;

namespace petari {

class SettingsStore;
class SnapshotWriter;
class WriteClient;

class UndoChain {
public:
    UndoChain(SettingsStore& settings, QString programFolder);
    // Waits for this chain's writes: the work folder is complete afterwards.
    ~UndoChain();
    UndoChain(const UndoChain&) = delete;
    UndoChain& operator=(const UndoChain&) = delete;

    // The undo state, 0, 0 and empty at the start.  The snapshot that shows
    // the current state has number undoPosition() - 1.
    int undoPosition() const { return position_; }
    int undoNewest() const { return newest_; }
    // Entry k names the change that produced snapshot k - 1; the entry after
    // the newest holds the placeholder "　　　　".
    const QStringList& undoNames() const { return names_; }
    QString undoName(int index) const;

    QString workFolder() const;
    // The running copy's number, which names the snapshot folder tried first
    // (0: "mk_000").  Takes effect at the first snapshot.
    void setCopyNumber(int copy);
    // The claimed snapshot folder, or the one that will be tried first.
    QString snapshotFolderPath() const;
    // The snapshot folder + "/mk" + the last four digits of number + ".txt".
    QString snapshotPath(int number) const;
    // mk_backup/バックアップ + the last three digits of number + ".txt".
    QString backupPath(int number) const;
    // Whether snapshot number was written whole in this run and not
    // overwritten since by a later snapshot with the same file.  A write
    // still under way is waited for.
    bool isSnapshotAvailable(int number) const;

    static constexpr int kBackupLimit = 255;
    static QString placeholderName() { return QStringLiteral("　　　　"); }

    // ---- states kept in memory ----
    // What the kept states may take besides the document: the chunks they
    // hold that the shown state does not, and their lists of pieces (see
    // KeptMemory).  48 MB: a thousand one-line edits of a million-line
    // document (each a list of some hundreds of pieces, tens of kilobytes,
    // and a small chunk for the lines it added), and as many steps of an
    // ordinary one; but not the state before a 40 MB document was rewritten
    // whole (sorted, say), which is then read back from its file.  States
    // whose write is still under way stay until it is done, so a burst of
    // edits that rewrite a huge document whole waits for the writer rather
    // than going past the budget.
    static constexpr qint64 kDefaultMemoryBudget = qint64(48) << 20;
    // At most this many states are kept, whatever their size.
    static constexpr int kMaxKeptStates = 1000;
    void setMemoryBudget(qint64 bytes);
    qint64 memoryBudget() const { return budget_; }
    qint64 memoryInUse() const;
    bool isInMemory(int number) const { return kept_.count(number) > 0; }

    // ---- files kept on disk ----
    // What this run's snapshot files may take on disk.  Twice the largest
    // text file read (TextFileLimit): even that document keeps one step to
    // undo, a 14 MB one about 150 steps, a small one every step its file
    // numbers allow.  The newest step stays whatever its size.
    static constexpr qint64 kDefaultDiskBudget = qint64(2) << 30;
    void setDiskBudget(qint64 bytes) { diskBudget_ = std::max<qint64>(bytes, 0); }
    // The bytes of this run's snapshot files, an estimate for those still
    // being written.
    qint64 diskInUse() const;
    // The oldest step undo reaches: 0 until steps were dropped for room.
    int oldestStep() const { return oldest_; }

    // Kind 3: hands the snapshot at number undoPosition() to the writer, then
    // makes it the newest and moves the pointer past it.  The state advances
    // even when the folders cannot be made; throws that failure afterwards.
    void takeSnapshot(const LineText& lines);

    // Kind 1: when "F5"/"s7" is on (default on), hands the next backup to the
    // writer and advances "M2"/"backup" (1 to 255, then 1 again).  Returns
    // the path it goes to, "" when backups are off.  Throws when the backup
    // folder cannot be made.
    QString takeBackup(const LineText& lines);

    // The commit step's share of the undo chain: a change with modified 0
    // starts a new history; the snapshot is taken and named operationName.
    // When the snapshot fails the state is complete all the same and the
    // failure is thrown afterwards.
    void commit(const LineText& lines, int modified, const QString& operationName);

    // Start-up without a document: the first snapshot, named "起動新規".
    // Throws as commit.
    void startupSnapshot(const LineText& lines);

    // 戻す / 進む: move the pointer (undo not below 1, redo not past
    // undoNewest() + 1) and return the path of the snapshot to load.
    QString undoStep();
    QString redoStep();

    // The snapshot the pointer now names, from memory or from its file, and
    // what its chunks tell of its lines when it came from memory.  Throws as
    // loadSnapshot; the caller then leaves the list unchanged.
    struct Restored {
        LineText lines;
        std::optional<LineStats> stats;
    };
    Restored restoreShown();

    // Reads a snapshot (or any text file) in either of the two encodings.
    // Throws 53 when the file does not exist, or when path is this chain's
    // snapshot that was not written in this run; 75 when it is damaged.
    LineText loadSnapshot(const QString& path) const;

    // The 編集 menu items.
    // "戻す　(" + name + ")　" + steps back (undoPosition - 1 - oldestStep)
    QString undoCaption() const;
    QString redoCaption() const;   // "進む　(" + next name + ")　" + steps ahead
    bool canUndo() const { return position_ - 1 > oldest_; }
    bool canRedo() const { return position_ - 1 < newest_; }

    // ---- the background writes ----
    // Called on the writer thread when a write of this chain has finished;
    // it may only post work to this chain's thread (to call collectWrites).
    void setWriteListener(std::function<void()> listener);
    // Writes handed over whose outcome has not been collected.
    int pendingWrites() const { return int(pending_.size()); }
    // Takes in the outcomes of finished writes: which snapshots exist whole,
    // and the failures for takeWriteFailures.
    void collectWrites() const;
    std::vector<Failure> takeWriteFailures();
    // Waits at most ms milliseconds (-1: as long as it takes) for every
    // write handed over, and collects.  True when none is left.
    bool waitForWrites(int ms = -1);
    // Waits for every write and throws the first failure not taken yet.
    void finishWrites();

private:
    struct FileRecord {
        qint64 length = 0;
        quint32 checksum = 0;
    };
    struct KeptState {
        LineText lines;
        quint64 ticket = 0;     // its write; 0 when none was handed over
        bool settled = false;   // that write is over, or there was none
        bool whole = false;     // its file was written whole
    };
    struct PendingWrite {
        quint64 ticket;
        int number;   // snapshot number; -1 for a backup
    };

    void prepareSnapshotFolder();
    // previous: the folder this chain held before, "" at the first claim.
    void claimSnapshotFolder(const QString& workFolder, const QString& previous);
    int nextBackupNumber(const QString& backupFolder);
    void takeNamedSnapshot(const LineText& lines, const QString& name);
    void dropKeptFrom(int number);
    void dropKept(std::map<int, KeptState>::iterator it);
    KeptState& keep(int number, const LineText& lines);
    void setShown(int number);
    void keepWithinBudget();
    void waitForSlot(int slot) const;
    // UndoChainFiles.cpp: the files on disk.
    void forgetFile(int number);
    void dropUnreachableFiles(int from, int to);
    void keepWithinDiskBudget(int newest);
    void setSlotBytes(int slot, qint64 bytes) const;
    void submitRemoval(const QString& path);
    void removeRunFiles();
    // Four digits of file number: beyond 9999 snapshots the files come round.
    static int fileSlot(int number) { return (number % 10000 + 10000) % 10000; }

    SettingsStore& settings_;
    QString programFolder_;
    int position_ = 0;
    int newest_ = 0;
    QStringList names_;
    qint64 budget_ = kDefaultMemoryBudget;
    int copyNumber_ = 0;
    QString claimedFolder_;
    std::unique_ptr<QLockFile> claim_;

    std::shared_ptr<SnapshotWriter> writer_;
    std::shared_ptr<WriteClient> client_;
    mutable std::map<int, KeptState> kept_;
    int shown_ = -1;   // the kept state the document shows
    KeptMemory memory_;
    // Bookkeeping of the writes, brought up to date by collectWrites.
    mutable std::deque<PendingWrite> pending_;
    mutable std::vector<Failure> failures_;
    // File slot (number mod 10000) -> the snapshot number whose content it
    // holds, for slots written whole in this run.
    mutable QHash<int, int> slotOwner_;
    // File slot -> the ticket of the last write handed over for it.
    mutable QHash<int, quint64> slotTicket_;
    // File slot -> what was written into it, for the slots of slotOwner_.
    mutable QHash<int, FileRecord> records_;
    // File slot -> the bytes its file takes (estimated while written), and
    // their sum; the oldest step still kept; the last job handed over.
    mutable QHash<int, qint64> slotBytes_;
    mutable qint64 diskBytes_ = 0;
    qint64 diskBudget_ = kDefaultDiskBudget;
    int oldest_ = 0;
    quint64 lastTicket_ = 0;
};

}  // namespace petari
