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
}

TEST(TablePen, TransferOfAFreehandStroke)
{
    TableGrid grid;
    TablePen pen(grid);
    draw(pen, {LeftButton, {{3, 2}, {6, 2}, {6, 4}}});
    EXPECT_EQ(grid.lastUsedRow(), 3);
    EXPECT_EQ(grid.lines(), padded({"", "　　───┐", "　　　　　│"}));
}
