#include "document/TextFile.h"

#include "document/Cp932.h"
#include "document/FileName.h"
#include "document/Utf8.h"
#include "platform/Failure.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <future>
#include <system_error>
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

// Plain POSIX calls: their errno tells a missing file, a missing folder and
// a refused permission apart, which QFile does not; and they take the name's
// own bytes.
QByteArray readAllBytes(const QString& path, qint64 limit)
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

    QByteArray bytes;
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
    if (filled > limit)
        tooLarge(path, limit);
    bytes.resize(filled);
    return bytes;
}

// The UTF-16 unit at p in the byte order given.
inline char16_t unitAt(const unsigned char* p, bool bigEndian)
{
    return bigEndian ? char16_t(p[0] << 8 | p[1]) : char16_t(p[1] << 8 | p[0]);
}

// Whether bytes holding NULs are UTF-16 text in that byte order: no NUL
// character, no control character but tab, line feed, vertical tab, form
// feed and carriage return, every surrogate paired, no U+FFFE or U+FFFF,
// and no unit whose high byte is CR or LF.  The last rule keeps a code page
// text with NULs in it ("a NUL b CR LF NUL") from passing, at the price of
// the scripts of U+0A00-0AFF and U+0D00-0DFF without a byte order mark.
bool plausibleUtf16(QByteArrayView bytes, bool bigEndian)
{
    if (bytes.size() % 2 != 0)
        return false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype units = bytes.size() / 2;
    for (qsizetype i = 0; i < units; ++i) {
        const char16_t u = unitAt(p + 2 * i, bigEndian);
        if (u < 0x20 && !(u >= 0x09 && u <= 0x0D))
            return false;
        if ((u >> 8) == 0x0A || (u >> 8) == 0x0D || u >= 0xFFFE)
            return false;
        if (QChar::isLowSurrogate(u))
            return false;
        if (QChar::isHighSurrogate(u)) {
            if (i + 1 >= units || !QChar::isLowSurrogate(unitAt(p + 2 * (i + 1), bigEndian)))
                return false;
            ++i;
        }
    }
    return true;
}

enum class NulReading { None, Utf16Le, Utf16Be, Binary };

NulReading readNuls(QByteArrayView bytes)
{
    const char* const data = bytes.data();
    if (bytes.isEmpty() || !std::memchr(data, 0, size_t(bytes.size())))
        return NulReading::None;
    // Text in UTF-16 has its NULs in the high bytes of ASCII characters and
    // line breaks: the odd bytes for little-endian, the even ones for big.
    qsizetype even = 0, odd = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (data[i] == 0)
            ++(i % 2 ? odd : even);
    }
    // Ideographic spaces and the like put NULs on the other side too: the
    // byte order the NULs favour is tried first, then the other.
    const bool bigEndian = even > odd;
    for (const bool big : {bigEndian, !bigEndian}) {
        if (plausibleUtf16(bytes, big))
            return big ? NulReading::Utf16Be : NulReading::Utf16Le;
    }
    return NulReading::Binary;
}

// The units of UTF-16 bytes; an unpaired surrogate and an odd last byte
// each become U+FFFD and are counted in *invalid.
QString decodeUtf16(QByteArrayView bytes, bool bigEndian, qsizetype* invalid)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype units = bytes.size() / 2;
    QString text(units + bytes.size() % 2, Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < units; ++i) {
        char16_t u = unitAt(p + 2 * i, bigEndian);
        if (QChar::isHighSurrogate(u) && i + 1 < units
            && QChar::isLowSurrogate(unitAt(p + 2 * (i + 1), bigEndian))) {
            out[i] = u;
            out[i + 1] = unitAt(p + 2 * (i + 1), bigEndian);
            ++i;
            continue;
        }
        if (QChar::isSurrogate(u)) {
            u = 0xFFFD;
            ++*invalid;
        }
        out[i] = u;
    }
    if (bytes.size() % 2) {
        out[units] = 0xFFFD;
        ++*invalid;
    }
    return text;
}

