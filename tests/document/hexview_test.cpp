#include "document/HexView.h"

#include <gtest/gtest.h>

using namespace petari;

namespace {

QString pad(QString s, int width) { return s.leftJustified(width, u' '); }

}  // namespace

TEST(HexView, TwentyBytesGiveAFullLineAndAPaddedRest)
{
    const QStringList lines = hexViewLines("ABCDEFGHIJKLMNOPQRST").toStringList();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "00000000 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50  ABCDEFGHIJKLMNOP");
    EXPECT_EQ(lines[1], pad("00000010 51 52 53 54", 57) + " QRST");
    EXPECT_EQ(lines[1].indexOf("QRST"), 58);   // column 59
}

TEST(HexView, SixteenBytesGiveAFinalLineWithOnlyTheOffset)
{
    const QStringList lines = hexViewLines("0123456789abcdef").toStringList();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "00000000 30 31 32 33 34 35 36 37 38 39 61 62 63 64 65 66  0123456789abcdef");
    EXPECT_EQ(lines[1], pad("00000010", 58));
    EXPECT_EQ(hexViewLines(""), QStringList({pad("00000000", 58)}));
}

TEST(HexView, TextColumnShowsEachByteAboveThirtyOneByItself)
{
    const struct {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {QByteArray("\x00\x09\x1F" "A\x7F", 5), QString("A") + QChar(0x7F)},
        {"\xB1\xDF\xA1", QString::fromUtf16(u"ｱﾟ｡")},
        // Halves of a double-byte character and undefined bytes.
        {"\x82\xA0\x80\xA0\xFF", QString::fromUtf16(u"・・・・・")},
    };
    for (const auto& c : cases) {
        const QStringList lines = hexViewLines(c.bytes).toStringList();
        ASSERT_EQ(lines.size(), 1);
        EXPECT_EQ(lines[0].mid(58), c.text) << c.bytes.toHex().toStdString();
        EXPECT_EQ(lines[0].left(9 + 3 * c.bytes.size()),
                  "00000000 " + QString::fromLatin1(c.bytes.toHex(' ').toUpper()) + ' ');
    }
}

TEST(HexView, OffsetsCountSixteenBytesPerLine)
{
    const QStringList lines = hexViewLines(QByteArray(0x111, 'x')).toStringList();
    ASSERT_EQ(lines.size(), 18);
    EXPECT_TRUE(lines[1].startsWith("00000010 78"));
    EXPECT_TRUE(lines[16].startsWith("00000100 78"));
    EXPECT_EQ(lines[17], pad("00000110 78", 57) + " x");
}
