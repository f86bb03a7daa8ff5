#include "editing/SnapshotWriter.h"

#include "platform/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <map>
#include <unistd.h>

namespace petari {

void WriteClient::setListener(std::function<void()> listener)
{
    std::lock_guard<std::mutex> lock(mutex_);
    listener_ = std::move(listener);
}

std::vector<WriteResult> WriteClient::take()
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<WriteResult> out;
    out.swap(results_);
    return out;
}

void WriteClient::deliver(WriteResult result)
{
    std::lock_guard<std::mutex> lock(mutex_);
    results_.push_back(std::move(result));
    // Under the lock, so that a client that clears its listener is never
    // called after it has.
    if (listener_)
        listener_();
}

std::shared_ptr<SnapshotWriter> SnapshotWriter::forWorkFolder(const QString& workFolder)
{
    static std::mutex registryMutex;
    static std::map<QString, std::weak_ptr<SnapshotWriter>> registry;
    const QString key = QDir::cleanPath(QFileInfo(workFolder).absoluteFilePath());
    std::lock_guard<std::mutex> lock(registryMutex);
    std::shared_ptr<SnapshotWriter> writer = registry[key].lock();
    if (!writer) {
        writer.reset(new SnapshotWriter());
        registry[key] = writer;
    }
    return writer;
}

SnapshotWriter::SnapshotWriter() : thread_([this] { run(); }) {}

SnapshotWriter::~SnapshotWriter()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

quint64 SnapshotWriter::submit(WriteJob job)
{
    quint64 ticket;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ticket = ++submitted_;
        Entry entry;
        entry.ticket = ticket;
        entry.job = std::move(job);
        queue_.push_back(std::move(entry));
    }
    wake_.notify_all();
    return ticket;
}

void SnapshotWriter::discard(QStringList lines)
{
    if (lines.isEmpty())
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        trash_.push_back(std::move(lines));
    }
    wake_.notify_all();
}

void SnapshotWriter::cancelOrAwaitCopy(quint64 ticket)
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (Entry& e : queue_)
        if (e.ticket == ticket)
            e.copyTaken = true;
    done_.wait(lock, [&] { return std::find(copying_.begin(), copying_.end(), ticket) == copying_.end(); });
}

bool SnapshotWriter::isDone(quint64 ticket) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return finished_ >= ticket;
}

quint64 SnapshotWriter::lastTicket() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return submitted_;
}

bool SnapshotWriter::waitFor(quint64 ticket, int ms)
{
    std::unique_lock<std::mutex> lock(mutex_);
    const auto done = [&] { return finished_ >= ticket; };
    if (ms < 0) {
        done_.wait(lock, done);
        return true;
    }
    return done_.wait_for(lock, std::chrono::milliseconds(ms), done);
}

void SnapshotWriter::emptyTrash()
{
    std::vector<QStringList> trash;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        trash.swap(trash_);
    }
    // Freed here, outside the lock.
}

void SnapshotWriter::makeCopies()
{
    for (;;) {
        QStringList source;
        quint64 ticket = 0;
        std::shared_ptr<WriteClient> client;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            for (Entry& e : queue_) {
                if (e.job.privateCopy && !e.copyTaken) {
                    e.copyTaken = true;
                    copying_.push_back(e.ticket);
                    source = e.job.lines;
                    ticket = e.ticket;
                    client = e.job.client;
                    break;
                }
            }
        }
        if (ticket == 0)
            return;
        // The array of the list is copied here, its strings only counted.
        QStringList copy = source;
        copy.detach();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            for (Entry& e : queue_)
                if (e.ticket == ticket)
                    e.job.lines = copy;
        }
        source = QStringList();
        if (client) {
            WriteResult r;
            r.ticket = ticket;
            r.copied = true;
            r.copy = std::move(copy);
            client->deliver(std::move(r));
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            copying_.erase(std::find(copying_.begin(), copying_.end(), ticket));
        }
        done_.notify_all();
    }
}

void SnapshotWriter::run()
{
    for (;;) {
        makeCopies();
        Entry next;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty() || !trash_.empty(); });
            if (queue_.empty()) {
                if (!trash_.empty()) {
                    lock.unlock();
                    emptyTrash();
                    continue;
                }
                return;   // stopping, and nothing left to write
            }
            if (queue_.front().job.privateCopy && !queue_.front().copyTaken)
                continue;   // its copy first
            next = std::move(queue_.front());
            queue_.pop_front();
        }
        emptyTrash();
        if (!next.job.path.isEmpty())
            perform(next.ticket, next.job);
        next.job.lines = QStringList();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            finished_ = next.ticket;
        }
        done_.notify_all();
    }
}

namespace {

// Appends one line to the index file, never through a symbolic link.
void appendIndexLine(const QString& indexPath, const QByteArray& line)
{
    const QByteArray name = QFile::encodeName(indexPath);
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int e = errno;
        throw fileFailure(e == ELOOP ? EACCES : e, indexPath);
    }
    const ssize_t n = ::write(fd, line.constData(), size_t(line.size()));
    const int e = errno;
    ::close(fd);
    if (n != line.size())
        throw fileFailure(n < 0 ? e : ENOSPC, indexPath);
}

}  // namespace

void SnapshotWriter::perform(quint64 ticket, WriteJob& job)
{
    WriteResult result;
    result.ticket = ticket;
    try {
        WorkFileOptions options = job.options;
        options.betweenBlocks = [this] {
            emptyTrash();
            makeCopies();
        };
        result.file = writeLinesFile(job.path, job.lines, options);
        if (!job.indexPath.isEmpty()) {
            const QByteArray line = QFile::encodeName(QFileInfo(job.path).fileName()) + ' ' +
                                    QByteArray::number(result.file.length) + ' ' +
                                    QByteArray::number(result.file.checksum, 16).rightJustified(8, '0') + "\r\n";
            appendIndexLine(job.indexPath, line);
        }
    } catch (const Failure& f) {
        result.failure = f.number();
        result.description = f.description();
    } catch (const std::exception& e) {
        const Failure f = failureFromException(e);
        result.failure = f.number();
        result.description = f.description();
    } catch (...) {
        result.failure = err::Internal;
        result.description = describeError(err::Internal);
    }
    if (result.failure != 0 && job.snapshot) {
        // Whatever an earlier run or a cut-off redo left under this name is
        // not this step: out of the way with it, so that nothing takes it
        // for the snapshot that failed.
        const QFileInfo stale(job.path);
        if (stale.isFile() && !stale.isSymLink())
            QFile::remove(job.path);
    }
    if (job.client)
        job.client->deliver(std::move(result));
}

}  // namespace petari
