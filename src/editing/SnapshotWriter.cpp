#include "editing/SnapshotWriter.h"

#include "platform/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
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

void SnapshotWriter::run()
{
    // Background work: the window's thread goes first for a processor, so
    // that a key is answered while the snapshot of the last one is encoded.
    ::setpriority(PRIO_PROCESS, pid_t(::syscall(SYS_gettid)), 10);
    for (;;) {
        Entry next;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty())
                return;   // stopping, and nothing left to write
            next = std::move(queue_.front());
            queue_.pop_front();
        }
        perform(next.ticket, next.job);
        // The version goes here: the last one of a replaced document frees
        // its chunks on this thread, not on the window's.
        next.job.lines = LineText();
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
    if (job.removal) {
        ::unlink(QFile::encodeName(job.path).constData());
        return;
    }
    WriteResult result;
    result.ticket = ticket;
    try {
        result.file = writeLinesFile(job.path, job.lines, job.options);
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
