#include "document/Utf8.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace petari::utf8 {

namespace {

constexpr char16_t EscapeBase = 0xDC00;

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length a lead byte announces (0 for a byte that leads nothing) and the
// range its second byte must fall in.
struct Lead {
    unsigned char length, low, high;
};

constexpr Lead leadOf(unsigned char b)
{
    if (b >= 0xC2 && b <= 0xDF)
        return {2, 0x80, 0xBF};
    if (b == 0xE0)
        return {3, 0xA0, 0xBF};   // E0 80-9F would be an overlong form
    if (b == 0xED)
        return {3, 0x80, 0x9F};   // ED A0-BF would be a surrogate
    if (b >= 0xE1 && b <= 0xEF)
        return {3, 0x80, 0xBF};
    if (b == 0xF0)
        return {4, 0x90, 0xBF};   // F0 80-8F would be an overlong form
    if (b == 0xF4)
        return {4, 0x80, 0x8F};   // F4 90-BF would lie above U+10FFFF
    if (b >= 0xF1 && b <= 0xF3)
        return {4, 0x80, 0xBF};
    return {0, 0, 0};
}

// Looked up rather than worked out: a code page file asks for every one of
// its non-ASCII bytes.
struct LeadTable {
    Lead entry[256];
    constexpr LeadTable() : entry()
    {
        for (int b = 0; b < 256; ++b)
            entry[b] = leadOf(static_cast<unsigned char>(b));
    }
};
constexpr LeadTable Leads;

// How many bytes of the sequence at p fit its lead byte (1 when none does).
inline int fittingBytes(const unsigned char* p, const unsigned char* end, const Lead& lead)
{
    if (lead.length == 0)
        return 1;
    int n = 1;
    if (end - p > 1 && p[1] >= lead.low && p[1] <= lead.high) {
        n = 2;
        while (n < lead.length && end - p > n && isContinuation(p[n]))
            ++n;
    }
    return n;
}

}  // namespace

int sequenceLength(const unsigned char* p, const unsigned char* end)
{
    const Lead& lead = Leads.entry[*p];
    return lead.length != 0 && fittingBytes(p, end, lead) == lead.length ? lead.length : 0;
}

int faultLength(const unsigned char* p, const unsigned char* end)
{
    return fittingBytes(p, end, Leads.entry[*p]);
}

namespace {

constexpr qsizetype Block = 16384;

// For each block of bytes, how many bytes from its start to the end are C0
// or above.  Every multi-byte sequence starts with such a byte, so this
// bounds the sequences that can still come; code page text has few of them
// (mostly kanji of the second level), which lets a verdict come early.
std::vector<qsizetype> leadCandidatesFrom(QByteArrayView bytes)
{
    const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype blocks = (bytes.size() + Block - 1) / Block;
    std::vector<qsizetype> from(size_t(blocks) + 1, 0);
    for (qsizetype block = blocks - 1; block >= 0; --block) {
        const unsigned char* p = begin + block * Block;
        const unsigned char* const end = begin + std::min(bytes.size(), (block + 1) * Block);
        qsizetype count = 0;
        for (; end - p >= 8; p += 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            // Bits 7 and 6 both set: one flag per byte, summed by the multiply.
            const quint64 flags = (word & (word << 1) & 0x8080808080808080ULL) >> 7;
            count += qsizetype((flags * 0x0101010101010101ULL) >> 56);
        }
        for (; p < end; ++p)
            count += *p >= 0xC0;
        from[size_t(block)] = from[size_t(block) + 1] + count;
    }
    return from;
}

Scan scanUntil(QByteArrayView bytes, bool stopWhenDecided)
{
    Scan s;
    const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* p = begin;
    const auto* const end = p + bytes.size();
    const std::vector<qsizetype> leadsFrom = stopWhenDecided ? leadCandidatesFrom(bytes) : std::vector<qsizetype>();
    // Where the next look at whether the rest can still matter is due.
    const auto* checkpoint = stopWhenDecided ? p : end;
    while (p < end) {
        if (p >= checkpoint) {
            const qsizetype block = (p - begin) / Block;
            if (s.faults * 3 > s.multiByte + leadsFrom[size_t(block)]) {
                s.complete = false;
                return s;
            }
            checkpoint = begin + (block + 1) * Block;
        }
        // Text is mostly ASCII: eight bytes at a time while it is.
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
        const Lead& lead = Leads.entry[b];
        if (lead.length == 0) {
            // A continuation byte, or one that never leads: alone, as most
            // bytes of a code page text are.
            ++s.faults;
            ++p;
            continue;
        }
        const int n = fittingBytes(p, end, lead);
        if (n == lead.length)
            ++s.multiByte;
        else
            ++s.faults;
        p += n;
    }
    return s;
}

}  // namespace

Scan scan(QByteArrayView bytes) { return scanUntil(bytes, false); }

Scan scanForVerdict(QByteArrayView bytes) { return scanUntil(bytes, true); }

bool Scan::readsAsUtf8() const { return multiByte > 0 && faults * 3 <= multiByte; }

void decodeEscaped(QByteArrayView bytes, QString& out)
{
    const qsizetype start = out.size();
    out.resize(start + bytes.size());   // one unit per byte is the most UTF-8 can need
    char16_t* o = reinterpret_cast<char16_t*>(out.data()) + start;
    char16_t* const begin = reinterpret_cast<char16_t*>(out.data());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            *o++ = b;
            ++p;
            continue;
        }
        const int n = sequenceLength(p, end);
        if (n == 0) {
            // One byte at a time, so that every byte comes back as it was.
            *o++ = char16_t(EscapeBase + b);
            ++p;
        } else if (n == 2) {
            *o++ = char16_t(((b & 0x1F) << 6) | (p[1] & 0x3F));
        } else if (n == 3) {
            *o++ = char16_t(((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
        } else {
            const char32_t cp = (char32_t(b & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12)
                                | (char32_t(p[2] & 0x3F) << 6) | (p[3] & 0x3F);
            *o++ = QChar::highSurrogate(cp);
            *o++ = QChar::lowSurrogate(cp);
        }
        p += n;
    }
    out.truncate(o - begin);
}

QString decodeEscaped(QByteArrayView bytes)
{
    QString out;
    decodeEscaped(bytes, out);
    return out;
}

void encodeEscaped(QStringView text, QByteArray& out)
{
    const qsizetype n = text.size();
    const qsizetype start = out.size();
    out.resize(start + n * 3);   // a BMP unit takes at most three bytes, a pair four
    const char16_t* in = reinterpret_cast<const char16_t*>(text.utf16());
    auto* o = reinterpret_cast<unsigned char*>(out.data()) + start;
    auto* const begin = reinterpret_cast<unsigned char*>(out.data());
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
        } else if (c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF) {
            *o++ = static_cast<unsigned char>(c - EscapeBase);
        } else if (QChar::isSurrogate(c)) {
            // Cannot arise from decoding; U+FFFD rather than ill-formed UTF-8.
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

QByteArray encodeEscaped(QStringView text)
{
    QByteArray out;
    encodeEscaped(text, out);
    return out;
}

}  // namespace petari::utf8
