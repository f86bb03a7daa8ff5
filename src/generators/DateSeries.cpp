#include "generators/DateSeries.h"

#include "calendar/Calendar.h"
#include "platform/StringUtils.h"
#include "platform/Failure.h"

#include <cmath>

namespace petari {

namespace {
const char16_t* const kWeekdayKanji[7] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};

void need16(int year)
{
    if (year < -32768 || year > 32767)
        throw Failure(err::Overflow);
}
}  // namespace

void appendMonthDaySeries(QStringList& out, int year, const MonthDayOptions& options)
{
    need16(year);
    const QString yearText = QString::number(year);
    for (int m = 1; m <= 12; ++m) {
        const QString mm = spacePadded2(m);
        out << yearText + QStringLiteral("年") + mm + QStringLiteral("月");
        const int days = daysInMonth(year, m);
        for (int d = 1; d <= days; ++d) {
            QString line = mm + QStringLiteral("月") + spacePadded2(d) + QStringLiteral("日");
            if (options.weekday) {
                const int w = dayOfWeek(year, m, d);
                if (w < 0 || w > 6)
                    throw Failure(err::OutOfRange);
                line += QStringLiteral("(") + QString::fromUtf16(kWeekdayKanji[w]) +
                        QStringLiteral(")");
            }
            if (options.holidays)
                line += holidayName(year, m, d);
            out << line;
        }
        if (options.blankAfterMonth)
            out << QString();
    }
}

QStringList monthDaySeries(int year, const MonthDayOptions& options)
{
    QStringList out;
    appendMonthDaySeries(out, year, options);
    return out;
}

int monthDayYear(QStringView text)
{
    const double v = std::nearbyint(std::fabs(leadingNumber(text)));
    if (!(v <= 32767.0))
        throw Failure(err::Overflow);
    return static_cast<int>(v);
}

}  // namespace petari
