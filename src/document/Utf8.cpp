#include "document/Utf8.h"

#include <cstring>

namespace petari::utf8 {

namespace {

constexpr char16_t EscapeBase = 0xDC00;

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length a lead byte announces (0 for a byte that leads nothing) and the
// range its second byte must fall in.
struct Lead {
    int length;
    unsigned char low, high;
};

Lead leadOf(unsigned char b)
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

// How many bytes of the sequence at p fit its lead byte (1 when none does).
int fittingBytes(const unsigned char* p, const unsigned char* end, const Lead& lead)
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
    const Lead lead = leadOf(*p);
    return lead.length != 0 && fittingBytes(p, end, lead) == lead.length ? lead.length : 0;
}

int faultLength(const unsigned char* p, const unsigned char* end)
{
    return fittingBytes(p, end, leadOf(*p));
}

Scan scan(QByteArrayView bytes)
{
    Scan s;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
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
        if (*p < 0x80) {
            ++p;
            continue;
        }
        if (const int n = sequenceLength(p, end)) {
            ++s.multiByte;
            p += n;
        } else {
            ++s.faults;
            p += faultLength(p, end);
        }
    }
    return s;
}

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
