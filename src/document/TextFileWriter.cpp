#include "document/TextFile.h"

#include "document/Cp932.h"
#include "document/FileName.h"
#include "platform/Failure.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStringEncoder>

#include <cerrno>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace petari {

namespace {

const QByteArrayView Utf8Bom("\xEF\xBB\xBF", 3);

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

// Writes out a block of bytes and empties it.
using Flush = std::function<void(QByteArray& block)>;

// The bytes produce hands to its flush go to a new file beside path, which
// replaces path only once it is complete.
void saveAtomically(const QString& path, const std::function<void(const Flush&)>& produce)
{
    if (path.isEmpty())
        throw Failure(err::PathFileAccess);
    // QSaveFile would write such a name as UTF-8, to another file than the
    // one that was read.
    if (needsByteName(path))
        throw Failure(err::BadFileName,
                      QStringLiteral("UTF-8 でないファイル名には保存できません。別の名前で保存してください。") +
                          QChar(0x3000) + path);
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
    produce([&](QByteArray& block) {
        const char* data = block.constData();
        qint64 left = block.size();
        while (left > 0) {
            // A short write means the disk filled up; the next one says so.
            const qint64 n = file.write(data, left);
            if (n <= 0)
                fail(errno);
            data += n;
            left -= n;
        }
        block.truncate(0);
    });
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

constexpr qsizetype kBlock = qsizetype(1) << 20;

// The file's bytes, a block at a time: each line followed by lineEnd, then
// trailer.  What the encoding cannot hold is written as "?".
void encodeLines(const LineText& lines, TextEncoding encoding, QStringView lineEnd, QStringView trailer,
                 const Flush& flush)
{
    QByteArray bytes;
    bytes.reserve(kBlock + 4096);
    const auto step = [&] {
        if (bytes.size() >= kBlock)
            flush(bytes);
    };
    if (encoding == TextEncoding::Cp932) {
        const QByteArray end = lineEnd.toLatin1();
        for (QStringView line : lines) {
            cp932::encodeAppend(line, bytes);
            bytes.append(end);
            step();
        }
        bytes.append(trailer.toLatin1());
    } else if (isUtf16(encoding)) {
        const bool big = isBigEndian(encoding);
        auto append = [&bytes, big](QStringView text) {
            const qsizetype at = bytes.size();
            bytes.resize(at + 2 * text.size());
            char* o = bytes.data() + at;
            for (const QChar c : text) {
                const char16_t u = c.unicode();
                *o++ = char(big ? u >> 8 : u & 0xFF);
                *o++ = char(big ? u & 0xFF : u >> 8);
            }
        };
        if (encoding == TextEncoding::Utf16LeBom || encoding == TextEncoding::Utf16BeBom)
            append(u"\uFEFF");
        for (QStringView line : lines) {
            append(line);
            append(lineEnd);
            step();
        }
        append(trailer);
    } else {
        if (encoding == TextEncoding::Utf8Bom)
            bytes.append(Utf8Bom);
        const QByteArray end = lineEnd.toLatin1();
        QStringEncoder utf8(QStringEncoder::Utf8);
        for (QStringView line : lines) {
            const qsizetype at = bytes.size();
            bytes.resize(at + utf8.requiredSpace(line.size()));
            char* const stop = utf8.appendToBuffer(bytes.data() + at, line);
            bytes.truncate(stop - bytes.constData());
            bytes.append(end);
            step();
        }
        bytes.append(trailer.toLatin1());
    }
    flush(bytes);
}

void writeLines(const QString& path, const LineText& lines, TextEncoding encoding, Unencodable unencodable,
                QStringView lineEnd, QStringView trailer)
{
    // Before the file is touched.
    if (unencodable == Unencodable::Refuse) {
        const QString missing = unencodableCharacters(lines, encoding);
        if (!missing.isEmpty())
            refuseUnencodable(missing);
    }
    saveAtomically(path, [&](const Flush& flush) { encodeLines(lines, encoding, lineEnd, trailer, flush); });
}

}  // namespace

QString unencodableCharacters(const LineText& lines, TextEncoding encoding)
{
    QString missing;
    if (encoding != TextEncoding::Cp932)
        return missing;
    QSet<char32_t> seen;
    for (QStringView line : lines) {
        if (cp932::canEncode(line))
            continue;
        QString lineMissing;
        cp932::encode(line, &lineMissing);
        appendDistinct(missing, seen, lineMissing);
    }
    return missing;
}

void writeTextFile(const QString& path, const LineText& lines, TextEncoding encoding, Unencodable unencodable)
{
    writeLines(path, lines, encoding, unencodable, u"\r\n", {});
}

void writeMacTextFile(const QString& path, const LineText& lines, TextEncoding encoding, Unencodable unencodable)
{
    writeLines(path, lines, encoding, unencodable, u"\r", u"\r\n");
}

}  // namespace petari
