#include "document/TextFile.h"

#include "document/Cp932.h"
#include "platform/Failure.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace petari {

namespace {

const QByteArrayView Utf8Bom("\xEF\xBB\xBF", 3);

// ---------------------------------------------------------------- reading

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

// The whole file by plain POSIX calls: their errno tells a missing file, a
// missing folder and a refused permission apart, which QFile does not.
QByteArray readAllBytes(const QString& path)
{
    if (path.isEmpty())
        throw Failure(err::FileNotFound);
    const QByteArray name = QFile::encodeName(path);
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
    // A folder is no text file; a device or a pipe might never end.
    if (!S_ISREG(st.st_mode))
        throw Failure(err::PathFileAccess);

    QByteArray bytes;
    bytes.resize(qsizetype(st.st_size));
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(filled + std::max<qsizetype>(filled / 2, 65536));   // the file grew
        const ssize_t n = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            throw Failure(err::PathFileAccess);
        }
        if (n == 0)
            break;
        filled += n;
    }
    bytes.resize(filled);
    return bytes;
}

struct Utf8Scan {
    bool valid = true;
    bool multiByte = false;
};

// Checks the bytes against the UTF-8 rules (no overlong forms, no
// surrogates, nothing above U+10FFFF); stops at the first fault.
Utf8Scan scanUtf8(QByteArrayView bytes)
{
    Utf8Scan scan;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    auto continuation = [](unsigned char b) { return (b & 0xC0) == 0x80; };
    while (p < end) {
        while (end - p >= 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ULL)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned char b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        int length;
        unsigned char low = 0x80, high = 0xBF;   // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0)
                low = 0xA0;
            else if (b == 0xED)
                high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;
        } else {
            scan.valid = false;
            return scan;
        }
        if (end - p < length || p[1] < low || p[1] > high) {
            scan.valid = false;
            return scan;
        }
        for (int i = 2; i < length; ++i) {
            if (!continuation(p[i])) {
                scan.valid = false;
                return scan;
            }
        }
        scan.multiByte = true;
        p += length;
    }
    return scan;
}

// Cuts the bytes into lines at CR (one LF after it belongs to the break)
// and decodes each line by itself.  Both encodings read here never use the
// bytes CR or LF inside a character, so cutting before decoding gives the
// same lines as decoding first.
template <class DecodeLine>
QStringList splitBytesIntoLines(QByteArrayView bytes, DecodeLine decodeLine)
{
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    QStringList lines;
    lines.reserve(std::count(p, end, '\r') + 1);
    while (p < end) {
        const auto* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(end - p)));
        const char* const stop = cr ? cr : end;
        lines.append(decodeLine(QByteArrayView(p, stop - p)));
        if (!cr)
            break;
        p = cr + 1;
        if (p < end && *p == '\n')
            ++p;
    }
    return lines;
}

// ---------------------------------------------------------------- writing

// Why the save file could not be created.  QSaveFile reports most causes as
// one generic open error, so a probe file in the same folder asks the system.
int createFailureNumber(const QFileInfo& target)
{
    QByteArray probe = QFile::encodeName(target.absolutePath() + QStringLiteral("/.petari-probe-XXXXXX"));
    const int fd = ::mkstemp(probe.data());
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.constData());
        return target.exists() && !target.isWritable() ? err::PermissionDenied : err::PathFileAccess;
    }
    return errno == ENOENT ? err::PathNotFound : errorNumberFromErrno(errno);
}

