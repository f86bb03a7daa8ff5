#pragma once
// A whole file's bytes in memory of their own, which a decoder gives back to
// the system piece by piece as it consumes them: the bytes of a large file
// and the lines decoded from them are never both whole in memory.

#include <QByteArrayView>
#include <QString>

#include <exception>

namespace petari {

class FileBytes {
public:
    FileBytes() = default;
    ~FileBytes();
    FileBytes(FileBytes&& other) noexcept;
    FileBytes& operator=(FileBytes&& other) noexcept;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    QByteArrayView view() const { return QByteArrayView(data_, size_); }
    qsizetype size() const { return size_; }
    // The memory pages wholly inside [from, to) go back to the system; the
    // bytes there read as zeros afterwards.  Any thread may give back its
    // own range.
    void release(const char* from, const char* to) const;

    // Makes room for size bytes, keeping the first ones.
    void resize(qsizetype size);
    char* data() { return data_; }

private:
    char* data_ = nullptr;
    qsizetype size_ = 0;
    size_t mapped_ = 0;
};

// Thrown by a read whose caller asked it to stop (the program is ending):
// nothing of what was read so far is kept.
class ReadStopped : public std::exception {
public:
    const char* what() const noexcept override { return "read stopped"; }
};

// Asked between pieces of a long read: true stops it with ReadStopped.
using StopCheck = bool (*)();

// The bytes of a whole regular file, opened by the bytes of its name (see
// FileName.h).  Failures as readFileBytes (TextFile.h); a stop check is
// asked after every piece of kReadPiece bytes.
constexpr qsizetype kReadPiece = qsizetype(16) << 20;
FileBytes readFileBuffer(const QString& path, qint64 limit, StopCheck stop = nullptr);

}  // namespace petari
