#include "table/TablePen.h"

#include "services/Guard.h"

#include <cmath>
#include <cstdlib>

namespace petari {

namespace {

QString label(const char* procedure) { return QStringLiteral("F3 ") + QLatin1String(procedure); }

// Halves to even, as the codes' mean is rounded: -1.5 -> -2, 0.5 -> 0.
int halfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// Joins new codes with a cell's existing ones.  Offsets from 2 give each
// axis a direction (-1, 0, 1), and -2 means "no line on this axis"; a side
// that has no line on an axis borrows the other's line there, and the mean
// of the two offsets is the joined line.
CellCodes combine(CellCodes fresh, CellCodes existing)
{
    int n[2] = {fresh.a - 2, fresh.b - 2};
    int e[2] = {existing.a - 2, existing.b - 2};
    for (int k = 0; k < 2; ++k) {
        const int other = 1 - k;
        if (n[k] + e[k] == -4)
            continue;
        if (n[k] == -2) {
            n[k] = 0;
            n[other] = e[other] == -2 ? 0 : e[other];
        }
        if (e[k] == -2) {
            e[k] = 0;
            e[other] = n[other] == -2 ? 0 : n[other];
        }
    }
    return {halfEven((e[0] + n[0]) / 2.0) + 2, halfEven((e[1] + n[1]) / 2.0) + 2};
}

const CellCodes kHorizontal{1, 0};
const CellCodes kVertical{0, 1};

}  // namespace

CellCodes strokeCodes(const TableGrid& grid, QPoint from, QPoint at, QPoint to)
{
    const int x = to.x(), y = to.y();
    const int px = at.x(), py = at.y();
    const int qx = from.x(), qy = from.y();

    CellCodes fresh;
    if (x != qx && y != qy) {
        // The stroke turns here: the signs of the two steps pick the corner.
        fresh.a = (qy - y) * (qx - x) * (x + qx - 2 * px) + 2;
        fresh.b = (x - qx) * (y - qy) * (y + qy - 2 * py) + 2;
    } else {
        fresh.a = (x - px) * (x - px);
        fresh.b = (y - py) * (y - py);
    }

    const CellCodes existing = grid.codes(px, py);
    if (grid.text(px, py).isEmpty())
        return fresh;

    // A stroke that starts on a plain line across it makes a T whose stem
    // points the stroke's way, unless a line behind already reaches the cell.
    if (at == from) {
        const CellCodes behind = grid.codes(2 * px - x, 2 * py - y);
        if (fresh == kHorizontal && existing == kVertical) {
            const int d = x - px;
            if (behind.b == 2 + d || behind.a == 0)
                return {2, 2 - d};
        } else if (fresh == kVertical && existing == kHorizontal) {
            const int d = y - py;
            if (behind.a == 2 + d || behind.b == 0)
                return {2 - d, 2};
        }
    }
    return combine(fresh, existing);
}

std::vector<QPoint> cellsBetween(QPoint from, QPoint to)
{
    std::vector<QPoint> out;
    const int dx = std::abs(to.x() - from.x());
    const int dy = std::abs(to.y() - from.y());
    const int sx = to.x() > from.x() ? 1 : -1;
    const int sy = to.y() > from.y() ? 1 : -1;
    out.reserve(static_cast<std::size_t>(dx + dy));
    QPoint p = from;
    // Step along the axis whose next cell centre lies nearer the line:
    // compare (ix + 1/2) / dx with (iy + 1/2) / dy without dividing.
    for (long long ix = 0, iy = 0; ix < dx || iy < dy;) {
        if (iy >= dy || (ix < dx && (2 * ix + 1) * dy < (2 * iy + 1) * dx)) {
            p.rx() += sx;
            ++ix;
        } else {
            p.ry() += sy;
            ++iy;
        }
        out.push_back(p);
    }
    return out;
}

void TablePen::press(QPoint cell)
{
    current_ = previous_ = cell;
    // The press may come without a move before it; the stroke starts here.
    lastSeen_ = cell;
}

std::vector<QPoint> TablePen::move(QPoint cell, int buttons)
{
    std::vector<QPoint> changed;
    guarded(label("Form_MouseMove"), [&] {
        if (cell == lastSeen_)
            return;
        // While a button is held the current cell is the last one seen;
        // without one there is nothing to draw, so the pointer simply jumps.
        const std::vector<QPoint> path =
            buttons == NoButton ? std::vector<QPoint>{cell} : cellsBetween(lastSeen_, cell);
        for (const QPoint& next : path) {
            const QPoint at = current_;
            if (step(next, buttons))
                changed.push_back(at);
            previous_ = current_;
            current_ = next;
            lastSeen_ = next;
        }
    });
    return changed;
}

void TablePen::release()
{
    current_ = previous_ = QPoint(0, 0);
}

bool TablePen::step(QPoint next, int buttons)
{
    // Cells outside the drawable square are stepped through but never drawn.
    if (!TableGrid::drawable(current_.x(), current_.y()))
        return false;
    bool drawn = false;
    guarded(label("nryoku"), [&] {
        if (buttons == RightButton) {
            grid_.show(current_.x(), current_.y(), {0, 0});
            drawn = true;
        } else if (buttons == LeftButton) {
            const CellCodes codes = strokeCodes(grid_, previous_, current_, next);
            guarded(label("mhyouji"), [&] { grid_.show(current_.x(), current_.y(), codes); });
            drawn = true;
        }
    });
    return drawn;
}

}  // namespace petari
