#include "editing/LineSearch.h"

#include <gtest/gtest.h>

using namespace petari;

namespace {

const SearchFolding kAll;

std::vector<int> rowsOf(LineSearch& search, const LineText& lines, const char* query,
                        const SearchFolding& folding = kAll)
{
    return search.matchingRows(lines, searchWords(QString::fromUtf8(query), folding), folding);
}

// n lines "行 0", "行 1", ... with the given lines put in at their rows.
LineText numberedLines(int n, std::initializer_list<std::pair<int, const char*>> put = {})
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << QStringLiteral("行 ") + QString::number(i);
    for (const auto& [row, text] : put)
        lines[row] = QString::fromUtf8(text);
    return LineText(lines);
}

}  // namespace

TEST(LineSearch, AWordIsFoundOnlyWithinOneLine)
{
    LineSearch search;
    // Folded as one text the lines would read "東京" and "ガ" across their ends.
    const LineText lines{QStringLiteral("東"), QStringLiteral("京"), QStringLiteral("ｶ"), QStringLiteral("ﾞ")};
    struct Case {
        const char* query;
        std::vector<int> rows;
    } cases[] = {
        {"東京", {}},
        {"ガ", {}},
        {"ｶ", {2}},
        {"゛", {3}},       // the mark alone, widened
        {"東 京", {}},     // two words must be in the same line
    };
    for (const Case& c : cases)
        EXPECT_EQ(rowsOf(search, lines, c.query), c.rows) << c.query;

    // Halves of a surrogate pair at the ends of two lines are no pair: the
    // case mapping would make U+10400 of them and lower it.
    const QString low = QString(QChar(0xDC00)) + QLatin1Char('b');
    const LineText halves{QStringLiteral("a") + QChar(0xD801), low};
    EXPECT_EQ(search.matchingRows(halves, {low}, kAll), std::vector<int>{1});
}

TEST(LineSearch, FindsTheMarkedLinesOfManyChunksOnEveryCore)
{
    // 60,000 lines are several chunks, enough to be searched in parallel.
    LineSearch search;
    const LineText lines = numberedLines(60000, {{0, "ｺｰﾋｰ豆"}, {29999, "珈琲 コーヒー"}, {59999, "こーひー"}});
    EXPECT_GT(lines.pieces().size(), 1u);
    EXPECT_EQ(rowsOf(search, lines, "コーヒー"), (std::vector<int>{0, 29999, 59999}));
    EXPECT_EQ(rowsOf(search, lines, "ｺｰﾋｰ 珈琲"), (std::vector<int>{29999}));
    EXPECT_EQ(rowsOf(search, lines, "コーヒー", {true, false, true}), (std::vector<int>{0, 29999}));
    // A word every line holds, and one at the very end of the last line.
    EXPECT_EQ(rowsOf(search, lines, "行").size(), 59997u);
    EXPECT_EQ(rowsOf(search, lines, "59998"), (std::vector<int>{59998}));
    EXPECT_EQ(search.matchingRows(lines, {}, kAll).size(), 60000u);   // no words: every line
}

TEST(LineSearch, AnEditFoldsOnlyTheChunksItMade)
{
    LineSearch search;
    LineText lines = numberedLines(60000, {{40000, "目印"}});
    const int chunks = int(lines.pieces().size());
    ASSERT_GT(chunks, 2);
    EXPECT_EQ(rowsOf(search, lines, "目印"), std::vector<int>{40000});
    EXPECT_EQ(search.chunksFolded(), chunks);
    EXPECT_EQ(rowsOf(search, lines, "行 1"), rowsOf(search, lines, "行 1"));
    EXPECT_EQ(search.chunksFolded(), chunks);   // another query folds nothing

    LineText edited = lines;
    edited.remove(100);                           // cuts a piece, makes no chunk
    edited.insert(200, LineText{QStringLiteral("めじるし")});   // one new chunk
    EXPECT_EQ(rowsOf(search, edited, "目印"), std::vector<int>{40000});
    EXPECT_EQ(rowsOf(search, edited, "メジルシ"), std::vector<int>{200});
    EXPECT_EQ(search.chunksFolded(), chunks + 1);

    // Another folding is another copy of every chunk.
    EXPECT_EQ(rowsOf(search, edited, "めじるし", {true, false, true}), std::vector<int>{200});
    EXPECT_EQ(search.chunksFolded(), 2 * chunks + 2);

    // Folded ahead, while the box opens: the search folds nothing more.
    LineSearch prepared;
    prepared.prepare(lines, kAll);
    EXPECT_EQ(prepared.chunksFolded(), chunks);
    EXPECT_EQ(rowsOf(prepared, lines, "目印"), std::vector<int>{40000});
    EXPECT_EQ(prepared.chunksFolded(), chunks);

    // The copies of chunks no longer used go.
    search.keepOnly(LineText{QStringLiteral("新しい文書")});
    EXPECT_EQ(search.chunksKept(), 0);
}
