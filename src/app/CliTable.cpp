#include "app/Cli.h"

#include "table/TableGrid.h"

#include <QRegularExpression>

#include <cstdio>

namespace petari {

namespace {

const char* const kTableUsage =
    "usage: petari --table ROWS LINES COLUMNS WIDTH\n"
    "       ROWS, COLUMNS: cells down and across; LINES, WIDTH: text lines and\n"
    "       characters inside each cell; each a whole number from 0 to 55\n";

int usageError(const QString& message)
{
    std::fprintf(stderr, "petari: --table: %s\n%s", message.toUtf8().constData(), kTableUsage);
    return 2;
}

}  // namespace

int runTableMode(const QStringList& args)
{
    if (args.size() != 4)
        return usageError(QStringLiteral("needs exactly four numbers"));

    // The numbers the window's boxes can hold: a box never shows more than 55.
    static const QRegularExpression whole(QStringLiteral("^\\s*\\+?([0-9]{1,9})\\s*$"));
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        const QRegularExpressionMatch m = whole.match(args[i]);
        const int n = m.hasMatch() ? m.captured(1).toInt() : -1;
        if (n < 0 || n > 55)
            return usageError(QStringLiteral("\"%1\" is not a whole number from 0 to 55").arg(args[i]));
        numbers[i] = n;
    }
    const TableSize size{numbers[0], numbers[1], numbers[2], numbers[3]};
    if (!tableSizeProblem(size).isEmpty())
        return usageError(QStringLiteral("that table is %1 rows by %2 columns; the canvas holds at most %3 by %3")
                              .arg(size.totalRows())
                              .arg(size.totalColumns())
                              .arg(TableGrid::kLast));

    return printLines(tableLines(size));
}

}  // namespace petari
