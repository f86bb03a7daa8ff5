#include "platform/Failure.h"
#include "table/TableGrid.h"

#include <gtest/gtest.h>

using namespace petari;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// Every transferred line is all 111 cells, the empty ones "　".
inline QStringList padded(QStringList lines)
{
    for (QString& l : lines)
        l += QString(111 - l.size(), QChar(0x3000));
    return lines;
}

TEST(TableGrid, CodeTable)
{
    const char* expected[4][4] = {
        {"", "│", "", ""}, {"─", "┌", "┬", "┐"}, {"", "├", "┼", "┤"}, {"", "└", "┴", "┘"}};
    for (int a = 0; a < 4; ++a)
        for (int b = 0; b < 4; ++b)
            EXPECT_EQ(boxCharacter({a, b}), QString::fromUtf8(expected[a][b])) << a << "," << b;
    EXPECT_EQ(boxCharacter({4, 1}), QString());
    EXPECT_EQ(boxCharacter({1, 4}), QString());
}

TEST(TableGrid, BuiltFromSizes)
{
    struct Case {
        TableSize size;
        QStringList lines;
    };
    const QString row3 = QStringLiteral("│　　　│　　　│　　　│");
    const Case cases[] = {
        {{1, 1, 2, 2}, {"┌──┬──┐", "│　　│　　│", "└──┴──┘"}},
        {{3, 3, 3, 3},
         {"┌───┬───┬───┐", row3, row3, row3, "├───┼───┼───┤", row3, row3, row3,
          "├───┼───┼───┤", row3, row3, row3, "└───┴───┴───┘"}},
        {{0, 3, 3, 3}, {"┌───┬───┬───┐"}},
        {{2, 0, 1, 0}, {"┌┐", "├┤", "└┘"}},
        {{1, 1, 0, 5}, {"┌", "│", "└"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.join('/').toStdString());
        EXPECT_EQ(tableSizeProblem(c.size), QString());
        EXPECT_EQ(tableLines(c.size), padded(c.lines));
    }

    // The largest table that fits fills the canvas exactly.
    const QStringList full = tableLines({55, 1, 55, 1});
    ASSERT_EQ(full.size(), TableGrid::kLast);
    EXPECT_EQ(full.front().size(), TableGrid::kLast);
    EXPECT_EQ(full.back(), QStringLiteral("└") + QStringLiteral("─┴").repeated(54) + QStringLiteral("─┘"));
}

TEST(TableGrid, TooLargeOrNegativeIsRefusedBeforeAnyCell)
{
    const TableSize refused[] = {{37, 2, 1, 1}, {1, 1, 28, 3}, {55, 55, 55, 55}, {-2, 3, 3, 3}, {3, 3, 3, -1}};
    for (const TableSize& s : refused) {
        SCOPED_TRACE(::testing::Message() << s.rows << " " << s.linesPerCell << " " << s.columns << " "
                                          << s.charsPerCell);
        EXPECT_FALSE(tableSizeProblem(s).isEmpty());
        TableGrid grid;
        EXPECT_THROW(buildTable(grid, s), Failure);
        EXPECT_EQ(grid.lastUsedRow(), 0);
        EXPECT_TRUE(grid.text(1, 1).isEmpty());
        EXPECT_TRUE(grid.lines().isEmpty());
    }
    EXPECT_TRUE(tableSizeProblem({37, 2, 1, 1}).contains(QStringLiteral("112")));
    EXPECT_TRUE(tableSizeProblem({-2, 3, 3, 3}).contains(QStringLiteral("負の数")));
}

TEST(TableGrid, NumberBoxes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"70", "55"}, {"abc", "0"}, {"56", "55"}, {"55", "55"}, {"3", "3"}, {"", "0"},
        {"12abc", "12"}, {"2.5", "2"}, {"3.5", "4"}, {"-2", "-2"}, {"1e9", "55"},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(clampedCellCountText(QString::fromUtf8(text)), QString::fromUtf8(shown)) << text;
    EXPECT_EQ(cellCountValue(QStringLiteral("-2.5")), -2);
}

TEST(TableGrid, TransferLines)
{
    TableGrid grid;
    EXPECT_TRUE(grid.lines().isEmpty());
    grid.show(2, 1, {1, 0});
    grid.show(5, 1, {0, 1});
    grid.show(3, 3, {2, 2});
    grid.show(6, 4, {0, 0});   // erased: counts as used, shows nothing
    EXPECT_EQ(grid.lines(), padded({"　─　　│", "", "　　┼", ""}));
    EXPECT_THROW(grid.show(TableGrid::kSize, 1, {1, 0}), Failure);
    grid.show(1, 1, {255, 255});   // the largest pair a cell stores
    EXPECT_THROW(grid.show(1, 1, {256, 0}), Failure);
    EXPECT_THROW(grid.show(1, 1, {0, 256}), Failure);
    grid.clear();
    EXPECT_EQ(grid.lastUsedRow(), 0);
    EXPECT_TRUE(grid.lines().isEmpty());
}
