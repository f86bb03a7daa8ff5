#include "generators/LineEdits.h"

#include "copy/Invisibles.h"
#include "editing/Document.h"
#include "generators/NumberBoxes.h"
#include "platform/Failure.h"

#include <algorithm>
#include <limits>

namespace petari {

namespace {
void appendNumber(QString& out, qint64 v, const CharacterAddition& a)
{
    appendDecimal(out, v, a.fixedDigits ? a.digits : -1, a.zeroFill ? QLatin1Char('0') : QLatin1Char(' '));
}

QString numberText(qint64 v, const CharacterAddition& a)
{
    QString s;
    appendNumber(s, v, a);
    return s;
}

// Row ranges of the selection, kept as numbers: a reset of the list drops
// the selection model's own indexes.
constexpr qsizetype kMaxKeptRanges = 10000;

std::vector<std::pair<int, int>> selectedRanges(const LineList& list)
{
    std::vector<std::pair<int, int>> ranges;
    for (const QItemSelectionRange& r : list.selectionModel()->selection())
        ranges.emplace_back(r.top(), r.bottom());
    std::sort(ranges.begin(), ranges.end());
    return ranges;
}

void reselect(LineSelection chosen, const QItemSelection& selection, int current)
{
    if (!selection.isEmpty())
        chosen.select(selection, QItemSelectionModel::Select);
    if (current >= 0)
        chosen.setCurrentRow(current);
}
}  // namespace

void addCharacters(QStringList& lines, const std::vector<int>* rows, const CharacterAddition& a)
{
    const qint64 changed = rows ? qint64(rows->size()) : lines.size();
    if (a.number && changed > 0 &&
        qint64(std::abs(a.first)) + (changed - 1) * std::abs(qint64(a.step)) > std::numeric_limits<int>::max())
        throw Failure(err::Overflow);
    const qint64 numberWidth = a.number ? (a.fixedDigits ? a.digits : 10) : 0;
    checkRunSize(0, changed * (a.beforeNumber.size() + a.beforeLine.size() + a.afterLine.size() + numberWidth));

    qint64 k = 0;
    const qint64 wrapping = a.beforeNumber.size() + a.beforeLine.size() + a.afterLine.size() + numberWidth;
    auto change = [&](QString& line) {
        QString changed;
        changed.reserve(line.size() + wrapping);
        changed.append(a.beforeNumber);
        if (a.number)
            appendNumber(changed, k * std::abs(qint64(a.step)) + std::abs(a.first), a);
        changed.append(a.beforeLine);
        changed.append(line);
        changed.append(a.afterLine);
        line = std::move(changed);
        ++k;
    };
    if (rows) {
        for (int i : *rows)
            if (i >= 0 && i < lines.size())
                change(lines[i]);
    } else {
        for (QString& line : lines)
            change(line);
    }
}

QString firstNumberPreview(const CharacterAddition& a)
{
    if (!a.number)
        return QString();
    const QString n = numberText(std::abs(qint64(a.first)), a);
    return a.fixedDigits && !a.zeroFill ? spellOutInvisibles(n) : n;
}

void addCharacters(Document& doc, const CharacterAddition& a)
{
    const LineList& list = doc.lines();
    const int current = list.currentRow();
    const auto ranges = selectedRanges(list);
    if (a.selectedOnly) {
        // Only the changed lines become strings; the others stay shared.
        const LineText& before = list.lines();
        const std::vector<int> rows = list.selectedRows();
        QStringList changed;
        qint64 units = before.textSize();
        for (int r : rows) {
            changed.append(before.at(r));
            units -= changed.back().size();
        }
        addCharacters(changed, nullptr, a);
        for (const QString& line : changed)
            units += line.size();
        doc.checkSize(before.size(), units);
        LineTextBuilder after;
        int from = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            after.append(before.mid(from, rows[i] - from));
            after.append(QStringView(changed[qsizetype(i)]));
            from = rows[i] + 1;
        }
        after.append(before.mid(from));
        doc.replaceLinesAsMade(after.finish());
    } else {
        QStringList lines = list.toStringList();
        addCharacters(lines, nullptr, a);
        doc.replaceLinesAsMade(std::move(lines));
    }
    QItemSelection selection;
    for (const auto& [top, bottom] : ranges)
        selection.select(list.index(top), list.index(bottom));
    reselect(doc.selection(), selection, current);
}

qint64 rowAfterEmptyLines(qint64 i, EmptyLineMode mode, int n)
{
    if (n < 1)
        return i;
    return mode == EmptyLineMode::BeforeEveryLine ? i * (n + 1) + n : i + i / n + 1;
}

LineText withEmptyLines(const LineText& lines, EmptyLineMode mode, int n, const Document* doc)
{
    if (n < 1)
        return lines;
    const qint64 c = lines.size();
    const qint64 inserted = mode == EmptyLineMode::BeforeEveryLine ? c * n : (c + n - 1) / n;
    checkRunSize(inserted, 0);
    if (doc)
        doc->checkSize(c + inserted, lines.textSize());
    LineTextBuilder out;
    qint64 i = 0;
    for (QStringView line : lines) {
        if (mode == EmptyLineMode::BeforeEveryLine) {
            for (int e = 0; e < n; ++e)
                out.append(QStringView());
        } else if (i % n == 0) {
            out.append(QStringView());
        }
        out.append(line);
        ++i;
    }
    return out.finish();
}

void insertEmptyLines(Document& doc, EmptyLineMode mode, int n)
{
    const LineList& list = doc.lines();
    LineText lines = withEmptyLines(list.lines(), mode, n, &doc);
    if (lines.size() == list.count())
        return;
    const int current = list.currentRow();
    const std::vector<int> rows = list.selectedRows();
    doc.replaceLinesAsMade(std::move(lines));
    // Each selected line stays selected where it went, as a list control
    // keeps the flags of the items that an insertion moves down.  The empty
    // lines split a selected block into one range per line, and the list
    // keeps each range as tracked indexes that every later change updates;
    // past kMaxKeptRanges that costs more than a selection nobody can see
    // whole is worth, and the selection is cleared instead.
    QItemSelection selection;
    for (size_t r = 0; r < rows.size() && selection.size() <= kMaxKeptRanges;) {
        size_t e = r;
        while (e + 1 < rows.size() && rowAfterEmptyLines(rows[e + 1], mode, n) ==
                                          rowAfterEmptyLines(rows[e], mode, n) + 1)
            ++e;
        selection.select(list.index(int(rowAfterEmptyLines(rows[r], mode, n))),
                         list.index(int(rowAfterEmptyLines(rows[e], mode, n))));
        r = e + 1;
    }
    if (selection.size() > kMaxKeptRanges)
        selection.clear();
    reselect(doc.selection(), selection, current >= 0 ? int(rowAfterEmptyLines(current, mode, n)) : -1);
}

EmptyLinePreview emptyLinePreview(EmptyLineMode mode, int n)
{
    EmptyLinePreview p;
    for (int i = 0; i <= 20; ++i) {
        if (mode == EmptyLineMode::BeforeEveryLine) {
            for (int k = 1; k <= std::min(n, 21); ++k) {
                p.left << QString();
                p.right << QStringLiteral("←空白(%1)").arg(k);
            }
        } else if (n > 0 && i % n == 0) {
            p.left << QString();
            p.right << QStringLiteral("←空白");
        }
        p.left << QString::number(i + 1) + QStringLiteral("行目");
        p.right << QString();
    }
    return p;
}

}  // namespace petari
