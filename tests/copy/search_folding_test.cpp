#include "copy/SearchFolding.h"

#include <gtest/gtest.h>

using namespace petari;

namespace {

bool finds(const char* query, const char* line, SearchFolding folding = {})
{
    const QStringList words = searchWords(QString::fromUtf8(query), folding);
    return holdsEveryWord(foldForSearch(QString::fromUtf8(line), folding), words);
}

}  // namespace

TEST(SearchFolding, LinesFoundAsAJapaneseReaderMeansThem)
{
    const SearchFolding all;
    const SearchFolding noWidth{false, true, true};
    const SearchFolding noKana{true, false, true};
    const SearchFolding noCase{true, true, false};
    struct Case {
        const char* query;
        const char* line;
        SearchFolding folding;
        bool found;
    } cases[] = {
        {"ガギ", "ｶﾞｷﾞの行", all, true},
        {"がぎ", "ｶﾞｷﾞ", all, true},
        {"ｶﾞｷﾞ", "がぎ", all, true},
        {"カ", "ガ", all, false},             // a sound mark makes another letter
        {"ﾊﾟ", "パン", all, true},
        {"ｰ", "コーヒー", all, true},          // the long sound mark
        {"abc", "ＡＢＣ商事", all, true},
        {"ＡＢＣ", "xabcx", all, true},
        {"１２３", "品番123", all, true},
        {"ｶﾞｷﾞ", "ガギ", noWidth, false},
        {"がぎ", "ガギ", noWidth, true},
        {"がぎ", "ガギ", noKana, false},
        {"ｶﾞｷﾞ", "ガギ", noKana, true},
        {"abc", "ABC", noCase, false},
        {"abc", "ａｂｃ", noCase, true},
        {"東京 駅", "東京の駅前", all, true},  // every word, in any order
        {"駅 東京", "東京の駅前", all, true},
        {"東京　大阪", "東京の駅前", all, false},   // a full-width blank separates too
        {"  ", "どの行も", all, true},            // no words: everything matches
        {"😀", "顔😀です", all, true},           // a surrogate pair is one character
        {"\xF0\x9F\x98\x80", "顔😁です", all, false},
        // The long sound mark and the sound marks of half-width katakana.
        {"ー", "ｺｰﾋｰ", all, true},
        {"ｰ", "コーヒー", noWidth, false},
        {"ヴ", "ｳﾞｨｰﾅｽ", all, true},
        {"ゔ", "ヴ", all, true},                 // hiragana vu is katakana vu
        {"ﾊﾞ", "パ", all, false},               // voiced is not semi-voiced
        {"ア゛", "ｱﾞ", all, true},               // a mark that joins nothing stays a mark
        {"ｶ", "ｶﾞ", all, false},
        {"ｶ", "ｶﾞ", noWidth, true},             // width told apart: the mark stays apart too
        // Surrogate pairs: a kanji outside the BMP, and a letter with case.
        {"𠮷", "𠮷野家", all, true},
        {"吉", "𠮷野家", all, false},
        {"𐐨", "𐐀", all, true},                // DESERET CAPITAL LONG I, small query
        {"𐐨", "𐐀", noCase, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(finds(c.query, c.line, c.folding), c.found) << c.query << " in " << c.line;
}

// The table the long searches fold with gives what foldForSearch gives, for
// every character of the BMP, the half-width letters with either mark, and
// surrogate pairs, under each of the eight foldings.
TEST(SearchFolding, TheFolderFoldsAsFoldForSearch)
{
    QStringList texts;
    for (char32_t u = 0; u < 0x10000; ++u)
        texts << QString(QChar(char16_t(u)));
    for (char16_t kana = 0xFF61; kana <= 0xFF9D; ++kana)
        for (char16_t mark : {u'\uFF9E', u'\uFF9F'})
            texts << QString(QChar(kana)) + QChar(mark) + QChar(mark);
    texts << QStringLiteral("𐐀𠮷😀ｶﾞ") << QString(QChar(0xD801)) + QChar(0xD801) + QChar(0xDC00);
    for (int f = 0; f < 8; ++f) {
        const SearchFolding folding{bool(f & 1), bool(f & 2), bool(f & 4)};
        const SearchFolder folder(folding);
        int differ = 0;
        for (const QString& t : texts) {
            QString folded = QStringLiteral("前");
            folder.appendFolded(t, folded);
            if (folded != QStringLiteral("前") + foldForSearch(t, folding) && ++differ < 5)
                ADD_FAILURE() << "folding " << f << ": U+" << std::hex << int(t[0].unicode());
        }
        EXPECT_EQ(differ, 0) << "folding " << f;
    }
}
