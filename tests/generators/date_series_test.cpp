#include "generators/DateSeries.h"
#include "platform/Failure.h"

#include <gtest/gtest.h>

using namespace petari;

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

TEST(DateSeries, LeapYearWithWeekdaysAndHolidays)
{
    const QStringList l = monthDaySeries(2024, MonthDayOptions{});
    ASSERT_EQ(l.size(), 12 + 366);
    EXPECT_EQ(l[0], QStringLiteral("2024年 1月"));
    EXPECT_EQ(l[1], QStringLiteral(" 1月 1日(月)元日"));
    EXPECT_EQ(l[2], QStringLiteral(" 1月 2日(火)"));
    EXPECT_EQ(l[8], QStringLiteral(" 1月 8日(月)成人の日"));
    EXPECT_TRUE(l.contains(QStringLiteral(" 2月11日(日)建国記念の日")));
    EXPECT_TRUE(l.contains(QStringLiteral(" 2月12日(月)振替休日")));
    EXPECT_TRUE(l.contains(QStringLiteral(" 2月29日(木)")));
    const qsizetype feb = l.indexOf(QStringLiteral("2024年 2月"));
    const qsizetype mar = l.indexOf(QStringLiteral("2024年 3月"));
    EXPECT_EQ(mar - feb - 1, 29);
    EXPECT_EQ(l.indexOf(QStringLiteral("2024年10月")), 9 + 274);   // 9 headings, 274 days
    EXPECT_EQ(l.last(), QStringLiteral("12月31日(火)"));
}

TEST(DateSeries, OptionsOffAndBlankLines)
{
    MonthDayOptions plain;
    plain.weekday = false;
    plain.holidays = false;
    const QStringList l = monthDaySeries(2023, plain);
    ASSERT_EQ(l.size(), 12 + 365);
    EXPECT_EQ(l[1], QStringLiteral(" 1月 1日"));

    MonthDayOptions holidaysOnly = plain;
    holidaysOnly.holidays = true;
    EXPECT_EQ(monthDaySeries(2023, holidaysOnly)[1], QStringLiteral(" 1月 1日元日"));

    MonthDayOptions blanks;
    blanks.blankAfterMonth = true;
    const QStringList b = monthDaySeries(2023, blanks);
    ASSERT_EQ(b.size(), 12 + 365 + 12);
    EXPECT_EQ(b[32], QString());                       // after 31 January
    EXPECT_EQ(b[33], QStringLiteral("2023年 2月"));
    EXPECT_EQ(b.last(), QString());                    // also after December
}

TEST(DateSeries, YearZeroHasNoHolidayNames)
{
    const QStringList l = monthDaySeries(0, MonthDayOptions{});
    ASSERT_EQ(l.size(), 12 + 366);
    EXPECT_EQ(l[0], QStringLiteral("0年 1月"));
    for (const QString& line : l)
        EXPECT_TRUE(line.endsWith(QLatin1Char(')')) || line.endsWith(QStringLiteral("月"))) << qPrintable(line);
}

TEST(DateSeries, YearBox)
{
    EXPECT_EQ(monthDayYear(u"2024"), 2024);
    EXPECT_EQ(monthDayYear(u"-2024"), 2024);
    EXPECT_EQ(monthDayYear(u"abc"), 0);
    EXPECT_EQ(monthDayYear(u" 1999年"), 1999);
    EXPECT_EQ(monthDayYear(u"2024.5"), 2024);   // half to even
    EXPECT_EQ(monthDayYear(u"2025.5"), 2026);
    EXPECT_EQ(monthDayYear(u"32767"), 32767);
    EXPECT_THROW(monthDayYear(u"32768"), Failure);
    EXPECT_THROW(monthDayYear(u"-40000"), Failure);
    EXPECT_THROW(monthDaySeries(40000, MonthDayOptions{}), Failure);
}
