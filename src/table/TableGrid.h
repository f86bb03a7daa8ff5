#pragma once
// The table builder's canvas: a square of cells, each holding one full-width
// box-drawing character described by a pair of small codes.  The vertical
// code a tells how a line runs up and down through the cell, the horizontal
// code b how it runs left and right; the character follows from the pair.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace petari {

struct CellCodes {
    int a = 0;   // vertical role: 1 down only, 2 up and down, 3 up only; (1, 0) is ─
    int b = 0;   // horizontal role: 1 right only, 2 both, 3 left only; (0, 1) is │
    bool operator==(const CellCodes& o) const { return a == o.a && b == o.b; }
    bool operator!=(const CellCodes& o) const { return !(*this == o); }
};

// The box-drawing character of a code pair; "" for pairs that show nothing.
QString boxCharacter(CellCodes codes);

class TableGrid {
public:
    // Cells are addressed 0..111 on both axes; row 0 and column 0 stay empty
    // so that a stroke's neighbours always exist.
    static constexpr int kSize = 112;
    static constexpr int kLast = kSize - 1;

    TableGrid() { clear(); }

    static bool contains(int x, int y) { return x >= 0 && y >= 0 && x < kSize && y < kSize; }
    static bool drawable(int x, int y) { return x >= 1 && y >= 1 && x <= kLast && y <= kLast; }

    // Every cell empty, nothing used.
    void clear();

    // The codes of a cell; (0, 0) for any place off the grid.
    CellCodes codes(int x, int y) const;
    QString text(int x, int y) const { return boxCharacter(codes(x, y)); }

    // Puts a code pair into a cell and counts its row as used.  A cell off
    // the grid is a failure of the caller (out of range).
    void show(int x, int y, CellCodes codes);

    // The highest row drawn or erased since the last clearing; 0 for none.
    int lastUsedRow() const { return lastUsedRow_; }
    void setLastUsedRow(int row) { lastUsedRow_ = row; }

    // The lines the transfer puts into the document: rows 1 to the last used
    // row, each of all 111 cells, an empty cell as "　", so that what the
    // user lines up against stays in its column.
    QStringList lines() const;

private:
    std::array<std::array<std::uint8_t, 2>, kSize * kSize> cells_{};
    int lastUsedRow_ = 0;
};

// The four numbers of a table built from sizes.
struct TableSize {
    int rows = 3;           // 縦　枠数
    int linesPerCell = 3;   // 枠内行数
    int columns = 3;        // 横　枠数
    int charsPerCell = 3;   // 枠内文字数

    int totalRows() const { return (linesPerCell + 1) * rows + 1; }
    int totalColumns() const { return (charsPerCell + 1) * columns + 1; }
};

// Why a table of this size cannot be built ("" when it can): a negative
// number, or a table larger than the canvas.
QString tableSizeProblem(const TableSize& size);

// Draws the whole table from the top-left cell onto a cleared grid.  A size
// with a problem is a failure (invalid argument) before any cell is touched.
void buildTable(TableGrid& grid, const TableSize& size);

// The lines of a table built from sizes on an empty canvas.
QStringList tableLines(const TableSize& size);

// A number box's value: the leading number of its text (full-width digits
// count), halves to even.
int cellCountValue(const QString& text);
// What a number box shows after the user changed it: its value, at most 55.
QString clampedCellCountText(const QString& text);

}  // namespace petari