void saveAtomically(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        throw Failure(err::PathFileAccess);
    const QFileInfo target(path);
    if (target.isDir())
        throw Failure(err::PathFileAccess);
    if (!QFileInfo(target.absolutePath()).isDir())
        throw Failure(err::PathNotFound);

    // Unbuffered: a buffered QSaveFile flushes its last bytes while it
    // commits, and a failure there (a full disk) is not reported; commit()
    // then succeeds and the old file is replaced by a cut-off one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw Failure(createFailureNumber(target));
    auto fail = [&file](int error) {
        const bool full = file.error() == QFileDevice::ResourceError || error == ENOSPC || error == EDQUOT;
        file.cancelWriting();
        throw Failure(full ? err::DiskFull : err::PathFileAccess);
    };
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        // A short write means the disk filled up; the next one says so.
        const qint64 n = file.write(data, left);
        if (n <= 0)
            fail(errno);
        data += n;
        left -= n;
    }
    // Some file systems report a full disk only when the data is synced,
    // and commit() ignores that outcome.
    if (::fsync(file.handle()) != 0 && errno != EINVAL && errno != EROFS)
        fail(errno);
    if (!file.commit())
        throw Failure(errno == ENOSPC || errno == EDQUOT ? err::DiskFull : err::PathFileAccess);
}

void appendDistinct(QString& all, QSet<char32_t>& seen, const QString& more)
{
    for (qsizetype i = 0; i < more.size();) {
        const bool pair = more[i].isHighSurrogate() && i + 1 < more.size() && more[i + 1].isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        const char32_t c = pair ? QChar::surrogateToUcs4(more[i], more[i + 1]) : char32_t(more[i].unicode());
        if (!seen.contains(c)) {
            seen.insert(c);
            all.append(QStringView(more).mid(i, length));
        }
        i += length;
    }
}

[[noreturn]] void refuseUnencodable(const QString& characters)
{
    throw Failure(err::InvalidArgument,
                  QStringLiteral("Shift_JIS（CP932）で保存できない文字があります：") + characters);
}

// The file's bytes: each line followed by lineEnd, then trailer.
QByteArray encodeLines(const QStringList& lines, TextEncoding encoding, Unencodable unencodable,
                       QByteArrayView lineEnd, QByteArrayView trailer)
{
    QByteArray bytes;
    if (encoding == TextEncoding::Cp932) {
        QString missing;
        QSet<char32_t> seen;
        for (const QString& line : lines) {
            QString lineMissing;
            cp932::encodeAppend(line, bytes, &lineMissing);
            if (!lineMissing.isEmpty())
                appendDistinct(missing, seen, lineMissing);
            bytes.append(lineEnd);
        }
        if (!missing.isEmpty() && unencodable == Unencodable::Refuse)
            refuseUnencodable(missing);
    } else {
        if (encoding == TextEncoding::Utf8Bom)
            bytes.append(Utf8Bom);
        for (const QString& line : lines) {
            bytes.append(line.toUtf8());
            bytes.append(lineEnd);
        }
    }
    bytes.append(trailer);
    return bytes;
}

}  // namespace

TextEncoding detectEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith(Utf8Bom))
        return TextEncoding::Utf8Bom;
    const Utf8Scan scan = scanUtf8(bytes);
    return scan.valid && scan.multiByte ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

TextFileContent decodeTextFile(QByteArrayView bytes)
{
    TextFileContent content;
    content.encoding = detectEncoding(bytes);
    qsizetype invalid = 0;
    switch (content.encoding) {
    case TextEncoding::Cp932:
    {
        // Each line is decoded into one reused buffer and then copied into a
        // string of exactly its size: one allocation per line, none wasted.
        std::vector<char16_t> buffer;
        content.lines = splitBytesIntoLines(bytes, [&invalid, &buffer](QByteArrayView line) {
            if (qsizetype(buffer.size()) < line.size())
                buffer.resize(size_t(line.size()));
            const qsizetype n = cp932::decodeInto(line, buffer.data(), &invalid);
            return QString(reinterpret_cast<const QChar*>(buffer.data()), n);
        });
        break;
    }
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom: {
        const QByteArrayView body = content.encoding == TextEncoding::Utf8Bom ? bytes.sliced(3) : bytes;
        // Only a file with a byte order mark can hold faulty UTF-8 here.
        const bool faulty = content.encoding == TextEncoding::Utf8Bom && !scanUtf8(body).valid;
        // Stateless: a faulty sequence at the end of one line is that line's
        // fault alone.  Decoded into a reused buffer like code page 932.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        std::vector<QChar> buffer;
        content.lines = splitBytesIntoLines(body, [&](QByteArrayView line) {
            if (qsizetype(buffer.size()) < line.size())
                buffer.resize(size_t(line.size()));
            const QChar* const end = utf8.appendToBuffer(buffer.data(), line);
            const QString text(buffer.data(), end - buffer.data());
            if (faulty) {
                // Every faulty sequence became one U+FFFD; a U+FFFD that the
                // file itself holds is the valid sequence EF BF BD.
                qsizetype genuine = 0;
                for (qsizetype from = 0; (from = line.indexOf("\xEF\xBF\xBD", from)) >= 0; from += 3)
                    ++genuine;
                invalid += text.count(QChar(0xFFFD)) - genuine;
            }
            return text;
        });
        break;
    }
    }
    content.invalidBytes = invalid;
    return content;
}

