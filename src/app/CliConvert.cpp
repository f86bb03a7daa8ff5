#include "app/Cli.h"
#include "copy/Conversions.h"
#include "document/Utf8.h"

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

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// A sound mark that a kana before it may take in (ﾞ ﾟ, ゛ ゜ and the
// combining ones, which the half-width step turns into ﾞ ﾟ).
bool isSoundMark(const unsigned char* p, const unsigned char* end)
{
    return end - p >= 3
           && ((p[0] == 0xE3 && p[1] == 0x82 && p[2] >= 0x99 && p[2] <= 0x9C)
               || (p[0] == 0xEF && p[1] == 0xBE && (p[2] == 0x9E || p[2] == 0x9F)));
}

// Whether the input may be cut before p and the two pieces converted apart
// with the same result as the whole: no UTF-8 sequence (a surrogate pair
// once decoded) may span the cut, and no sound mark may be parted from a
// kana before it.  A mark after a mark is no such pair: a mark never turns
// into a kana.
bool canCutAt(const unsigned char* begin, const unsigned char* p, const unsigned char* end)
{
    if (isContinuation(*p)) {
        for (int k = 1; k <= 3 && p - k >= begin; ++k)
            if (p[-k] >= 0xC0)
                return false;
    }
    if (*p == 0xE3 || *p == 0xEF) {
        if (end - p < 3)
            return false;   // cannot tell yet
        if (isSoundMark(p, end) && !(p - begin >= 3 && isSoundMark(p - 3, p)))
            return false;
    }
    return true;
}

// The conversions applied block by block.  Only capitalising looks back
// past a cut (is the next letter the start of a word?), so each step keeps
// the last character it was given and converts the next block as if that
// character came first, dropping what it makes of it.
class BlockConverter {
public:
    explicit BlockConverter(QList<Conversion> modes)
        : modes_(std::move(modes)), last_(size_t(modes_.size()))
    {
    }

    void convert(QString& text)
    {
        for (qsizetype i = 0; i < modes_.size(); ++i) {
            QString& last = last_[size_t(i)];
            QString out;
            if (modes_[i] == Conversion::Capitalise && !last.isEmpty()) {
                const qsizetype drop = capitaliseWords(last).size();
                out = capitaliseWords(last + text).mid(drop);
            } else {
                out = applyConversion(modes_[i], text);
            }
            if (!text.isEmpty()) {
                const qsizetype n = text.size();
                const bool pair = n >= 2 && text[n - 1].isLowSurrogate() && text[n - 2].isHighSurrogate();
                last = text.right(pair ? 2 : 1);
            }
            text = std::move(out);
        }
    }

private:
    QList<Conversion> modes_;
    std::vector<QString> last_;
};

}  // namespace

int convertStream(std::FILE* in, std::FILE* out, const QList<Conversion>& modes, std::size_t blockSize)
{
    // Bytes that are not well-formed UTF-8 must come out exactly as they
    // went in: utf8::decodeEscaped carries each through the conversions as a
    // lone low surrogate, which no mapping touches.
    //
    // The input is read in blocks and each is converted up to its last safe
    // cut, the rest carried over: memory stays bounded however long the
    // input is and whether or not it has line breaks (/dev/zero), and the
    // result is the same as converting it whole.
    blockSize = std::max<std::size_t>(blockSize, 1);
    std::vector<unsigned char> buffer;
    std::size_t pending = 0;   // bytes carried over from the last block
    BlockConverter converter(modes);
    QString text;
    QByteArray encoded;

    auto convertAndWrite = [&](std::size_t length) -> bool {
        text.clear();
        utf8::decodeEscaped(QByteArrayView(buffer.data(), qsizetype(length)), text);
        converter.convert(text);
        encoded.clear();
        utf8::encodeEscaped(text, encoded);
        return std::fwrite(encoded.constData(), 1, std::size_t(encoded.size()), out)
               == std::size_t(encoded.size());
    };
    auto writeFailed = [] {
        std::fprintf(stderr, "petari: cannot write the output: %s\n", std::strerror(errno));
        return 1;
    };

    for (;;) {
        if (buffer.size() < pending + blockSize)
            buffer.resize(pending + blockSize);
        const std::size_t got = std::fread(buffer.data() + pending, 1, blockSize, in);
        if (std::ferror(in)) {
            std::fprintf(stderr, "petari: cannot read the input: %s\n", std::strerror(errno));
            return 1;
        }
        const std::size_t have = pending + got;
        const bool atEnd = got < blockSize;
        std::size_t cut = have;
        if (!atEnd) {
            // A safe cut lies within the last few bytes whatever they are;
            // only a block of a byte or two may have to wait for more.
            const unsigned char* const begin = buffer.data();
            const unsigned char* const end = begin + have;
            cut = 0;
            for (std::size_t c = have - 1; c > 0 && have - c <= 16; --c) {
                if (canCutAt(begin, begin + c, end)) {
                    cut = c;
                    break;
                }
            }
        }
        if (cut > 0 && !convertAndWrite(cut))
            return writeFailed();
        pending = have - cut;
        if (pending > 0 && cut > 0)
            std::memmove(buffer.data(), buffer.data() + cut, pending);
        if (atEnd)
            break;
    }
    if (std::fflush(out) != 0)
        return writeFailed();
    return 0;
}

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
    return convertStream(stdin, stdout, *modes, ConvertBlockSize);
}

}  // namespace petari
