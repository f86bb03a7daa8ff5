#include "platform/AtomicFile.h"

#include "platform/Failure.h"
#include "platform/FileCalls.h"

#include <QFile>

#include <cerrno>
#include <unistd.h>

namespace petari {

namespace {

[[noreturn]] void failWith(int e, const QString& path)
{
    // Writing: a missing entry is a missing folder on the way.
    const int number = e == ENOENT ? err::PathNotFound : errorNumberFromErrno(e);
    throw Failure(number, describeError(number) + path);
}

}  // namespace

mode_t ordinaryFileMode()
{
    // The umask in force now, not the one of the first write.
    mode_t mask = 022;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint m = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    mask = mode_t(m);
            }
        }
    }
    return mode_t(0666 & ~mask);
}

AtomicFile::AtomicFile(const QString& path) : path_(path), target_(QFile::encodeName(path))
{
    temp_ = target_ + ".XXXXXX";
    fd_ = fileCalls().makeTemporary(temp_.data());
    if (fd_ < 0)
        failWith(errno, path_);
}

AtomicFile::~AtomicFile()
{
    if (fd_ >= 0)
        fileCalls().close(fd_);
    if (!renamed_)
        ::unlink(temp_.constData());
}

void AtomicFile::write(const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = fileCalls().write(fd_, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failWith(errno, path_);
        }
        if (n == 0)
            failWith(ENOSPC, path_);
        data += n;
        left -= n;
    }
}

void AtomicFile::commit(bool durable, mode_t mode)
{
    if (mode != 0)
        fileCalls().changeMode(fd_, mode);
    if (durable && fileCalls().flush(fd_) != 0 && errno != EINVAL && errno != EROFS)
        failWith(errno, path_);
    const int fd = fd_;
    fd_ = -1;
    if (fileCalls().close(fd) != 0)
        failWith(errno, path_);
    // rename() replaces the name itself: a symbolic link there is
    // replaced, its target left alone.
    if (fileCalls().rename(temp_.constData(), target_.constData()) != 0)
        failWith(errno, path_);
    renamed_ = true;
}

void replaceFile(const QString& path, const QByteArray& bytes, bool durable, mode_t mode)
{
    AtomicFile file(path);
    file.write(bytes);
    file.commit(durable, mode);
}

}  // namespace petari
