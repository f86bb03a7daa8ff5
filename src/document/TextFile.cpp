#include "document/TextFile.h"

#include "document/Cp932.h"
#include "document/FileBytes.h"
#include "document/Utf8.h"

#include <QStringDecoder>
#include <QThread>

#include <algorithm>
#include <cstring>
#include <functional>
#include <future>
#include <system_error>
#include <vector>

namespace petari {

namespace {

const QByteArrayView Utf8Bom("\xEF\xBB\xBF", 3);

// Gives decoded bytes back to the system (see FileBytes); empty: they stay.
using Release = std::function<void(const char* from, const char* to)>;
constexpr qsizetype ReleaseStep = qsizetype(1) << 20;

// ---------------------------------------------------------------- reading

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

// Whether UTF-16 bytes that passed plausibleUtf16 show enough of text to be
// taken for it without a byte order mark.  A short run of binary bytes
// passes that check easily (BIN NUL 01 02 "data" reads as 䥂Nȁ慤慴), so text
// must also look like text: a CR LF, as every line of a UTF-16 text file
// ends, or units whose high byte is NUL (ASCII and Latin-1), at least four
// of them and at least a quarter of all units.
bool enoughUtf16Evidence(QByteArrayView bytes, bool bigEndian)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype units = bytes.size() / 2;
    qsizetype ascii = 0;
    char16_t previous = 0;
    for (qsizetype i = 0; i < units; ++i) {
        const char16_t u = unitAt(p + 2 * i, bigEndian);
        if (previous == u'\r' && u == u'\n')
            return true;
        ascii += u < 0x100;
        previous = u;
    }
    return ascii >= 4 && 4 * ascii >= units;
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
        if (plausibleUtf16(bytes, big) && enoughUtf16Evidence(bytes, big))
            return big ? NulReading::Utf16Be : NulReading::Utf16Le;
    }
    return NulReading::Binary;
}

// The lines of UTF-16 bytes, by the reading rules (see TextFile.h); an
// unpaired surrogate and an odd last byte each become U+FFFD and are counted
// in *invalid.
LineText decodeUtf16Lines(QByteArrayView bytes, bool bigEndian, qsizetype* invalid, const Release& release,
                          LineBudget* budget)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype units = bytes.size() / 2;
    const qsizetype total = units + bytes.size() % 2;   // an odd last byte is one more unit
    const auto unit = [&](qsizetype i) { return i < units ? unitAt(p + 2 * i, bigEndian) : char16_t(0xFFFD); };
    LineTextBuilder lines;
    lines.setBudget(budget);
    const char* released = bytes.data();
    qsizetype start = 0;
    while (start < total) {
        qsizetype stop = start;
        while (stop < total && unit(stop) != u'\r')
            ++stop;
        // An LF before the CR is a break of its own (see TextFile.h).
        const bool lfBeforeCr = stop < total && stop > start && unit(stop - 1) == u'\n';
        const qsizetype lineEnd = stop - lfBeforeCr;
        char16_t* out = lines.beginLine(lineEnd - start);
        for (qsizetype i = start; i < lineEnd; ++i) {
            char16_t u = unit(i);
            if (QChar::isHighSurrogate(u) && i + 1 < units && QChar::isLowSurrogate(unit(i + 1))) {
                *out++ = u;
                *out++ = unit(++i);
                continue;
            }
            if (QChar::isSurrogate(u) || i >= units) {
                u = 0xFFFD;
                ++*invalid;
            }
            *out++ = u;
        }
        lines.endLine(lineEnd - start);
        if (lfBeforeCr)
            lines.append(QStringView());
        start = stop + 1;
        if (start < total && unit(start) == u'\n')
            ++start;
        const char* consumed = bytes.data() + std::min(2 * start, bytes.size());
        if (release && consumed - released >= ReleaseStep) {
            release(released, consumed);
            released = consumed;
        }
    }
    return lines.finish();
}

