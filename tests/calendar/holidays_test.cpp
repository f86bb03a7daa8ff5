// Public holidays by the law in force on each date, at the dates where the
// law changed and at the edges of each rule.

#include "calendar/Calendar.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace petari;

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

struct Case {
    int y, m, d;
    const char* name;   // "" for no holiday
};

void expectHolidays(const std::initializer_list<Case>& cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(cal::holidayName(c.y, c.m, c.d), QString::fromUtf8(c.name))
            << c.y << "-" << c.m << "-" << c.d;
}

// Every holiday of a year, as "m/d name".
QStringList holidaysOf(int y)
{
    QStringList out;
    for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= cal::daysInMonth(y, m); ++d) {
            const QString name = cal::holidayName(y, m, d);
            if (!name.isEmpty())
                out << QStringLiteral("%1/%2 %3").arg(m).arg(d).arg(name);
        }
    return out;
}

}  // namespace

TEST(Holidays, BeforeAndAtTheStartOfTheLaw)
{
    expectHolidays({
        {1872, 12, 25, ""},
        {1948, 5, 5, ""},            // the law came too late for that year's こどもの日
        {1948, 4, 29, ""},
        {1948, 9, 23, "秋分の日"},
        {1948, 11, 3, "文化の日"},
        {1948, 11, 23, "勤労感謝の日"},
        {1949, 1, 1, "元日"},
        {1949, 5, 5, "こどもの日"},
        {0, 1, 1, ""},
        {-2024, 11, 3, ""},
    });
}

TEST(Holidays, RulesOfTheFirstDecades)
{
    expectHolidays({
        {1999, 1, 15, "成人の日"},
        {2000, 1, 10, "成人の日"},   // the 1st was a Saturday: the second Monday
        {2000, 1, 15, ""},
        {1967, 2, 11, "建国記念の日"},
        {1966, 2, 11, ""},
        {1966, 9, 15, "敬老の日"},
        {1965, 9, 15, ""},
        {1966, 10, 10, "体育の日"},
        {1988, 4, 29, "天皇誕生日"},
        {1989, 4, 29, "みどりの日"},
        {1989, 12, 23, "天皇誕生日"},
        {1996, 7, 20, "海の日"},
        {1995, 7, 20, ""},
        {2003, 7, 21, "海の日"},     // third Monday from 2003
        {2003, 7, 20, ""},
        {2003, 9, 15, "敬老の日"},
        {2002, 9, 15, "敬老の日"},
        {2004, 9, 20, "敬老の日"},
        {2004, 9, 15, ""},
        {1999, 10, 10, "体育の日"},
        {2000, 10, 9, "体育の日"},
        // Days made holidays by their own law.
        {1959, 4, 10, "皇太子明仁親王の結婚の儀"},
        {1989, 2, 24, "昭和天皇の大喪の礼"},
        {1990, 11, 12, "即位礼正殿の儀"},
        {1993, 6, 9, "皇太子徳仁親王の結婚の儀"},
    });
}

TEST(Holidays, SubstituteHolidaysFrom1973)
{
    expectHolidays({
        {1973, 2, 11, "建国記念の日"},   // a Sunday before the substitute rule
        {1973, 2, 12, ""},
        {1973, 4, 29, "天皇誕生日"},
        {1973, 4, 30, "振替休日"},       // the first one
        {1973, 9, 24, "振替休日"},
        // Up to 2006 only the very next day, and only when it is no holiday.
        {1987, 5, 3, "憲法記念日"},
        {1987, 5, 4, "振替休日"},        // a substitute, not a day between two holidays
        {1997, 5, 4, ""},                // a Sunday between two holidays is none
        {1997, 5, 6, ""},
        {2003, 5, 4, ""},
        {2003, 5, 6, ""},
        {2006, 1, 2, "振替休日"},
        // From 2007 the first day after the Sunday that is no holiday.
        {2007, 4, 30, "振替休日"},
        {2008, 5, 4, "みどりの日"},
        {2008, 5, 6, "振替休日"},
        {2009, 5, 6, "振替休日"},        // Sunday 5/3 → past 5/4 and 5/5
        {2026, 5, 6, "振替休日"},
        {2026, 5, 7, ""},
    });
}

