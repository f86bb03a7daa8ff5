#include "document/FileBytes.h"

#include "document/FileName.h"
#include "platform/Failure.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <new>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace petari {

namespace {

size_t pageSize()
{
    static const size_t page = size_t(::sysconf(_SC_PAGESIZE));
    return page;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { if (fd_ >= 0) ::close(fd_); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

int openFailureNumber(int error, const QString& path)
{
    switch (error) {
    case ENOENT:
        // A missing file in an existing folder, or a missing folder.
        return QFileInfo(QFileInfo(path).absolutePath()).isDir() ? err::FileNotFound
                                                                  : err::PathNotFound;
    case ENOTDIR:
        return err::PathNotFound;
    case EACCES:
    case EPERM:
        return err::PermissionDenied;
    default:
        return err::PathFileAccess;
    }
}

QString sizeText(qint64 bytes)
{
    return bytes >= (qint64(1) << 30) ? QString::number(bytes >> 30) + QStringLiteral(" GiB")
                                      : QString::number(bytes >> 20) + QStringLiteral(" MiB");
}

[[noreturn]] void tooLarge(const QString& path, qint64 limit)
{
    throw Failure(err::PathFileAccess, QStringLiteral("ファイルが大きすぎて開けません（上限 ") + sizeText(limit) +
                                           QStringLiteral("）。") + QChar(0x3000) + path);
}

}  // namespace

FileBytes::~FileBytes()
{
    if (data_)
        ::munmap(data_, mapped_);
}

FileBytes::FileBytes(FileBytes&& other) noexcept : data_(other.data_), size_(other.size_), mapped_(other.mapped_)
{
    other.data_ = nullptr;
    other.size_ = 0;
    other.mapped_ = 0;
}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept
{
    if (this != &other) {
        if (data_)
            ::munmap(data_, mapped_);
        data_ = other.data_;
        size_ = other.size_;
        mapped_ = other.mapped_;
        other.data_ = nullptr;
        other.size_ = 0;
        other.mapped_ = 0;
    }
    return *this;
}

void FileBytes::resize(qsizetype size)
{
    const size_t wanted = (size_t(std::max<qsizetype>(size, 1)) + pageSize() - 1) / pageSize() * pageSize();
    if (wanted > mapped_) {
        void* p = data_ ? ::mremap(data_, mapped_, wanted, MREMAP_MAYMOVE)
                        : ::mmap(nullptr, wanted, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        data_ = static_cast<char*>(p);
        mapped_ = wanted;
    }
    size_ = size;
}

void FileBytes::release(const char* from, const char* to) const
{
    if (!data_ || from >= to)
        return;
    const size_t page = pageSize();
    const auto begin = (reinterpret_cast<quintptr>(std::max<const char*>(from, data_)) + page - 1) / page * page;
    const auto end = reinterpret_cast<quintptr>(std::min<const char*>(to, data_ + size_)) / page * page;
    if (begin < end)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
}

// Plain POSIX calls: their errno tells a missing file, a missing folder and
// a refused permission apart, which QFile does not; and they take the name's
// own bytes.
FileBytes readFileBuffer(const QString& path, qint64 limit, StopCheck stop)
{
    if (path.isEmpty())
        throw Failure(err::FileNotFound);
    const QByteArray name = encodeFileName(path);
    int fd;
    do {
        // Non-blocking so that a named pipe cannot stall the open itself.
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw Failure(openFailureNumber(errno, path));
    const FileDescriptor file(fd);

    struct stat st;
    if (::fstat(fd, &st) != 0)
        throw Failure(err::PathFileAccess);
    if (S_ISDIR(st.st_mode))
        throw Failure(err::PathFileAccess, QStringLiteral("フォルダは開けません。") + QChar(0x3000) + path);
    // A device or a pipe might never end (a link to /dev/zero, say).
    if (!S_ISREG(st.st_mode))
        throw Failure(err::PathFileAccess,
                      QStringLiteral("通常のファイルではないため開けません。") + QChar(0x3000) + path);
    if (st.st_size > limit)
        tooLarge(path, limit);

    FileBytes bytes;
    bytes.resize(qsizetype(st.st_size));
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            // The file grew while it was read; it still may not pass the limit.
            if (filled > limit)
                tooLarge(path, limit);
            bytes.resize(filled + std::min<qsizetype>(std::max<qsizetype>(filled / 2, 65536),
                                                      limit + 1 - filled));
        }
        const qsizetype piece = std::min(bytes.size() - filled, kReadPiece);
        const ssize_t n = ::read(fd, bytes.data() + filled, size_t(piece));
        if (stop && stop())
            throw ReadStopped();
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            throw Failure(err::PathFileAccess);
        }
        if (n == 0)
            break;
        filled += n;
    }
    if (filled > limit)
        tooLarge(path, limit);
    bytes.resize(filled);
    return bytes;
}

}  // namespace petari
