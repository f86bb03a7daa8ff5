#include "app/Cli.h"

#include "editing/Stamps.h"
#include "generators/DateSeries.h"
#include "services/Guard.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QTime>

#include <cstdio>

namespace petari {

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "petari: %s\n", message.toUtf8().constData());
    return 2;
}

// Counts the failures the calendar procedures report while a mode runs, so
// that a calendar with a failed day is never printed as if it were whole.
class CountingSink : public ErrorSink {
public:
    CountingSink() : previous_(errorSink()) { setErrorSink(this); }
    ~CountingSink() override { setErrorSink(previous_); }
    void report(const QString& label, int number, const QString& description) override
    {
        ++count;
        std::fprintf(stderr, "petari: %s: %d %s\n", label.toUtf8().constData(), number,
                     description.toUtf8().constData());
    }
    int count = 0;

private:
    ErrorSink* previous_;
};

constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

}  // namespace

int runCalendarMode(const QStringList& args)
{
    const QString range = QStringLiteral("give a year from %1 to %2").arg(kFirstYear).arg(kLastYear);
    if (args.size() != 1)
        return fail(QStringLiteral("--calendar needs exactly one year: ") + range);

    const QString text = args.front().trimmed();
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]+$"));
    if (!number.match(text).hasMatch())
        return fail(QStringLiteral("--calendar: \"%1\" is not a year; ").arg(args.front()) + range);
    bool ok = false;
    const qlonglong year = text.toLongLong(&ok);
    if (!ok || year < kFirstYear || year > kLastYear)
        return fail(QStringLiteral("--calendar: year %1 is out of range; ").arg(text) + range);

    CountingSink sink;
    QStringList lines;
    MonthDayOptions options;
    options.weekday = true;
    options.holidays = true;
    const bool done = guarded(QStringLiteral("F2 HG01H"),
                              [&] { appendMonthDaySeries(lines, static_cast<int>(year), options); });
    if (!done || sink.count > 0)
        return 1;
    return printLines(lines);
}

int runStampMode(const QStringList& args)
{
    const QString usage = QStringLiteral("usage: petari --stamp [--at \"YYYY-MM-DD HH:MM:SS\"]");
    QDate date;
    QTime time;
    if (args.isEmpty()) {
        const QDateTime now = QDateTime::currentDateTime();
        date = now.date();
        time = now.time();
    } else {
        QString at;
        if (args.size() == 2 && args[0] == QLatin1String("--at"))
            at = args[1];
        else if (args.size() == 1 && args[0].startsWith(QLatin1String("--at=")))
            at = args[0].mid(5);
        else
            return fail(usage);
        static const QRegularExpression shape(
            QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2}) ([0-9]{2}):([0-9]{2}):([0-9]{2})$"));
        const QRegularExpressionMatch m = shape.match(at.trimmed());
        if (m.hasMatch()) {
            date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
            time = QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
        }
        if (!m.hasMatch() || !date.isValid() || !time.isValid() || date.year() < 1)
            return fail(QStringLiteral("--stamp: \"%1\" is no moment; ").arg(at) + usage);
    }

    QStringList lines;
    CountingSink sink;
    const bool done = guarded(QStringLiteral("F1 timeStanp"), [&] { lines = timeStampLines(date, time); });
    if (!done || sink.count > 0)
        return 1;
    return printLines(lines);
}

}  // namespace petari
