#include "document/Cp932.h"

#include "platform/Failure.h"

#include <QSet>

#include <unicode/ucnv.h>

#include <cstring>
#include <memory>

namespace petari::cp932 {

namespace {

constexpr char16_t Replacement = 0xFFFD;
// What ICU answers for bytes that end in the middle of a character.
constexpr char16_t Truncated = 0xFFFF;
// In the encoding table: no code.
constexpr quint16 NoCode = 0xFFFF;

// The byte ranges of the code page's structure.  Written as comparisons
// rather than looked up so that the decoder knows a character's length
// before any table access; the tests hold the outcome against glibc.
inline bool isLeadByte(unsigned b)
{
    return (b - 0x81u <= 0x9Fu - 0x81u) | (b - 0xE0u <= 0xFCu - 0xE0u);
}

inline bool isTrailByte(unsigned b)
{
    return (b - 0x40u <= 0x7Eu - 0x40u) | (b - 0x80u <= 0xFCu - 0x80u);
}

struct Tables {
    // By byte; Replacement for undefined bytes and for lead bytes, which
    // stand for nothing without their trail byte.
    char16_t single[256];
    // By (lead - 0x80, trail); Replacement for unassigned codes.
    char16_t doubled[128][256];
    quint16 codes[0x10000];       // by UTF-16 unit; NoCode when unmappable
};

class Converter {
public:
    Converter()
    {
        UErrorCode status = U_ZERO_ERROR;
        conv_ = ucnv_open("windows-31j", &status);
        if (U_FAILURE(status) || !conv_)
            throw Failure(err::Internal, QStringLiteral("ICU の windows-31j 変換器を開けません。"));
        // Stop at the first undefined sequence instead of substituting, so
        // that every table entry is either a real mapping or nothing.
        ucnv_setToUCallBack(conv_, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        ucnv_setFromUCallBack(conv_, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        ucnv_setFallback(conv_, false);
    }
    ~Converter() { ucnv_close(conv_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Returns the one UTF-16 unit the bytes decode to; Replacement when they
    // are undefined or not exactly one character; Truncated when they end in
    // the middle of a character.
    char16_t toUnit(const char* bytes, int length)
    {
        UErrorCode status = U_ZERO_ERROR;
        UChar out[4];
        ucnv_resetToUnicode(conv_);
        const int n = ucnv_toUChars(conv_, out, 4, bytes, length, &status);
        if (status == U_TRUNCATED_CHAR_FOUND)
            return Truncated;
        if (U_FAILURE(status) || n != 1)
            return Replacement;
        return out[0];
    }

    // Code of the unit by ICU's own choice (the preferred code of a
    // duplicate); NoCode when ICU has no round-trip mapping.
    quint16 toCode(char16_t unit)
    {
        UErrorCode status = U_ZERO_ERROR;
        char out[4];
        const UChar in = unit;
        ucnv_resetFromUnicode(conv_);
        const int n = ucnv_fromUChars(conv_, out, 4, &in, 1, &status);
        if (U_FAILURE(status))
            return NoCode;
        if (n == 1)
            return quint8(out[0]);
        if (n == 2)
            return quint16(quint8(out[0]) << 8 | quint8(out[1]));
        return NoCode;
    }

private:
    UConverter* conv_ = nullptr;
};

std::unique_ptr<Tables> buildTables()
{
    auto t = std::make_unique<Tables>();
    Converter icu;

    // ASCII maps to itself.  ICU's table for this code page comes from IBM and
    // swaps 0x1A, 0x1C and 0x7F among the control characters; Windows and
    // glibc do not, and a file's control characters must survive a round trip.
    for (int b = 0; b < 0x80; ++b)
        t->single[b] = char16_t(b);
    for (int b = 0x80; b < 0x100; ++b) {
        const char byte = char(b);
        const char16_t unit = isLeadByte(b) ? Replacement : icu.toUnit(&byte, 1);
        t->single[b] = unit == Truncated ? Replacement : unit;
    }
    // Undefined in code page 932 whatever a converter's private extensions say.
    for (int b : {0x80, 0xA0, 0xFD, 0xFE, 0xFF})
        t->single[b] = Replacement;

    for (int lead = 0x80; lead < 0x100; ++lead) {
        for (int trail = 0; trail < 0x100; ++trail) {
            char16_t unit = Replacement;
            if (isLeadByte(lead) && isTrailByte(trail)) {
                const char pair[2] = {char(lead), char(trail)};
                unit = icu.toUnit(pair, 2);
                if (unit == Truncated)
                    unit = Replacement;
            }
            t->doubled[lead - 0x80][trail] = unit;
        }
    }

    std::fill(std::begin(t->codes), std::end(t->codes), NoCode);
    for (int b = 0; b < 0x80; ++b)
        t->codes[b] = quint16(b);
    for (int b = 0x80; b < 0x100; ++b) {
        const char16_t u = t->single[b];
        if (u != Replacement)
            t->codes[u] = quint16(b);
    }
    for (int lead = 0x80; lead < 0x100; ++lead) {
        if (!isLeadByte(lead))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char16_t u = t->doubled[lead - 0x80][trail];
            if (u == Replacement || t->codes[u] != NoCode)
                continue;
            // Ask ICU for the preferred code of a character with several;
            // keep this code when ICU's answer would not read back as u.
            quint16 code = icu.toCode(u);
            const int l = code >> 8, tr = code & 0xFF;
            if (code == NoCode || !isLeadByte(l) || !isTrailByte(tr)
                || t->doubled[l - 0x80][tr] != u)
                code = quint16(lead << 8 | trail);
            t->codes[u] = code;
        }
    }

    // Look-alikes that Unix and Mac text carries where Windows has its own
    // characters, written the way glibc's converter writes them.
    static const struct { char16_t unit; quint16 code; } lookAlikes[] = {
        {0x301C, 0x8160},   // 〜 wave dash
        {0x2016, 0x8161},   // ‖ double vertical line
        {0x2212, 0x817C},   // − minus sign
        {0x2014, 0x815C},   // — em dash
        {0x00A5, 0x005C},   // ¥
        {0x203E, 0x007E},   // ‾ overline
        {0x00A2, 0x8191},   // ¢
        {0x00A3, 0x8192},   // £
        {0x00AC, 0x81CA},   // ¬
    };
    for (const auto& m : lookAlikes)
        if (t->codes[m.unit] == NoCode)
            t->codes[m.unit] = m.code;
    return t;
}

const Tables& tables()
{
    static const std::unique_ptr<Tables> t = buildTables();
    return *t;
}

bool isHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

qsizetype decodeInto(QByteArrayView bytes, char16_t* out, qsizetype* invalidCount)
{
    const Tables& t = tables();
    const char16_t* const doubled = &t.doubled[0][0];
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    char16_t* const start = out;
    qsizetype bad = 0;
    // Japanese text mixes one- and two-byte characters at random, which
    // defeats branch prediction.  The length of each character comes from
    // plain comparisons of its two bytes and both table entries are read;
    // the loop then selects instead of jumping.  A lead byte followed by a
    // byte outside the trail range is bad by itself and the next byte is
    // read again on its own, so a line break after it survives.  Runs of
    // eight ASCII bytes are copied in one step.
    while (end - p >= 2) {
        if (end - p >= 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            if (!(word & 0x8080808080808080ULL)) {
                for (int i = 0; i < 8; ++i)
                    out[i] = p[i];
                out += 8;
                p += 8;
                continue;
            }
        }
        const unsigned b = p[0];
        const unsigned next = p[1];
        const unsigned twoBytes = unsigned(isLeadByte(b)) & unsigned(isTrailByte(next));
        const char16_t pair = doubled[(b & 0x7Fu) << 8 | next];
        const char16_t single = t.single[b];
        const char16_t unit = twoBytes ? pair : single;
        *out++ = unit;
        bad += unit == Replacement;
        p += 1 + twoBytes;
    }
    if (p < end) {
        // A lead byte at the very end has lost its trail byte: single[]
        // holds Replacement for it.
        const char16_t unit = t.single[*p];
        *out++ = unit;
        bad += unit == Replacement;
    }
    if (invalidCount)
        *invalidCount += bad;
    return out - start;
}

QString decode(QByteArrayView bytes, qsizetype* invalidCount)
{
    QString text(bytes.size(), Qt::Uninitialized);
    qsizetype bad = 0;
    const qsizetype n = decodeInto(bytes, reinterpret_cast<char16_t*>(text.data()), &bad);
    text.resize(n);
    if (invalidCount)
        *invalidCount = bad;
    return text;
}

qsizetype encodeAppend(QStringView text, QByteArray& out, QString* unmappable)
{
    const Tables& t = tables();
    QSet<char32_t> seen;
    QString missing;
    qsizetype unmapped = 0;
    const qsizetype start = out.size();
    out.resize(start + text.size() * 2);
    char* o = out.data() + start;
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p < end) {
        const char16_t u = *p;
        const quint16 code = t.codes[u];
        if (code != NoCode) {
            if (code < 0x100) {
                *o++ = char(code);
            } else {
                *o++ = char(code >> 8);
                *o++ = char(code & 0xFF);
            }
            ++p;
            continue;
        }
        const bool pair = isHighSurrogate(u) && end - p >= 2 && isLowSurrogate(p[1]);
        const char32_t c = pair ? QChar::surrogateToUcs4(u, p[1]) : char32_t(u);
        if (!seen.contains(c)) {
            seen.insert(c);
            missing.append(QStringView(p, pair ? 2 : 1));
        }
        *o++ = '?';
        ++unmapped;
        p += pair ? 2 : 1;
    }
    out.resize(o - out.data());
    if (unmappable)
        *unmappable = missing;
    return unmapped;
}

char* encodeInto(QStringView text, char* out)
{
    const quint16* const codes = tables().codes;
    const char16_t* p = text.utf16();
    for (const char16_t* const end = p + text.size(); p < end; ++p) {
        const quint16 code = codes[*p];
        if (code < 0x100) {
            *out++ = char(code);
        } else if (code != NoCode) {
            *out++ = char(code >> 8);
            *out++ = char(code & 0xFF);
        } else {
            // A surrogate pair is one character.
            if (QChar::isHighSurrogate(*p) && end - p >= 2 && QChar::isLowSurrogate(p[1]))
                ++p;
            *out++ = '?';
        }
    }
    return out;
}

QByteArray encode(QStringView text, QString* unmappable)
{
    QByteArray bytes;
    encodeAppend(text, bytes, unmappable);
    return bytes;
}

bool canEncode(QStringView text)
{
    const Tables& t = tables();
    for (const QChar ch : text) {
        if (t.codes[ch.unicode()] == NoCode)
            return false;
    }
    return true;
}

int codeOf(char32_t c)
{
    if (c > 0xFFFF)
        return UnmappableCode;
    // Surrogates and U+FFFF have no entry in the table, so they come out as NoCode.
    const quint16 code = tables().codes[c];
    return code == NoCode ? UnmappableCode : code;
}

int codeOf(QStringView oneChar)
{
    if (oneChar.isEmpty())
        throw Failure(err::InvalidArgument);
    // A surrogate pair's first half has no code of its own, which is the
    // answer for the whole pair as well.
    return codeOf(char32_t(oneChar.front().unicode()));
}

}  // namespace petari::cp932
