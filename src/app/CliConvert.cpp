#include "app/Cli.h"
#include "copy/Conversions.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace petari {

namespace {

void printUsage()
{
    std::fputs("usage: petari --convert MODE[,MODE...] < input > output\n"
               "  Converts UTF-8 text from standard input; the modes apply in the order given.\n"
               "  modes: full, half, katakana, hiragana, upper, lower, capitalise\n",
               stderr);
}

// Bytes that are not well-formed UTF-8 must come out exactly as they went in,
// so each one is carried through the conversions as a lone low surrogate
// U+DC80–U+DCFF (no mapping touches lone surrogates) and written back as the
// byte it stood for.
constexpr char16_t kEscapeBase = 0xDC00;

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

void decodeUtf8(const unsigned char* p, std::size_t n, QString& out)
{
    out.resize(qsizetype(n));   // one unit per byte is the most UTF-8 can need
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    char16_t* const begin = o;
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            *o++ = b;
            ++i;
            continue;
        }
        std::size_t len = 0;
        unsigned char lo = 0x80, hi = 0xBF;   // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            if (b == 0xE0)
                lo = 0xA0;   // no overlong forms
            else if (b == 0xED)
                hi = 0x9F;   // no encoded surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            if (b == 0xF0)
                lo = 0x90;
            else if (b == 0xF4)
                hi = 0x8F;   // nothing above U+10FFFF
        }
        bool ok = len != 0 && i + len <= n && p[i + 1] >= lo && p[i + 1] <= hi;
        for (std::size_t k = 2; ok && k < len; ++k)
            ok = isContinuation(p[i + k]);
        if (!ok) {
            *o++ = char16_t(kEscapeBase + b);
            ++i;
            continue;
        }
        if (len == 2) {
            *o++ = char16_t(((b & 0x1F) << 6) | (p[i + 1] & 0x3F));
        } else if (len == 3) {
            *o++ = char16_t(((b & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F));
        } else {
            const char32_t cp = (char32_t(b & 0x07) << 18) | (char32_t(p[i + 1] & 0x3F) << 12)
                                | (char32_t(p[i + 2] & 0x3F) << 6) | (p[i + 3] & 0x3F);
            *o++ = QChar::highSurrogate(cp);
            *o++ = QChar::lowSurrogate(cp);
        }
        i += len;
    }
    out.truncate(o - begin);
}

void encodeUtf8(QStringView text, QByteArray& out)
{
    const qsizetype n = text.size();
    out.resize(n * 3);   // a BMP unit takes at most three bytes, a pair four
    const char16_t* in = reinterpret_cast<const char16_t*>(text.utf16());
    unsigned char* o = reinterpret_cast<unsigned char*>(out.data());
    unsigned char* const begin = o;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        if (c < 0x80) {
            *o++ = static_cast<unsigned char>(c);
        } else if (c < 0x800) {
            *o++ = static_cast<unsigned char>(0xC0 | (c >> 6));
            *o++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(in[i + 1])) {
            const char32_t cp = QChar::surrogateToUcs4(c, in[++i]);
            *o++ = static_cast<unsigned char>(0xF0 | (cp >> 18));
            *o++ = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
            *o++ = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
            *o++ = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        } else if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
            *o++ = static_cast<unsigned char>(c - kEscapeBase);
        } else if (QChar::isSurrogate(c)) {
            // Cannot arise from decoding; written as U+FFFD rather than as
            // ill-formed UTF-8.
            *o++ = 0xEF;
            *o++ = 0xBF;
            *o++ = 0xBD;
        } else {
            *o++ = static_cast<unsigned char>(0xE0 | (c >> 12));
            *o++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
            *o++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
        }
    }
    out.truncate(o - begin);
}

}  // namespace

int runConvertMode(const QStringList& args)
{
    if (args.size() != 1) {
        if (args.isEmpty())
            std::fputs("petari: --convert needs a mode\n", stderr);
        else
            std::fputs("petari: --convert takes one comma-separated list of modes\n", stderr);
        printUsage();
        return 2;
    }
    const std::optional<QList<Conversion>> modes = parseConversionList(args.front());
    if (!modes) {
        std::fprintf(stderr, "petari: unknown conversion mode in \"%s\"\n",
                     args.front().toLocal8Bit().constData());
        printUsage();
        return 2;
    }

    // Every conversion stays within a line (a line end also ends a word and
    // never takes part in a sound-mark pair), so the input is converted in
    // pieces that end at a line feed: memory stays bounded however long the
    // input is, and the result is the same as converting it whole.
    constexpr std::size_t kChunk = std::size_t(1) << 22;
    std::vector<unsigned char> buffer;
    std::size_t pending = 0;   // bytes carried over from the last read
    QString text;
    QByteArray encoded;

    auto convertAndWrite = [&](std::size_t length) -> bool {
        decodeUtf8(buffer.data(), length, text);
        for (Conversion c : *modes)
            text = applyConversion(c, text);
        encodeUtf8(text, encoded);
        return std::fwrite(encoded.constData(), 1, std::size_t(encoded.size()), stdout)
               == std::size_t(encoded.size());
    };
    auto writeFailed = [] {
        std::fprintf(stderr, "petari: cannot write the output: %s\n", std::strerror(errno));
        return 1;
    };

    for (;;) {
        if (buffer.size() < pending + kChunk)
            buffer.resize(std::max(buffer.size() * 2, pending + kChunk));
        const std::size_t got = std::fread(buffer.data() + pending, 1, kChunk, stdin);
        if (std::ferror(stdin)) {
            std::fprintf(stderr, "petari: cannot read the input: %s\n", std::strerror(errno));
            return 1;
        }
        const std::size_t have = pending + got;
        const bool atEnd = got < kChunk;
        std::size_t cut = have;
        if (!atEnd) {
            // The carried-over bytes hold no line feed, so only the new ones are searched.
            const void* lf = memrchr(buffer.data() + pending, '\n', got);
            cut = lf ? std::size_t(static_cast<const unsigned char*>(lf) - buffer.data()) + 1 : 0;
        }
        if (cut > 0 && !convertAndWrite(cut))
            return writeFailed();
        pending = have - cut;
        if (pending > 0 && cut > 0)
            std::memmove(buffer.data(), buffer.data() + cut, pending);
        if (atEnd)
            break;
    }
    if (std::fflush(stdout) != 0)
        return writeFailed();
    return 0;
}

}  // namespace petari
