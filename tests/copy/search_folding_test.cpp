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
