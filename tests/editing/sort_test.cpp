#include "editing/Sort.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <algorithm>
#include <random>

namespace petari {
namespace {

QStringList list(std::initializer_list<const char16_t*> items)
{
    QStringList out;
    for (const char16_t* s : items)
        out.append(QString::fromUtf16(s));
    return out;
}

TEST(SortLines, EmptyAndSingle)
{
    EXPECT_TRUE(sortLines({}).isEmpty());
    EXPECT_EQ(sortLines(list({u"x"})), list({u"x"}));
}

TEST(SortLines, Orders)
{
    const struct {
        QStringList input;
        QStringList sorted;
    } cases[] = {
        // Case-insensitive: letters interleave; equal letters upper case first.
        {list({u"b", u"A", u"a", u"B"}), list({u"A", u"a", u"B", u"b"})},
        {list({u"apple", u"Banana", u"cherry"}), list({u"apple", u"Banana", u"cherry"})},
        // Width and case: equal in the collation, then by code unit.
        {list({u"ａ", u"a", u"A"}), list({u"A", u"a", u"ａ"})},
        {list({u"ｂ", u"a", u"Ｂ"}), list({u"a", u"Ｂ", u"ｂ"})},
        // Hiragana, katakana and half-width katakana.
        {list({u"ｱ", u"ア", u"あ"}), list({u"あ", u"ア", u"ｱ"})},
        {list({u"さ", u"カ", u"あ"}), list({u"あ", u"カ", u"さ"})},
        // Voicing counts after the letters of the whole line; kana size
        // only in the tie-break.
        {list({u"が", u"か", u"き"}), list({u"か", u"が", u"き"})},
        {list({u"かb", u"がa"}), list({u"がa", u"かb"})},
        {list({u"ガ", u"か", u"ｶ", u"カ"}), list({u"か", u"カ", u"ｶ", u"ガ"})},
        {list({u"つb", u"っa", u"つ", u"っ"}), list({u"っ", u"つ", u"っa", u"つb"})},
        // Accents likewise.
        {list({u"eb", u"éa", u"é", u"e"}), list({u"e", u"é", u"éa", u"eb"})},
        // Digits, Latin, kana, kanji.
        {list({u"漢", u"あ", u"a", u"1"}), list({u"1", u"a", u"あ", u"漢"})},
        // No numeric mode: digit by digit.
        {list({u"9", u"10", u"2"}), list({u"10", u"2", u"9"})},
        // Punctuation counts.
        {list({u"a", u"-b"}), list({u"-b", u"a"})},
        // Empty lines first.
        {list({u"b", u"", u"a", u""}), list({u"", u"", u"a", u"b"})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sortLines(c.input), c.sorted) << c.input.join(u',').toStdString() << " gave "
                                                << sortLines(c.input).toStringList().join(u',').toStdString();
}

TEST(SortLines, ResultDoesNotDependOnTheInputOrder)
{
    QStringList lines = list({u"a", u"A", u"ａ", u"Ａ", u"あ", u"ア", u"ｱ", u"か", u"カ",
                              u"ｶ", u"が", u"ｶﾞ", u"ガ", u"1", u"１", u"a", u"", u"漢字",
                              u"😀", u"b c", u"b　c"});
    const QStringList first = sortLines(lines).toStringList();
    EXPECT_EQ(first.size(), lines.size());
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        std::shuffle(lines.begin(), lines.end(), rng);
        EXPECT_EQ(sortLines(lines), first) << round;
    }
}

}  // namespace
}  // namespace petari