// Cuts the bytes into lines at CR (one LF after it belongs to the break)
// and decodes each line by itself straight into chunks.  Both encodings read
// here never use the bytes CR or LF inside a character, so cutting before
// decoding gives the same lines as decoding first.  What has been decoded
// is released as it goes.
template <class DecodeLine>
LineText splitBytesIntoLines(QByteArrayView bytes, DecodeLine& decodeLine, const Release& release,
                             LineBudget* budget, bool lfBeforeCrBreaks)
{
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    const char* released = p;
    LineTextBuilder lines;
    lines.setBudget(budget);
    while (p < end) {
        // Most lines are short: their first bytes are looked at here, for
        // the CR that ends the line and an LF inside it, and only what is
        // left of a longer line by memchr.
        const char* stop = p;
        bool lf = false;
        const char* const quick = end - p > 32 ? p + 32 : end;
        while (stop < quick && *stop != '\r')
            lf |= *stop++ == '\n';
        if (stop == quick && quick != end) {
            const auto* cr = static_cast<const char*>(std::memchr(quick, '\r', size_t(end - quick)));
            stop = cr ? cr : end;
            lf = lf || std::memchr(quick, '\n', size_t(stop - quick));
        }
        // An LF before the CR is a break of its own (see TextFile.h).  Neither
        // encoding has an LF byte inside a character, so it is the LF itself.
        const bool lfBeforeCr = lfBeforeCrBreaks && stop != end && stop != p && stop[-1] == '\n';
        decodeLine(QByteArrayView(p, stop - p - lfBeforeCr), lines, lf);
        if (lfBeforeCr)
            lines.append(QStringView());
        if (stop == end)
            break;
        p = stop + 1;
        if (p < end && *p == '\n')
            ++p;
        if (release && p - released >= ReleaseStep) {
            release(released, p);
            released = p;
        }
    }
    return lines.finish();
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
// decode independently, each piece into chunks of its own.  makeDecoder
// gives each piece a decoder of its own (a callable void(QByteArrayView
// line, LineTextBuilder& lines, bool lf, qsizetype& invalid), lf telling
// whether the line holds an LF byte), since decoders keep state.  All of
// them take from one budget: the first to find it spent stops them all.
template <class MakeDecoder>
LineText decodeLines(QByteArrayView bytes, MakeDecoder makeDecoder, qsizetype* invalid, const Release& release,
                     LineBudget* budget, bool lfBeforeCrBreaks)
{
    constexpr qsizetype MinPiece = qsizetype(4) << 20;
    const qsizetype pieces =
        std::clamp<qsizetype>(bytes.size() / MinPiece, 1, std::max(QThread::idealThreadCount(), 1));
    const auto decodePiece = [&makeDecoder, &release, budget, lfBeforeCrBreaks](QByteArrayView piece,
                                                                                 qsizetype* count) {
        auto decoder = makeDecoder();
        auto decodeLine = [&decoder, count](QByteArrayView line, LineTextBuilder& lines, bool lf) {
            decoder(line, lines, lf, *count);
        };
        return splitBytesIntoLines(piece, decodeLine, release, budget, lfBeforeCrBreaks);
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
    std::vector<std::future<LineText>> others;
    for (size_t i = 1; i < parts.size(); ++i) {
        try {
            others.push_back(std::async(std::launch::async, decodePiece, parts[i], &counts[i]));
        } catch (const std::system_error&) {
            // No thread to be had: this one decodes the piece when it comes to it.
            others.push_back(std::async(std::launch::deferred, decodePiece, parts[i], &counts[i]));
        }
    }
    LineText lines = decodePiece(parts[0], &counts[0]);
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
// may hold ill-formed pieces, which then are counted.  Neither makes more
// UTF-16 units than the line has bytes (the UTF-8 decoder asks room for
// one more).
LineText decodeLinesOf(QByteArrayView bytes, bool isUtf8, bool faulty, qsizetype* invalid, const Release& release,
                       LineBudget* budget = nullptr, bool lfBeforeCrBreaks = true)
{
    if (!isUtf8) {
        return decodeLines(bytes, [] {
            return [](QByteArrayView line, LineTextBuilder& lines, bool lf, qsizetype& invalid) {
                // Lines are cut at CR: only an LF byte can be a break in one.
                lines.endLine(cp932::decodeInto(line, lines.beginLine(line.size()), &invalid), lf);
            };
        }, invalid, release, budget, lfBeforeCrBreaks);
    }
    // Stateless: a faulty sequence at the end of one line is that line's
    // fault alone.  Every line starts the decoder afresh, which would take
    // a U+FEFF at a line's start for a byte order mark: only the file's
    // first bytes can be one, and the caller has taken those off already.
    constexpr auto flags = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;
    return decodeLines(bytes, [faulty] {
        return [faulty, utf8 = QStringDecoder(QStringDecoder::Utf8, flags)](
                   QByteArrayView line, LineTextBuilder& lines, bool lf, qsizetype& invalid) mutable {
            auto* const out = reinterpret_cast<QChar*>(lines.beginLine(line.size() + 1));
            const QChar* const end = utf8.appendToBuffer(out, line);
            if (faulty) {
                // Every faulty byte became a U+FFFD; a U+FFFD that the file
                // itself holds is the valid sequence EF BF BD.
                qsizetype genuine = 0;
                for (qsizetype from = 0; (from = line.indexOf("\xEF\xBF\xBD", from)) >= 0; from += 3)
                    ++genuine;
                invalid += std::count(static_cast<const QChar*>(out), end, QChar(0xFFFD)) - genuine;
            }
            lines.endLine(end - out, lf);
        };
    }, invalid, release, budget, lfBeforeCrBreaks);
}

}  // namespace

TextEncoding detectEncoding(QByteArrayView bytes) { return detect(bytes).encoding; }

bool isBinary(QByteArrayView bytes) { return detect(bytes).binary; }

namespace {

TextFileContent decodeDetected(QByteArrayView bytes, const Detection& detection, const Release& release,
                               LineBudget* budget)
{
    TextFileContent content;
    content.encoding = detection.encoding;
    content.binary = detection.binary;
    qsizetype invalid = 0;
    switch (content.encoding) {
    case TextEncoding::Cp932:
        content.lines = decodeLinesOf(bytes, false, false, &invalid, release, budget);
        break;
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom: {
        const QByteArrayView body = content.encoding == TextEncoding::Utf8Bom ? bytes.sliced(3) : bytes;
        content.lines = decodeLinesOf(body, true, detection.faultyUtf8, &invalid, release, budget);
        break;
    }
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
    case TextEncoding::Utf16LeBom:
    case TextEncoding::Utf16BeBom: {
        const bool hasMark = content.encoding == TextEncoding::Utf16LeBom
                             || content.encoding == TextEncoding::Utf16BeBom;
        const QByteArrayView body = hasMark ? bytes.sliced(2) : bytes;
        content.lines = decodeUtf16Lines(body, isBigEndian(content.encoding), &invalid, release, budget);
        break;
    }
    }
    content.invalidBytes = invalid;
    return content;
}

}  // namespace

TextFileContent decodeTextFile(QByteArrayView bytes) { return decodeDetected(bytes, detect(bytes), {}, nullptr); }

TextFileContent decodeFileBytes(FileBytes& bytes, bool keepBinary, LineBudget* budget, StopCheck stop)
{
    const Detection detection = detect(bytes.view());
    if (stop && stop())
        throw ReadStopped();
    if (detection.binary && keepBinary) {
        TextFileContent content;
        content.encoding = detection.encoding;
        content.binary = true;
        return content;
    }
    return decodeDetected(bytes.view(), detection,
                          [&bytes, stop](const char* from, const char* to) {
                              bytes.release(from, to);
                              if (stop && stop())
                                  throw ReadStopped();
                          },
                          budget);
}

QByteArray readFileBytes(const QString& path, qint64 limit) { return readFileBuffer(path, limit).view().toByteArray(); }

LineText decodeLinesAs(QByteArrayView bytes, TextEncoding encoding, qsizetype* invalid)
{
    qsizetype count = 0;
    // The program's own files end every line with CR LF, whatever the line
    // holds: a line that ends in an LF must come back as it went.
    LineText lines = decodeLinesOf(bytes, encoding == TextEncoding::Utf8, true, &count, {}, nullptr, false);
    if (invalid)
        *invalid = count;
    return lines;
}

TextFileContent readTextFile(const QString& path)
{
    FileBytes bytes = readFileBuffer(path, TextFileLimit);
    return decodeFileBytes(bytes, false, nullptr);
}

QStringList splitFileLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype cr = text.indexOf(u'\r', start);
        const qsizetype stop = cr < 0 ? n : cr;
        const bool lfBeforeCr = cr > start && text[cr - 1] == u'\n';
        lines.append(text.mid(start, stop - start - lfBeforeCr).toString());
        if (lfBeforeCr)
            lines.append(QString());
        if (cr < 0)
            break;
        start = cr + 1;
        if (start < n && text[start] == u'\n')
            ++start;
    }
    return lines;
}

void appendAddedLines(LineTextBuilder& out, QStringView text, int foldWidth)
{
    const auto add = [&](QStringView line) {
        if (foldWidth <= 0 || line.isEmpty()) {
            out.append(line);
            return;
        }
        // Pieces of foldWidth characters; a surrogate pair counts as one.
        for (qsizetype from = 0; from < line.size();) {
            qsizetype to = from;
            for (int count = 0; count < foldWidth && to < line.size(); ++count)
                to += (line[to].isHighSurrogate() && to + 1 < line.size() && line[to + 1].isLowSurrogate()) ? 2 : 1;
            out.append(line.sliced(from, to - from));
            from = to;
        }
    };
    if (text.isEmpty()) {
        out.append(QStringView());
        return;
    }
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        add(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;   // one break, CR LF
        start = i + 1;
    }
    if (start < n)
        add(text.sliced(start));
}

LineText splitAddedLines(QStringView text, int foldWidth, LineBudget* budget)
{
    LineTextBuilder out;
    out.setBudget(budget);
    appendAddedLines(out, text, foldWidth);
    return out.finish();
}

QStringList splitAddedText(const QString& text, int foldWidth)
{
    return splitAddedLines(text, foldWidth).toStringList();
}

}  // namespace petari