TextFileContent readTextFile(const QString& path)
{
    return decodeTextFile(readAllBytes(path));
}

QStringList splitFileLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype cr = text.indexOf(u'\r', start);
        const qsizetype stop = cr < 0 ? n : cr;
        lines.append(text.mid(start, stop - start).toString());
        if (cr < 0)
            break;
        start = cr + 1;
        if (start < n && text[start] == u'\n')
            ++start;
    }
    return lines;
}

QStringList splitAddedText(const QString& text, int foldWidth)
{
    QStringList lines;
    if (text.isEmpty()) {
        lines.append(QString());
        return lines;
    }
    const qsizetype width = foldWidth > 0 ? foldWidth : 0;
    auto add = [&](QString segment) {
        if (width == 0 || segment.isEmpty()) {
            lines.append(segment);
            return;
        }
        // Pieces of `width` characters; a surrogate pair counts as one.
        qsizetype from = 0;
        while (from < segment.size()) {
            qsizetype to = from;
            for (qsizetype count = 0; count < width && to < segment.size(); ++count)
                to += (segment[to].isHighSurrogate() && to + 1 < segment.size()
                       && segment[to + 1].isLowSurrogate()) ? 2 : 1;
            lines.append(segment.mid(from, to - from));
            from = to;
        }
    };

    const qsizetype n = text.size();
    qsizetype start = 0;
    char16_t previousBreak = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        const bool isBreak = c == u'\r' || c == u'\n';
        if (!isBreak && i != n - 1) {
            previousBreak = 0;
            continue;
        }
        if (c == u'\n' && previousBreak == u'\r') {
            // The second half of CR LF: the break was already taken.
            previousBreak = c;
            start = i + 1;
            continue;
        }
        QString segment = text.mid(start, i - start + 1);
        segment.remove(u'\r');
        segment.remove(u'\n');
        add(std::move(segment));
        start = i + 1;
        previousBreak = c;
    }
    return lines;
}

QString unencodableCharacters(const QStringList& lines, TextEncoding encoding)
{
    QString missing;
    if (encoding != TextEncoding::Cp932)
        return missing;
    QSet<char32_t> seen;
    for (const QString& line : lines) {
        if (cp932::canEncode(line))
            continue;
        QString lineMissing;
        cp932::encode(line, &lineMissing);
        appendDistinct(missing, seen, lineMissing);
    }
    return missing;
}

void writeTextFile(const QString& path, const QStringList& lines, TextEncoding encoding,
                   Unencodable unencodable)
{
    saveAtomically(path, encodeLines(lines, encoding, unencodable, "\r\n", {}));
}

void writeMacTextFile(const QString& path, const QStringList& lines, TextEncoding encoding,
                      Unencodable unencodable)
{
    saveAtomically(path, encodeLines(lines, encoding, unencodable, "\r", "\r\n"));
}

}  // namespace petari
