#include "table/TableGrid.h"

#include "platform/Failure.h"
#include "platform/StringUtils.h"

#include <algorithm>
#include <cmath>

namespace petari {

namespace {

// Rows: vertical code a; columns: horizontal code b.
const char16_t kCharacters[4][4] = {
    {0, u'│', 0, 0},
    {u'─', u'┌', u'┬', u'┐'},
    {0, u'├', u'┼', u'┤'},
    {0, u'└', u'┴', u'┘'},
};

constexpr int kMaxCellCount = 55;

std::size_t indexOf(int x, int y) { return static_cast<std::size_t>(y) * TableGrid::kSize + x; }

}  // namespace

QString boxCharacter(CellCodes c)
{
    if (c.a < 0 || c.b < 0 || c.a > 3 || c.b > 3 || kCharacters[c.a][c.b] == 0)
        return QString();
    return QString(QChar(kCharacters[c.a][c.b]));
}

void TableGrid::clear()
{
    for (auto& cell : cells_)
        cell = {0, 0};
    lastUsedRow_ = 0;
}

CellCodes TableGrid::codes(int x, int y) const
{
    if (!contains(x, y))
        return {};
    const auto& cell = cells_[indexOf(x, y)];
    return {cell[0], cell[1]};
}

void TableGrid::show(int x, int y, CellCodes codes)
{
    if (!contains(x, y) || codes.a < 0 || codes.b < 0 || codes.a > 255 || codes.b > 255)
        throw Failure(err::OutOfRange);
    cells_[indexOf(x, y)] = {static_cast<std::uint8_t>(codes.a), static_cast<std::uint8_t>(codes.b)};
    lastUsedRow_ = std::max(lastUsedRow_, y);
}

QStringList TableGrid::lines() const
{
    QStringList out;
    const int last = std::min(lastUsedRow_, kLast);
    for (int y = 1; y <= last; ++y) {
        QString line;
        line.reserve(kLast);
        for (int x = 1; x <= kLast; ++x) {
            const QString t = text(x, y);
            line += t.isEmpty() ? QStringLiteral("　") : t;
        }
        out << line;
    }
    return out;
}

QString tableSizeProblem(const TableSize& s)
{
    if (s.rows < 0 || s.linesPerCell < 0 || s.columns < 0 || s.charsPerCell < 0)
        return QStringLiteral("マス数に負の数は指定できません。0 以上の数を入れてください。");
    // Each number is at most 55 in the boxes, so the products cannot overflow;
    // wider callers are checked in 64 bits all the same.
    const long long rows = (static_cast<long long>(s.linesPerCell) + 1) * s.rows + 1;
    const long long columns = (static_cast<long long>(s.charsPerCell) + 1) * s.columns + 1;
    if (rows > TableGrid::kLast || columns > TableGrid::kLast)
        return QStringLiteral("表が大きすぎます。この数では縦 %1 行・横 %2 文字になりますが、"
                              "作れるのは縦横とも %3 までです。")
            .arg(rows)
            .arg(columns)
            .arg(TableGrid::kLast);
    return QString();
}

void buildTable(TableGrid& grid, const TableSize& s)
{
    const QString problem = tableSizeProblem(s);
    if (!problem.isEmpty())
        throw Failure(err::InvalidArgument, problem);
    const int totalRows = s.totalRows();
    const int totalColumns = s.totalColumns();

    for (int y = 1; y <= totalRows; y += s.linesPerCell + 1)
        for (int x = 1; x <= totalColumns; ++x)
            grid.show(x, y, {1, 0});

    for (int x = 1; x <= totalColumns; x += s.charsPerCell + 1) {
        for (int y = 1; y <= totalRows; ++y) {
            if (grid.text(x, y).isEmpty()) {
                grid.show(x, y, {0, 1});
                continue;
            }
            // A crossing with a rule: the row picks the vertical role, the
            // column the horizontal one.
            const int a = y == 1 ? 1 : y == totalRows ? 3 : 2;
            const int b = x == 1 ? 1 : x == totalColumns ? 3 : 2;
            grid.show(x, y, {a, b});
        }
    }
    grid.setLastUsedRow(totalRows);
}

QStringList tableLines(const TableSize& size)
{
    TableGrid grid;
    buildTable(grid, size);
    return grid.lines();
}

int cellCountValue(const QString& text)
{
    // nearbyint rounds halves to even in the default rounding mode; the
    // digits may be full-width, as the generator window's boxes read them.
    const double v = std::nearbyint(leadingNumber(halfWidthNumberText(text)));
    if (!(v == v))
        return 0;
    return static_cast<int>(std::clamp(v, -1e9, 1e9));
}

QString clampedCellCountText(const QString& text)
{
    return QString::number(std::min(cellCountValue(text), kMaxCellCount));
}

}  // namespace petari
