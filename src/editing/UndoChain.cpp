#include "editing/UndoChain.h"

#include "editing/SnapshotWriter.h"
#include "editing/WorkFolder.h"
#include "platform/Failure.h"
#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "platform/StringUtils.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <exception>
#include <utility>

namespace petari {

namespace {

QString padded(int n, int width)
{
    return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

}  // namespace

UndoChain::UndoChain(SettingsStore& settings, QString programFolder)
    : settings_(settings),
      programFolder_(std::move(programFolder)),
      writer_(SnapshotWriter::forWorkFolder(workFolder())),
      client_(std::make_shared<WriteClient>())
{
}

UndoChain::~UndoChain()
{
    client_->setListener({});
    if (lastTicket_ != 0)
        writer_->waitFor(lastTicket_);
    for (auto it = kept_.begin(); it != kept_.end();)
        dropKept(it++);
    // Nothing reads them after this run.
    removeRunFiles();
}

QString UndoChain::undoName(int index) const
{
    return index >= 0 && index < names_.size() ? names_[index] : QString();
}

QString UndoChain::workFolder() const
{
    return programFolder_ + QLatin1Char('/') + workFolderName();
}

void UndoChain::setCopyNumber(int copy)
{
    if (copy >= 0 && copy < 1000)
        copyNumber_ = copy;
}

QString UndoChain::snapshotFolderPath() const
{
    if (!claimedFolder_.isEmpty())
        return claimedFolder_;
    return workFolder() + QLatin1Char('/') + snapshotFolderName(copyNumber_);
}

QString UndoChain::snapshotPath(int number) const
{
    return snapshotFolderPath() + QStringLiteral("/mk") + padded(fileSlot(number), 4) +
           QStringLiteral(".txt");
}

QString UndoChain::backupPath(int number) const
{
    return workFolder() + QLatin1Char('/') + backupFolderName() + QStringLiteral("/バックアップ") +
           padded(number % 1000, 3) + QStringLiteral(".txt");
}

void UndoChain::waitForSlot(int slot) const
{
    const auto it = slotTicket_.constFind(slot);
    if (it == slotTicket_.constEnd())
        return;
    writer_->waitFor(it.value());
    collectWrites();
}

bool UndoChain::isSnapshotAvailable(int number) const
{
    if (number < 0)
        return false;
    waitForSlot(fileSlot(number));
    const auto it = slotOwner_.constFind(fileSlot(number));
    return it != slotOwner_.constEnd() && it.value() == number;
}

// ---------------------------------------------------------------- writes

void UndoChain::setWriteListener(std::function<void()> listener) { client_->setListener(std::move(listener)); }

void UndoChain::collectWrites() const
{
    for (WriteResult& r : client_->take()) {
        // Outcomes come in the order the jobs were handed over.
        while (!pending_.empty() && pending_.front().ticket < r.ticket)
            pending_.pop_front();
        if (pending_.empty() || pending_.front().ticket != r.ticket)
            continue;
        const int number = pending_.front().number;
        pending_.pop_front();
        if (r.failure != 0)
            failures_.emplace_back(r.failure, r.description);
        if (number < 0)
            continue;
        const int slot = fileSlot(number);
        if (slotTicket_.value(slot) == r.ticket) {
            slotTicket_.remove(slot);
            if (r.failure == 0) {
                slotOwner_.insert(slot, number);
                records_.insert(slot, {r.file.length, r.file.checksum});
            } else {
                slotOwner_.remove(slot);
                records_.remove(slot);
            }
            setSlotBytes(slot, r.failure == 0 ? r.file.length : 0);
        }
        const auto kept = kept_.find(number);
        if (kept != kept_.end() && kept->second.ticket == r.ticket) {
            kept->second.settled = true;
            kept->second.whole = r.failure == 0;
        }
    }
}

std::vector<Failure> UndoChain::takeWriteFailures()
{
    collectWrites();
    std::vector<Failure> out;
    out.swap(failures_);
    return out;
}

bool UndoChain::waitForWrites(int ms)
{
    collectWrites();
    if (!pending_.empty())
        writer_->waitFor(pending_.back().ticket, ms);
    collectWrites();
    return pending_.empty();
}

void UndoChain::finishWrites()
{
    waitForWrites();
    std::vector<Failure> failures = takeWriteFailures();
    if (!failures.empty())
        throw failures.front();
}

// ---------------------------------------------------------------- memory

void UndoChain::setMemoryBudget(qint64 bytes)
{
    budget_ = std::max<qint64>(bytes, 0);
    keepWithinBudget();
}

qint64 UndoChain::memoryInUse() const { return memory_.bytes(); }

UndoChain::KeptState& UndoChain::keep(int number, const LineText& lines)
{
    KeptState& state = kept_[number];
    state.lines = lines;
    memory_.add(lines);
    return state;
}

void UndoChain::setShown(int number)
{
    shown_ = number;
    memory_.show(kept_.at(number).lines);
}

void UndoChain::dropKept(std::map<int, KeptState>::iterator it)
{
    if (it->first == shown_) {
        shown_ = -1;
        memory_.clearShown();
    }
    memory_.remove(it->second.lines);
    kept_.erase(it);
}

void UndoChain::dropKeptFrom(int number)
{
    for (auto it = kept_.lower_bound(number); it != kept_.end();)
        dropKept(it++);
}

void UndoChain::keepWithinBudget()
{
    const int anchor = shown_ >= 0 ? shown_ : position_ - 1;
    for (;;) {
        collectWrites();
        if (memoryInUse() <= budget_ && int(kept_.size()) <= kMaxKeptStates)
            return;
        // Out goes the state farthest from the shown one, one whose file
        // is whole before one that exists nowhere else.
        auto victim = kept_.end();
        auto better = [&](std::map<int, KeptState>::iterator a, std::map<int, KeptState>::iterator b) {
            if (a->second.whole != b->second.whole)
                return a->second.whole;
            return std::abs(a->first - anchor) > std::abs(b->first - anchor);
        };
        for (auto it = kept_.begin(); it != kept_.end(); ++it) {
            if (it->first == shown_ || !it->second.settled)
                continue;
            if (victim == kept_.end() || better(it, victim))
                victim = it;
        }
        if (victim != kept_.end()) {
            dropKept(victim);
            continue;
        }
        // Only states on their way to the disk are left: wait for the oldest.
        quint64 oldest = 0;
        for (const auto& [number, state] : kept_)
            if (number != shown_ && !state.settled && state.ticket != 0 && (oldest == 0 || state.ticket < oldest))
                oldest = state.ticket;
        if (oldest == 0)
            return;
        writer_->waitFor(oldest);
    }
}

// ---------------------------------------------------------------- snapshots

void UndoChain::prepareSnapshotFolder()
{
    const QString work = ensureWorkFolder(programFolder_);
    if (claim_) {
        // Made again when it was removed; a file or link in its place is
        // refused.  Still ours unless its lock went with it: then the
        // first free folder is claimed again.  What was written before is
        // known by its checksum wherever it is now.
        createFolderIn(work, QFileInfo(claimedFolder_).fileName());
        if (QFileInfo::exists(claim_->fileName()))
            return;
        claim_.reset();
    }
    claimSnapshotFolder(work, std::exchange(claimedFolder_, QString()));
}

void UndoChain::claimSnapshotFolder(const QString& work, const QString& previous)
{
    for (int i = 0; i < 1000; ++i) {
        const QString folder = createFolderIn(work, snapshotFolderName((copyNumber_ + i) % 1000));
        auto lock = std::make_unique<QLockFile>(folder + QStringLiteral("/.lock"));
        // Only a lock whose process is gone is stale, whatever its age.
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) {
            if (lock->error() == QLockFile::LockFailedError)
                continue;   // another running copy's
            throw Failure(err::PermissionDenied, describeError(err::PermissionDenied) + lock->fileName());
        }
        // What a copy that died left goes, finished or half-made: nobody
        // can read it any more, and it may be gigabytes.  Our own folder,
        // claimed again after its lock file was deleted, keeps our steps.
        if (folder != previous)
            removeSnapshotFiles(folder);
        writeSnapshotFile(folder + QStringLiteral("/index.txt"), {QStringLiteral("ファイル名 バイト数 CRC-32")});
        claim_ = std::move(lock);
        claimedFolder_ = folder;
        return;
    }
    throw Failure(err::PathFileAccess, QStringLiteral("元に戻すデータのフォルダが空いていません。") + work);
}

void UndoChain::takeSnapshot(const LineText& lines)
{
    const int number = position_;
    const int previousNewest = newest_;
    if (number == 0)
        oldest_ = 0;
    newest_ = position_;
    ++position_;
    names_.resize(position_ + 2);
    names_[position_ + 1] = placeholderName();

    // Beyond this number lies a cut-off redo, or an earlier history.
    dropKeptFrom(number);
    KeptState& state = keep(number, lines);
    setShown(number);

    const int slot = fileSlot(number);
    slotOwner_.remove(slot);
    slotTicket_.remove(slot);
    setSlotBytes(slot, 0);
    QString path = snapshotPath(number);
    try {
        prepareSnapshotFolder();
        path = snapshotPath(number);   // in the folder claimed
    } catch (...) {
        state.settled = true;
        // Whatever an earlier run or a cut-off redo left under this number
        // is not this step: out of the way with it, so that no loader takes
        // it for the snapshot that failed.
        // Never through a folder that is a link to elsewhere.
        const QFileInfo stale(path);
        if (stale.isFile() && !stale.isSymLink() && !QFileInfo(stale.path()).isSymLink())
            QFile::remove(path);
        keepWithinBudget();
        throw;
    }
    // Room first: the writer's copy of this state must not come on top of
    // states that are about to leave.
    keepWithinBudget();
    // What lay beyond this step (a cut-off redo, an earlier history) is
    // out of reach; then the oldest steps go while the files take too much.
    dropUnreachableFiles(number + 1, previousNewest);
    setSlotBytes(slot, std::max<qint64>(lines.textSize() + 2 * qint64(lines.size()), 1));
    keepWithinDiskBudget(number);
    WriteJob job;
    job.path = path;
    job.lines = lines;
    job.snapshot = true;
    job.options.checksum = true;
    job.indexPath = claimedFolder_ + QStringLiteral("/index.txt");
    job.client = client_;
    const quint64 ticket = writer_->submit(std::move(job));
    lastTicket_ = ticket;
    state.ticket = ticket;
    pending_.push_back({ticket, number});
    slotTicket_.insert(slot, ticket);
}

int UndoChain::nextBackupNumber(const QString& folder)
{
    // Several running copies save in turn: the counter is read again from
    // the settings file, under a lock, and written back at once.
    QLockFile lock(folder + QStringLiteral("/.lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(10000))
        throw Failure(err::PathFileAccess, QStringLiteral("バックアップの番号を決められません。") + folder);
    // A backup whose write was cut off (the program killed) left its
    // temporary file; one that nobody has touched for a quarter of an hour
    // is no write under way in another copy.
    const QDateTime abandoned = QDateTime::currentDateTime().addSecs(-15 * 60);
    QDir backups(folder);
    for (const QFileInfo& f : backups.entryInfoList({QStringLiteral("バックアップ*.txt.*")},
                                                    QDir::Files | QDir::Hidden | QDir::System))
        if (f.lastModified() < abandoned)
            backups.remove(f.fileName());
    settings_.sync();
    static_assert(kBackupLimit == settings::kBackupFiles, "the stored counter's range is the backups'");
    // Held just outside 1..255, a counter edited out of range starts again.
    int n = settings_.get(settings::nextBackup);
    if (n < 1 || n > kBackupLimit)
        n = 1;
    const auto after = [](int k) { return k + 1 > kBackupLimit ? 1 : k + 1; };
    settings_.set(settings::nextBackup, after(n));
    settings_.sync();
    if (!settings_.isWritable()) {
        // A counter that cannot be stored would start at 1 on every run and
        // overwrite the newest backups: the newest file says where we are.
        QDateTime newest;
        int newestNumber = 0;
        const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("バックアップ???.txt")}, QDir::Files);
        for (const QFileInfo& f : files) {
            bool ok = false;
            const int k = f.fileName().mid(6, 3).toInt(&ok);
            if (ok && (newestNumber == 0 || f.lastModified() > newest)) {
                newest = f.lastModified();
                newestNumber = k;
            }
        }
        if (newestNumber > 0)
            n = after(newestNumber);
    }
    return n;
}

QString UndoChain::takeBackup(const LineText& lines)
{
    const int kind = 1;
    // The switch has always been read as a number here: any value of 1 or
    // more keeps backups.
    const settings::Flag& keep = settings::keepBackups;
    if (settings_.integer(keep.place.section, keep.place.key, keep.byDefault, 0, 1) + kind < 2)
        return QString();
    const QString folder = createFolderIn(ensureWorkFolder(programFolder_), backupFolderName());
    const QString path = backupPath(nextBackupNumber(folder));
    WriteJob job;
    job.path = path;
    job.lines = lines;
    job.options.durable = true;
    job.client = client_;
    lastTicket_ = writer_->submit(std::move(job));
    pending_.push_back({lastTicket_, -1});
    return path;
}

void UndoChain::takeNamedSnapshot(const LineText& lines, const QString& name)
{
    std::exception_ptr failure;
    try {
        takeSnapshot(lines);
    } catch (...) {
        failure = std::current_exception();
    }
    // Named whether or not the file was written, so that every later step
    // keeps the name of the change that made it.
    if (names_.size() <= position_)
        names_.resize(position_ + 2);
    names_[position_] = name;
    if (failure)
        std::rethrow_exception(failure);
}

void UndoChain::commit(const LineText& lines, int modified, const QString& operationName)
{
    if (modified == 0)
        position_ = 0;
    takeNamedSnapshot(lines, operationName);
}

void UndoChain::startupSnapshot(const LineText& lines)
{
    takeNamedSnapshot(lines, QStringLiteral("起動新規"));
}

QString UndoChain::undoStep()
{
    position_ = std::max(position_ - 1, oldest_ + 1);
    return snapshotPath(position_ - 1);
}

QString UndoChain::redoStep()
{
    position_ = std::min(position_ + 1, newest_ + 1);
    return snapshotPath(position_ - 1);
}

UndoChain::Restored UndoChain::restoreShown()
{
    const int number = position_ - 1;
    collectWrites();
    const auto it = kept_.find(number);
    if (it != kept_.end()) {
        setShown(number);
        return {it->second.lines, it->second.lines.stats()};
    }
    LineText lines = loadSnapshot(snapshotPath(number));
    KeptState& state = keep(number, lines);
    state.settled = true;
    state.whole = true;
    setShown(number);
    keepWithinBudget();
    return {std::move(lines), std::nullopt};
}

LineText UndoChain::loadSnapshot(const QString& path) const
{
    const QFileInfo info(path);
    const bool ours = info.absolutePath() == QFileInfo(snapshotFolderPath()).absoluteFilePath();
    int slot = -1;
    if (ours) {
        const QString name = info.fileName();
        bool ok = false;
        const int n = name.mid(2, 4).toInt(&ok);
        if (name.size() == 10 && name.startsWith(QLatin1String("mk")) && ok)
            slot = n;
        // A write into that file still under way is waited for.
        if (slot >= 0)
            waitForSlot(slot);
    }
    bool missing = !QFileInfo(path).isFile();
    if (!missing && ours) {
        // One of ours: it must hold a snapshot of this run.  The pointer's
        // own snapshot is checked by number, any other by its slot.
        if (path == snapshotPath(position_ - 1))
            missing = !isSnapshotAvailable(position_ - 1);
        else if (slot >= 0)
            missing = !slotOwner_.contains(slot);
    }
    if (missing)
        throw Failure(err::FileNotFound, describeError(err::FileNotFound) + path);
    if (!ours || slot < 0)
        return readWorkFile(path);
    // Valid text is not enough: a snapshot cut short on a line boundary
    // still reads.  It must be the very bytes that were written.
    const QByteArray bytes = readWorkBytes(path);
    const auto record = records_.constFind(slot);
    if (record == records_.constEnd() || bytes.size() != record->length || crc32Of(bytes) != record->checksum)
        throw Failure(err::PathFileAccess, damagedSnapshotText(path));
    return decodeWorkBytes(bytes, path);
}

QString UndoChain::undoCaption() const
{
    return QStringLiteral("戻す　(") + undoName(position_) + QStringLiteral(")　") +
           QString::number(position_ - 1 - oldest_);
}

QString UndoChain::redoCaption() const
{
    return QStringLiteral("進む　(") + undoName(position_ + 1) + QStringLiteral(")　") +
           QString::number(newest_ - position_ + 1);
}

}  // namespace petari
