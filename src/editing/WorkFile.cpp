#include "editing/WorkFile.h"

#include "document/Cp932.h"
#include "document/TextFile.h"
#include "platform/AtomicFile.h"
#include "platform/Failure.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <zlib.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace petari {

namespace {

// Characters that come back unchanged from CP932.  A few look-alikes can be
// written in CP932 but read back as their Windows counterparts (〜 as ～), so
// "can be encoded" is not enough for a snapshot: undo must give back exactly
// the characters it was given.
const std::vector<char>& roundTripTable()
{
    static const std::vector<char> table = [] {
        std::vector<char> t(0x10000, 0);
        for (char32_t u = 0; u < 0x10000; ++u) {
            if (u >= 0xD800 && u <= 0xDFFF)
                continue;
            const QChar c{static_cast<char16_t>(u)};
            const QStringView one(&c, 1);
            if (!cp932::canEncode(one))
                continue;
            const QString back = cp932::decode(cp932::encode(one));
            t[u] = back.size() == 1 && back[0] == c;
        }
        return t;
    }();
    return table;
}

const QByteArray kUtf8Bom("\xEF\xBB\xBF");
constexpr qsizetype kBlock = 1 << 20;

int failureForErrno(int e)
{
    // Writing: a missing entry is a missing folder on the way.
    return e == ENOENT ? err::PathNotFound : errorNumberFromErrno(e);
}

[[noreturn]] void failWith(int e, const QString& path)
{
    const int number = failureForErrno(e);
    throw Failure(number, describeError(number) + path);
}

}  // namespace

quint32 crc32Of(const QByteArray& bytes, quint32 crc)
{
    return quint32(::crc32_z(crc, reinterpret_cast<const Bytef*>(bytes.constData()), size_t(bytes.size())));
}

WrittenFile writeLinesFile(const QString& path, const LineText& lines, const WorkFileOptions& options)
{
    if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
        failWith(EISDIR, path);

    // First the encoding, which the whole list decides.  The lines of a
    // piece lie one after another in their chunk: their text is read
    // without cutting it into lines.
    const std::vector<char>& ok = roundTripTable();
    bool cp932 = true;
    for (const LineText::Piece& piece : lines.pieces()) {
        const char16_t* const text = piece.chunk->text();
        const qsizetype end = piece.chunk->end(piece.first + piece.count - 1);
        for (qsizetype i = piece.chunk->start(piece.first); i < end && cp932; ++i)
            cp932 = ok[text[i]];
        if (!cp932)
            break;
    }

    WrittenFile out;
    AtomicFile file(path);
    // Lines are encoded straight into the block, which goes out once it
    // holds a megabyte.
    QByteArray block(kBlock + 4096, Qt::Uninitialized);
    qsizetype used = 0;
    auto flush = [&] {
        const QByteArray bytes = QByteArray::fromRawData(block.constData(), used);
        file.write(bytes);
        if (options.checksum)
            out.checksum = crc32Of(bytes, out.checksum);
        out.length += used;
        used = 0;
    };
    const auto room = [&](qsizetype needed) {
        if (used + needed > block.size()) {
            flush();
            if (needed > block.size())
                block.resize(needed);
        }
        return block.data() + used;
    };
    if (!cp932) {
        std::memcpy(room(kUtf8Bom.size()), kUtf8Bom.constData(), size_t(kUtf8Bom.size()));
        used += kUtf8Bom.size();
    }
    QStringEncoder utf8(QStringEncoder::Utf8);
    const auto encode = [&](QStringView text, bool lineEnd) {
        const qsizetype most = (cp932 ? 2 * text.size() : utf8.requiredSpace(text.size())) + 2;
        char* const at = room(most);
        char* end = cp932 ? cp932::encodeInto(text, at) : utf8.appendToBuffer(at, text);
        if (lineEnd) {
            *end++ = '\r';
            *end++ = '\n';
        }
        used += end - at;
        if (used >= kBlock)
            flush();
    };
    // A line longer than a block goes out a piece at a time, so that one of
    // a hundred million characters needs no block of its size.  The UTF-8
    // encoder keeps half a pair cut off at a piece's end for the next.
    constexpr qsizetype kPiece = kBlock / 4;
    for (QStringView line : lines) {
        for (; line.size() > kPiece; line = line.sliced(kPiece))
            encode(line.first(kPiece), false);
        encode(line, true);
    }
    if (used > 0)
        flush();
    file.commit(options.durable, options.durable ? ordinaryFileMode() : 0);
    return out;
}

void writeWorkFile(const QString& path, const LineText& lines)
{
    WorkFileOptions options;
    options.durable = true;
    writeLinesFile(path, lines, options);
}

void writeSnapshotFile(const QString& path, const LineText& lines)
{
    writeLinesFile(path, lines, WorkFileOptions());
}

QByteArray readWorkBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(path))
            throw Failure(err::FileNotFound, describeError(err::FileNotFound) + path);
        const int number = file.error() == QFileDevice::PermissionsError ? err::PermissionDenied
                                                                         : err::PathFileAccess;
        throw Failure(number, describeError(number) + path);
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(err::PathFileAccess, describeError(err::PathFileAccess) + path);
    return bytes;
}

QString damagedSnapshotText(const QString& path)
{
    return QStringLiteral("元に戻すデータが壊れています。") + QChar(0x3000) + path;
}

LineText decodeWorkBytes(const QByteArray& bytes, const QString& path)
{
    // The byte-order mark alone decides: without it the file is CP932, even
    // when its bytes would also pass for UTF-8 (ﾃｽ is C3 BD, a valid "ý").
    const bool utf8 = bytes.startsWith(kUtf8Bom);
    qsizetype invalid = 0;
    LineText lines = decodeLinesAs(utf8 ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes),
                                      utf8 ? TextEncoding::Utf8 : TextEncoding::Cp932, &invalid);
    // Every work file this program writes is valid text: anything else was
    // damaged behind its back and must not be taken for the list it held.
    if (invalid > 0)
        throw Failure(err::PathFileAccess, damagedSnapshotText(path));
    return lines;
}

LineText readWorkFile(const QString& path) { return decodeWorkBytes(readWorkBytes(path), path); }

}  // namespace petari
