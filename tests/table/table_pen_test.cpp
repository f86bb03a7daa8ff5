#include "table/TablePen.h"

#include <gtest/gtest.h>
#include <vector>

using namespace petari;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

struct Stroke {
    int buttons;
    std::vector<QPoint> cells;   // pressed on the first, released on the last
};

void draw(TablePen& pen, const Stroke& s)
{
    pen.move(s.cells.front(), NoButton);
    pen.press(s.cells.front());
    for (std::size_t i = 1; i < s.cells.size(); ++i)
        pen.move(s.cells[i], s.buttons);
    pen.release();
}

// A straight stroke from one cell to another, every cell given.
Stroke line(QPoint from, QPoint to, int buttons = LeftButton)
{
    Stroke s{buttons, {from}};
    for (const QPoint& p : cellsBetween(from, to))
        s.cells.push_back(p);
    return s;
}

}  // namespace

// Every transferred line is all 111 cells, the empty ones "　".
inline QStringList padded(QStringList lines)
{
    for (QString& l : lines)
        l += QString(111 - l.size(), QChar(0x3000));
    return lines;
}

TEST(TablePen, Strokes)
{
    struct Check {
        QPoint cell;
        const char* text;
    };
    struct Case {
        const char* name;
        std::vector<Stroke> strokes;
        std::vector<Check> checks;
    };
    const Case cases[] = {
        {"right then down turns with ┐; the release cell stays empty",
         {{LeftButton, {{5, 5}, {6, 5}, {7, 5}, {7, 6}, {7, 7}}}},
         {{{5, 5}, "─"}, {{6, 5}, "─"}, {{7, 5}, "┐"}, {{7, 6}, "│"}, {{7, 7}, ""}}},
        {"the other corners",
         {{LeftButton, {{2, 2}, {2, 3}, {3, 3}}},
          {LeftButton, {{5, 5}, {6, 5}, {6, 4}}},
          {LeftButton, {{9, 2}, {8, 2}, {8, 3}}}},
         {{{2, 3}, "└"}, {{6, 5}, "┘"}, {{8, 2}, "┌"}}},
        {"a horizontal stroke starting on │ with nothing to its left gives ├",
         {line({5, 2}, {5, 8}), line({5, 5}, {8, 5})},
         {{{5, 5}, "├"}, {{6, 5}, "─"}, {{5, 4}, "│"}}},
        {"leftwards it gives ┤, and a vertical start on ─ gives ┬ or ┴",
         {line({5, 2}, {5, 8}), line({5, 5}, {2, 5}), line({10, 5}, {16, 5}), line({12, 5}, {12, 8}),
          line({14, 5}, {14, 2})},
         {{{5, 5}, "┤"}, {{12, 5}, "┬"}, {{14, 5}, "┴"}}},
        {"with ─ to its left the start gives ┼",
         {line({5, 2}, {5, 8}), line({2, 5}, {5, 5}), line({5, 5}, {8, 5})},
         {{{4, 5}, "─"}, {{5, 5}, "┼"}}},
        {"│ across ─ gives ┼; ─ over ─ stays ─",
         {line({2, 5}, {8, 5}), line({5, 2}, {5, 8}), line({1, 5}, {9, 5})},
         {{{5, 5}, "┼"}, {{3, 5}, "─"}}},
        {"─ through ┐ gives ┬, │ through ┐ gives ┤",
         {{LeftButton, {{5, 5}, {6, 5}, {7, 5}, {7, 6}, {7, 7}}}, line({5, 5}, {9, 5}),
          {LeftButton, {{12, 5}, {13, 5}, {14, 5}, {14, 6}, {14, 7}}}, line({14, 3}, {14, 8})},
         {{{7, 5}, "┬"}, {{14, 5}, "┤"}}},
        {"a line behind that ends short of the start cell still gives a T",
         {line({5, 2}, {5, 8}), {LeftButton, {{2, 5}, {3, 5}, {4, 5}, {4, 6}, {4, 7}}}, line({5, 5}, {8, 5}),
          line({12, 5}, {18, 5}), {LeftButton, {{15, 2}, {15, 3}, {15, 4}, {16, 4}, {17, 4}}}, line({15, 5}, {15, 8})},
         {{{4, 5}, "┐"}, {{5, 5}, "├"}, {{15, 4}, "└"}, {{15, 5}, "┬"}}},
        {"│ started on ┐ with nothing above gives ┤, ─ started on ┐ gives ┬",
         {{LeftButton, {{5, 5}, {6, 5}, {7, 5}, {7, 6}, {7, 7}}}, line({7, 5}, {7, 9}),
          {LeftButton, {{5, 12}, {6, 12}, {7, 12}, {7, 13}, {7, 14}}}, line({7, 12}, {3, 12})},
         {{{7, 5}, "┤"}, {{7, 12}, "┬"}}},
        {"right button erases the cells it leaves",
         {line({2, 5}, {8, 5}), line({3, 5}, {5, 5}, RightButton)},
         {{{2, 5}, "─"}, {{3, 5}, ""}, {{4, 5}, ""}, {{5, 5}, "─"}}},
        {"a drag that skips cells is drawn whole",
         {{LeftButton, {{2, 5}, {9, 5}, {9, 9}}}},
         {{{2, 5}, "─"}, {{5, 5}, "─"}, {{8, 5}, "─"}, {{9, 5}, "┐"}, {{9, 6}, "│"}, {{9, 8}, "│"},
          {{9, 9}, ""}}},
        {"both buttons draw nothing; cells off the canvas are never drawn",
         {{LeftButton | RightButton, {{2, 2}, {3, 2}, {4, 2}}}, line({0, 7}, {-3, 7}),
          line({111, 9}, {115, 9})},
         {{{2, 2}, ""}, {{3, 2}, ""}, {{0, 7}, ""}, {{111, 9}, "─"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TableGrid grid;
        TablePen pen(grid);
        for (const Stroke& s : c.strokes)
            draw(pen, s);
        for (const Check& k : c.checks)
            EXPECT_EQ(grid.text(k.cell.x(), k.cell.y()), QString::fromUtf8(k.text))
                << k.cell.x() << "," << k.cell.y();
    }
}

TEST(TablePen, SkippedCellsAreWalkedAsSideSteps)
{
    const std::pair<QPoint, QPoint> moves[] = {
        {{2, 2}, {4, 4}}, {{10, 3}, {3, 5}}, {{5, 5}, {5, 1}}, {{1, 1}, {40, 3}}};
    for (const auto& [from, to] : moves) {
        const std::vector<QPoint> path = cellsBetween(from, to);
        ASSERT_EQ(path.size(), std::size_t((to - from).manhattanLength()));
        EXPECT_EQ(path.back(), to);
        QPoint at = from;
        for (const QPoint& p : path) {
            EXPECT_EQ((p - at).manhattanLength(), 1);
            at = p;
        }
    }
    // Nearest the line, a tie going to the vertical step.
    EXPECT_EQ(cellsBetween({0, 0}, {3, 1}), (std::vector<QPoint>{{1, 0}, {1, 1}, {2, 1}, {3, 1}}));
    EXPECT_EQ(cellsBetween({0, 0}, {1, 3}), (std::vector<QPoint>{{0, 1}, {0, 2}, {1, 2}, {1, 3}}));
    EXPECT_EQ(cellsBetween({3, 1}, {0, 0}), (std::vector<QPoint>{{2, 1}, {2, 0}, {1, 0}, {0, 0}}));
    EXPECT_EQ(cellsBetween({0, 0}, {0, 0}), std::vector<QPoint>{});
}

TEST(TablePen, TransferOfAFreehandStroke)
{
    TableGrid grid;
    TablePen pen(grid);
    draw(pen, {LeftButton, {{3, 2}, {6, 2}, {6, 4}}});
    EXPECT_EQ(grid.lastUsedRow(), 3);
    EXPECT_EQ(grid.lines(), padded({"", "　　───┐", "　　　　　│"}));
}

TEST(TablePen, APressWithoutAMoveBeforeItStartsTheStrokeThere)
{
    TableGrid grid;
    TablePen pen(grid);
    pen.move({20, 20}, NoButton);
    pen.release();
    pen.press({5, 5});   // no move over (5, 5) came first
    EXPECT_EQ(pen.current(), QPoint(5, 5));
    EXPECT_EQ(pen.move({6, 5}, LeftButton), (std::vector<QPoint>{{5, 5}}));
    EXPECT_EQ(pen.move({6, 5}, LeftButton), std::vector<QPoint>{});   // the same cell again: nothing
    pen.move({7, 5}, LeftButton);
    pen.release();
    EXPECT_EQ(pen.current(), QPoint(0, 0));
    EXPECT_EQ(grid.lines(), padded({"", "", "", "", "　　　　──"}));
    EXPECT_EQ(grid.lastUsedRow(), 5);
    pen.press({5, 5});
    EXPECT_EQ(pen.move({6, 5}, RightButton), (std::vector<QPoint>{{5, 5}}));   // erased: repainted
    EXPECT_EQ(grid.text(5, 5), QString());
}
