#include "document/HexView.h"

#include "document/Cp932.h"

namespace petari {

namespace {

constexpr qsizetype BytesPerLine = 16;
constexpr qsizetype TextColumn = 58;   // offset, blank, 16 pairs, blank

QString hexLine(quint64 offset, const unsigned char* p, qsizetype count, const QChar* shown)
{
    static const char digits[] = "0123456789ABCDEF";
    QString line;
    line.reserve(TextColumn + count);
    line.append(QString::number(offset, 16).toUpper().rightJustified(8, u'0'));
    line.append(u' ');
    for (qsizetype i = 0; i < count; ++i) {
        line.append(QLatin1Char(digits[p[i] >> 4]));
        line.append(QLatin1Char(digits[p[i] & 0xF]));
        line.append(u' ');
    }
    line.append(QString(TextColumn - line.size(), u' '));
    for (qsizetype i = 0; i < count; ++i)
        if (p[i] > 31)
            line.append(shown[p[i]]);
    return line;
}

}  // namespace

QStringList hexViewLines(QByteArrayView bytes)
{
    QChar shown[256];
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const QString text = cp932::decode(QByteArrayView(&byte, 1));
        shown[b] = text.size() == 1 && text[0] != QChar(0xFFFD) ? text[0] : QChar(0x30FB);
    }

    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype full = bytes.size() / BytesPerLine;
    QStringList lines;
    lines.reserve(full + 1);
    for (qsizetype i = 0; i < full; ++i)
        lines.append(hexLine(quint64(i * BytesPerLine), p + i * BytesPerLine, BytesPerLine, shown));
    lines.append(hexLine(quint64(full * BytesPerLine), p + full * BytesPerLine,
                         bytes.size() - full * BytesPerLine, shown));
    return lines;
}

}  // namespace petari