// Cuts the bytes into lines at CR (one LF after it belongs to the break)
// and decodes each line by itself.  Both encodings read here never use the
// bytes CR or LF inside a character, so cutting before decoding gives the
// same lines as decoding first.
template <class DecodeLine>
QStringList splitBytesIntoLines(QByteArrayView bytes, DecodeLine& decodeLine)
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

// Where the piece of bytes that starts at from (a line's start) should end:
// at the start of the first line after from + size, or at the end.
qsizetype pieceEnd(QByteArrayView bytes, qsizetype from, qsizetype size)
{
    if (bytes.size() - from <= size)
        return bytes.size();
    const qsizetype cr = bytes.indexOf('\r', from + size);
    if (cr < 0)
        return bytes.size();
    return cr + 1 < bytes.size() && bytes[cr + 1] == '\n' ? cr + 2 : cr + 1;
}

// splitBytesIntoLines over pieces of a large file at once, one per core:
// the user waits for a big file to open, and lines cut at their breaks
// decode independently.  makeDecoder gives each piece a decoder of its own
// (a callable QString(QByteArrayView line, qsizetype& invalid)), since
// decoders keep a buffer.
template <class MakeDecoder>
QStringList decodeLines(QByteArrayView bytes, MakeDecoder makeDecoder, qsizetype* invalid)
{
    constexpr qsizetype MinPiece = qsizetype(4) << 20;
    const qsizetype pieces =
        std::clamp<qsizetype>(bytes.size() / MinPiece, 1, std::max(QThread::idealThreadCount(), 1));
    const auto decodePiece = [&makeDecoder](QByteArrayView piece, qsizetype* count) {
        auto decoder = makeDecoder();
        auto decodeLine = [&decoder, count](QByteArrayView line) { return decoder(line, *count); };
        return splitBytesIntoLines(piece, decodeLine);
    };
    std::vector<QByteArrayView> parts;
    for (qsizetype from = 0, left = pieces; from < bytes.size(); --left) {
        const qsizetype to = left == 1 ? bytes.size() : pieceEnd(bytes, from, bytes.size() / pieces);
        parts.push_back(bytes.sliced(from, to - from));
        from = to;
    }
    if (parts.size() <= 1)
        return decodePiece(bytes, invalid);
    std::vector<qsizetype> counts(parts.size(), 0);
    std::vector<std::future<QStringList>> others;
    for (size_t i = 1; i < parts.size(); ++i) {
        try {
            others.push_back(std::async(std::launch::async, decodePiece, parts[i], &counts[i]));
        } catch (const std::system_error&) {
            // No thread to be had: this one decodes the piece when it comes to it.
            others.push_back(std::async(std::launch::deferred, decodePiece, parts[i], &counts[i]));
        }
    }
    QStringList lines = decodePiece(parts[0], &counts[0]);
    for (auto& other : others)
        lines.append(other.get());
    for (const qsizetype count : counts)
        *invalid += count;
    return lines;
}

struct Detection {
    TextEncoding encoding = TextEncoding::Cp932;
    bool binary = false;
    bool faultyUtf8 = false;   // the UTF-8 text holds ill-formed pieces
};

Detection detect(QByteArrayView bytes)
{
    Detection d;
    if (bytes.startsWith(Utf8Bom)) {
        d.encoding = TextEncoding::Utf8Bom;
        d.faultyUtf8 = utf8::scan(bytes.sliced(3)).faults > 0;
        return d;
    }
    if (bytes.startsWith("\xFF\xFE")) {
        d.encoding = TextEncoding::Utf16LeBom;
        return d;
    }
    if (bytes.startsWith("\xFE\xFF")) {
        d.encoding = TextEncoding::Utf16BeBom;
        return d;
    }
    switch (readNuls(bytes)) {
    case NulReading::Utf16Le: d.encoding = TextEncoding::Utf16Le; return d;
    case NulReading::Utf16Be: d.encoding = TextEncoding::Utf16Be; return d;
    case NulReading::Binary: d.binary = true; break;
    case NulReading::None: break;
    }
    const utf8::Scan scan = utf8::scanForVerdict(bytes);
    if (scan.readsAsUtf8()) {
        d.encoding = TextEncoding::Utf8;
        d.faultyUtf8 = scan.faults > 0;
    }
    return d;
}

