#include "copy/Invisibles.h"

#include <gtest/gtest.h>

using namespace petari;

TEST(Invisibles, InvisibleCharactersAreSpelledOut)
{
    const struct {
        QString text;
        QString shown;
    } cases[] = {
        {QString::fromUtf16(u"\ta \u3000"), QString::fromUtf16(u"[Tab]a[半S][全S]")},
        {"", ""},
        {QString(QChar(0)) + "\r\n" + QChar(8) + QChar(31), "[0][13][10][8][31]"},
        {QString::fromUtf16(u"漢\u007F😀〜"), QString::fromUtf16(u"漢\u007F😀〜")},
        {QString::fromUtf16(u"\u00A0\u2003"), QString::fromUtf16(u"\u00A0\u2003")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(spellOutInvisibles(c.text), c.shown) << c.text.toStdString();
}
