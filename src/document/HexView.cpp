#include "document/HexView.h"

#include "document/Cp932.h"

#include <algorithm>

namespace petari {

namespace {

constexpr qsizetype BytesPerLine = 16;
constexpr qsizetype TextColumn = 58;   // offset, blank, 16 pairs, blank

// One line of the view, written straight into the chunk.
void appendHexLine(LineTextBuilder& lines, quint64 offset, const unsigned char* p, qsizetype count,
                   const QChar* shown)
{
    static const char digits[] = "0123456789ABCDEF";
    char16_t number[16];
    int width = 0;
    for (quint64 rest = offset; rest != 0 || width < 8; rest >>= 4)
        number[width++] = char16_t(digits[rest & 0xF]);
    char16_t* const begin = lines.beginLine(std::max<qsizetype>(width + 1 + 3 * count, TextColumn) + count);
    char16_t* o = begin;
    while (width > 0)
        *o++ = number[--width];
    *o++ = u' ';
    for (qsizetype i = 0; i < count; ++i) {
        *o++ = char16_t(digits[p[i] >> 4]);
        *o++ = char16_t(digits[p[i] & 0xF]);
        *o++ = u' ';
    }
    while (o - begin < TextColumn)
        *o++ = u' ';
    for (qsizetype i = 0; i < count; ++i)
        if (p[i] > 31)
            *o++ = shown[p[i]].unicode();
    lines.endLine(o - begin);
}

}  // namespace

LineText hexViewLines(QByteArrayView bytes)
{
    QChar shown[256];
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const QString text = cp932::decode(QByteArrayView(&byte, 1));
        shown[b] = text.size() == 1 && text[0] != QChar(0xFFFD) ? text[0] : QChar(0x30FB);
    }

    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype full = bytes.size() / BytesPerLine;
    LineTextBuilder lines;
    for (qsizetype i = 0; i < full; ++i)
        appendHexLine(lines, quint64(i * BytesPerLine), p + i * BytesPerLine, BytesPerLine, shown);
    appendHexLine(lines, quint64(full * BytesPerLine), p + full * BytesPerLine, bytes.size() - full * BytesPerLine,
                  shown);
    return lines.finish();
}

}  // namespace petari