// Lines of code page 932 or UTF-8 bytes.  faulty says whether the UTF-8
// may hold ill-formed pieces, which then are counted.
QStringList decodeLinesOf(QByteArrayView bytes, bool isUtf8, bool faulty, qsizetype* invalid)
{
    if (!isUtf8) {
        // Each line is decoded into one reused buffer and then copied into
        // a string of exactly its size: one allocation per line, none wasted.
        return decodeLines(bytes, [] {
            return [buffer = std::vector<char16_t>()](QByteArrayView line, qsizetype& invalid) mutable {
                if (qsizetype(buffer.size()) < line.size())
                    buffer.resize(size_t(line.size()));
                const qsizetype n = cp932::decodeInto(line, buffer.data(), &invalid);
                return QString(reinterpret_cast<const QChar*>(buffer.data()), n);
            };
        }, invalid);
    }
    // Stateless: a faulty sequence at the end of one line is that line's
    // fault alone.  Decoded into a reused buffer like code page 932.
    return decodeLines(bytes, [faulty] {
        return [faulty, buffer = std::vector<QChar>(),
                utf8 = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless)](
                   QByteArrayView line, qsizetype& invalid) mutable {
            if (qsizetype(buffer.size()) < line.size())
                buffer.resize(size_t(line.size()));
            const QChar* const end = utf8.appendToBuffer(buffer.data(), line);
            const QString text(buffer.data(), end - buffer.data());
            if (faulty) {
                // Every faulty byte became a U+FFFD; a U+FFFD that the file
                // itself holds is the valid sequence EF BF BD.
                qsizetype genuine = 0;
                for (qsizetype from = 0; (from = line.indexOf("\xEF\xBF\xBD", from)) >= 0; from += 3)
                    ++genuine;
                invalid += text.count(QChar(0xFFFD)) - genuine;
            }
            return text;
        };
    }, invalid);
}

}  // namespace

TextEncoding detectEncoding(QByteArrayView bytes) { return detect(bytes).encoding; }

bool isBinary(QByteArrayView bytes) { return detect(bytes).binary; }

TextFileContent decodeTextFile(QByteArrayView bytes)
{
    const Detection detection = detect(bytes);
    TextFileContent content;
    content.encoding = detection.encoding;
    content.binary = detection.binary;
    qsizetype invalid = 0;
    switch (content.encoding) {
    case TextEncoding::Cp932:
        content.lines = decodeLinesOf(bytes, false, false, &invalid);
        break;
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom: {
        const QByteArrayView body = content.encoding == TextEncoding::Utf8Bom ? bytes.sliced(3) : bytes;
        content.lines = decodeLinesOf(body, true, detection.faultyUtf8, &invalid);
        break;
    }
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
    case TextEncoding::Utf16LeBom:
    case TextEncoding::Utf16BeBom: {
        const bool hasMark = content.encoding == TextEncoding::Utf16LeBom
                             || content.encoding == TextEncoding::Utf16BeBom;
        const QByteArrayView body = hasMark ? bytes.sliced(2) : bytes;
        content.lines = splitFileLines(decodeUtf16(body, isBigEndian(content.encoding), &invalid));
        break;
    }
    }
    content.invalidBytes = invalid;
    return content;
}

QByteArray readFileBytes(const QString& path, qint64 limit) { return readAllBytes(path, limit); }

QStringList decodeLinesAs(QByteArrayView bytes, TextEncoding encoding, qsizetype* invalid)
{
    qsizetype count = 0;
    QStringList lines = decodeLinesOf(bytes, encoding == TextEncoding::Utf8, true, &count);
    if (invalid)
        *invalid = count;
    return lines;
}

TextFileContent readTextFile(const QString& path)
{
    return decodeTextFile(readAllBytes(path, TextFileLimit));
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

}  // namespace petari
