#pragma once
// Freehand drawing on the table canvas.  A cell's character is decided when
// the pointer leaves it, from the cell the stroke came from and the cell it
// goes to, and joined with what the cell already shows; the cell under the
// pointer when the button is released is left as it is.

#include "table/TableGrid.h"

#include <QPoint>
#include <vector>

namespace petari {

// The buttons held during a move, as the drawing sees them.
enum PenButtons : int { NoButton = 0, LeftButton = 1, RightButton = 2 };

// The codes a left-button stroke through `at`, coming from `from` and going
// to `to` (adjacent cells), gives that cell, joined with its present codes.
CellCodes strokeCodes(const TableGrid& grid, QPoint from, QPoint at, QPoint to);

// The cells from `from` (excluded) to `to` (included), each a side
// neighbour of the one before, as close to the straight line as cells go.
std::vector<QPoint> cellsBetween(QPoint from, QPoint to);

class TablePen {
public:
    explicit TablePen(TableGrid& grid) : grid_(grid) {}

    // Button pressed over a cell: a stroke starts there.
    void press(QPoint cell);
    // The pointer is over `cell` with `buttons` held.  A pointer that moved
    // several cells since the last move goes through every cell between, so
    // a quick stroke is drawn unbroken.  Returns the cells whose codes were
    // set (for repainting).
    std::vector<QPoint> move(QPoint cell, int buttons);
    // Button released: the stroke ends.
    void release();

    QPoint current() const { return current_; }

private:
    // One step of the pointer into the side neighbour `next`.
    bool step(QPoint next, int buttons);

    TableGrid& grid_;
    QPoint current_{0, 0};
    QPoint previous_{0, 0};
    QPoint lastSeen_{0, 0};
};

}  // namespace petari