TEST(Holidays, DaysBetweenTwoHolidays)
{
    expectHolidays({
        {1985, 5, 4, ""},                // before the rule
        {1986, 5, 4, ""},                // a Sunday up to 2006
        {1988, 5, 4, "国民の休日"},      // the first one
        {2006, 5, 4, "国民の休日"},
        {2009, 9, 21, "敬老の日"},
        {2009, 9, 22, "国民の休日"},
        {2009, 9, 23, "秋分の日"},
        {2015, 9, 22, "国民の休日"},
        {2026, 9, 22, "国民の休日"},
        {2020, 9, 22, "秋分の日"},
    });
}

TEST(Holidays, ChangesOf2007)
{
    expectHolidays({
        {2006, 4, 29, "みどりの日"},
        {2007, 4, 29, "昭和の日"},
        {2006, 5, 4, "国民の休日"},
        {2007, 5, 4, "みどりの日"},
    });
}

TEST(Holidays, ChangesOf2016)
{
    expectHolidays({
        {2015, 8, 11, ""},
        {2016, 8, 11, "山の日"},
        {2019, 8, 12, "振替休日"},
    });
}

TEST(Holidays, ChangesOf2019To2021)
{
    expectHolidays({
        {2018, 12, 23, "天皇誕生日"},
        {2018, 12, 24, "振替休日"},
        {2019, 12, 23, ""},
        {2019, 2, 23, ""},
        {2020, 2, 23, "天皇誕生日"},
        {2020, 2, 24, "振替休日"},
        {2019, 10, 14, "体育の日"},
        {2020, 10, 12, ""},              // moved to 24 July for the Olympics
        {2020, 7, 20, ""},
        {2020, 7, 23, "海の日"},
        {2020, 7, 24, "スポーツの日"},
        {2020, 8, 10, "山の日"},
        {2020, 8, 11, ""},
        {2021, 7, 19, ""},
        {2021, 7, 22, "海の日"},
        {2021, 7, 23, "スポーツの日"},
        {2021, 8, 8, "山の日"},
        {2021, 8, 9, "振替休日"},
        {2021, 8, 11, ""},
        {2021, 10, 11, ""},
        {2022, 7, 18, "海の日"},
        {2022, 8, 11, "山の日"},
        {2022, 10, 10, "スポーツの日"},
    });
}

TEST(Holidays, WholeYear2019)
{
    EXPECT_EQ(holidaysOf(2019),
              (QStringList{"1/1 元日", "1/14 成人の日", "2/11 建国記念の日", "3/21 春分の日",
                           "4/29 昭和の日", "4/30 国民の休日", "5/1 天皇の即位の日",
                           "5/2 国民の休日", "5/3 憲法記念日", "5/4 みどりの日", "5/5 こどもの日",
                           "5/6 振替休日", "7/15 海の日", "8/11 山の日", "8/12 振替休日",
                           "9/16 敬老の日", "9/23 秋分の日", "10/14 体育の日",
                           "10/22 即位礼正殿の儀", "11/3 文化の日", "11/4 振替休日",
                           "11/23 勤労感謝の日"}));
}

TEST(Holidays, WholeYear2026)
{
    EXPECT_EQ(holidaysOf(2026),
              (QStringList{"1/1 元日", "1/12 成人の日", "2/11 建国記念の日", "2/23 天皇誕生日",
                           "3/20 春分の日", "4/29 昭和の日", "5/3 憲法記念日", "5/4 みどりの日",
                           "5/5 こどもの日", "5/6 振替休日", "7/20 海の日", "8/11 山の日",
                           "9/21 敬老の日", "9/22 国民の休日", "9/23 秋分の日",
                           "10/12 スポーツの日", "11/3 文化の日", "11/23 勤労感謝の日"}));
}

TEST(Holidays, DaysOutsideTheMonthAreNone)
{
    expectHolidays({{2024, 2, 30, ""}, {2024, 4, 31, ""}, {2024, 1, 0, ""}});
}

TEST(Holidays, TheTableAloneHasNoSubstitutes)
{
    EXPECT_EQ(cal::namedHoliday(2026, 5, 3), QStringLiteral("憲法記念日"));
    EXPECT_EQ(cal::namedHoliday(2026, 5, 6), QString());
    EXPECT_EQ(cal::namedHoliday(2026, 9, 22), QString());
}
