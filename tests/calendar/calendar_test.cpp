#include "calendar/Calendar.h"
#include "support/FailureNumber.h"
#include "services/Guard.h"

#include <QDate>
#include <gtest/gtest.h>

#include <vector>

using namespace petari;

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

struct RecordingSink : ErrorSink {
    RecordingSink() : previous(errorSink()) { setErrorSink(this); }
    ~RecordingSink() override { setErrorSink(previous); }
    void report(const QString& label, int number, const QString&) override
    {
        labels << label;
        numbers.push_back(number);
    }
    ErrorSink* previous;
    QStringList labels;
    std::vector<int> numbers;
};

}  // namespace

TEST(Calendar, MonthLengths)
{
    struct Case { int y, m, days; };
    const Case cases[] = {
        {2000, 2, 29}, {1900, 2, 28}, {2004, 2, 29}, {2023, 2, 28}, {2400, 2, 29},
        {0, 2, 29},    {2023, 1, 31}, {2023, 4, 30}, {2023, 7, 31}, {2023, 8, 31},
        {2023, 9, 30}, {2023, 11, 30}, {1, 12, 31},  {9999, 12, 31}, {-4, 2, 29},
    };
    for (const Case& c : cases)
        EXPECT_EQ(daysInMonth(c.y, c.m), c.days) << c.y << "-" << c.m;
}

TEST(Calendar, WeekdaysOfKnownDates)
{
    EXPECT_EQ(dayOfWeek(2001, 1, 1), 1);    // Monday
    EXPECT_EQ(dayOfWeek(2024, 3, 20), 3);   // Wednesday
    EXPECT_EQ(dayOfWeek(2024, 1, 5), 5);    // Friday
    // Year 0 divides -1 by 4 with truncation, as the calculation always has.
    EXPECT_EQ(dayOfWeek(0, 1, 1), 0);
}

TEST(Calendar, WeekdaysAgreeWithQtAcrossTheYears)
{
    for (int y = 1; y <= 9999; y += 7) {
        for (int m = 1; m <= 12; ++m) {
            for (int d : {1, 28, daysInMonth(y, m)}) {
                const int expected = QDate(y, m, d).dayOfWeek() % 7;
                ASSERT_EQ(cal::dayOfWeek(y, m, d), expected) << y << "-" << m << "-" << d;
            }
        }
    }
}

TEST(Calendar, DayNumbersAreConsecutiveAndInvertible)
{
    EXPECT_EQ(dayNumberOf(2000, 1, 1), 2451544);
    EXPECT_EQ(dayNumberOf(1998, 3, 21), 2450893);
    // The day number runs one behind the Julian day number.
    for (int y : {1, 4, 100, 1582, 1600, 1899, 1900, 1948, 2000, 2024, 2100, 9999, 32767}) {
        for (int m = 1; m <= 12; ++m) {
            for (int d : {1, daysInMonth(y, m)}) {
                const int n = cal::dayNumberOf(y, m, d);
                if (y <= 9999)
                    ASSERT_EQ(n, QDate(y, m, d).toJulianDay() - 1) << y << "-" << m << "-" << d;
                int mm = 0, dd = 0;
                ASSERT_EQ(cal::dateOfDayNumber(n, mm, dd), y);
                ASSERT_EQ(mm, m);
                ASSERT_EQ(dd, d);
            }
        }
    }
    // Far back, where dividing by 366 first lands in a later year.
    for (int y : {-32768, -10000, -4801, -4800, -4799, -1, 0}) {
        int mm = 0, dd = 0;
        const int n = cal::dayNumberOf(y, 3, 1);
        EXPECT_EQ(cal::dayNumberOf(y, 2, daysInMonth(y, 2)) + 1, n) << y;
        EXPECT_EQ(cal::dateOfDayNumber(n, mm, dd), y);
        EXPECT_EQ(mm, 3);
        EXPECT_EQ(dd, 1);
    }
}

TEST(Calendar, EquinoxTimes)
{
    struct Case { int y, angle; const char* name; int m, d, h, mi; };
    const Case cases[] = {
        {2012, 0, "春分", 3, 20, 14, 11},
        {2012, 180, "秋分", 9, 22, 23, 49},
        {1979, 180, "秋分", 9, 24, 0, 17},
        {2012, 360, "春分", 3, 20, 14, 11},
    };
    for (const Case& c : cases) {
        int m = 0, d = 0, h = -1, mi = -1;
        EXPECT_EQ(equinox(c.y, m, d, c.angle, &h, &mi), QString::fromUtf8(c.name));
        EXPECT_EQ(m, c.m) << c.y;
        EXPECT_EQ(d, c.d) << c.y;
        EXPECT_EQ(h, c.h) << c.y;
        EXPECT_EQ(mi, c.mi) << c.y;
    }
    int m = 0, d = 0;
    EXPECT_EQ(equinox(2024, m, d, 0), QStringLiteral("春分"));   // time outputs are optional
    EXPECT_EQ(m, 3);
    EXPECT_EQ(d, 20);
}

TEST(Calendar, SixteenBitArgumentsOverflow)
{
    int m = 0, d = 0;
    EXPECT_THROW(cal::dayOfWeek(32768, 1, 1), Failure);
    EXPECT_THROW(cal::daysInMonth(-32769, 1), Failure);
    EXPECT_THROW(cal::dayNumberOf(2024, 1, 40000), Failure);
    EXPECT_THROW(cal::equinox(70000, m, d, 0), Failure);
    EXPECT_THROW(cal::holidayName(2024, 70000, 1), Failure);
    // A day number past 16-bit years, and one whose count leaves 32 bits.
    EXPECT_THROW(cal::dateOfDayNumber(cal::dayNumberOf(32767, 12, 31) + 1, m, d), Failure);
    EXPECT_THROW(cal::dateOfDayNumber(2147483647, m, d), Failure);
    // The last 16-bit year still works throughout.
    EXPECT_EQ(cal::daysInMonth(32767, 12), 31);
    EXPECT_NO_THROW(cal::holidayName(32767, 12, 31));
    EXPECT_NO_THROW(cal::equinox(32767, m, d, 180));
    EXPECT_NO_THROW(cal::equinox(-32768, m, d, 0));
    EXPECT_EQ(m, 3);

    EXPECT_EQ(test::failureNumber([] { cal::dayOfWeek(40000, 1, 1); }), err::Overflow);
}

TEST(Calendar, LabelledProceduresReportAndReturnEmpty)
{
    RecordingSink sink;
    int m = 7, d = 7, h = 7, mi = 7;
    EXPECT_EQ(dayOfWeek(40000, 1, 1), 0);
    EXPECT_EQ(daysInMonth(2024, 13), 0);
    EXPECT_EQ(holidayName(40000, 1, 1), QString());
    EXPECT_EQ(equinox(2024, m, d, 90, &h, &mi), QString());
    EXPECT_EQ(m + d + h + mi, 0);
    EXPECT_EQ(dayNumberOf(-40000, 1, 1), 0);
    m = d = 7;
    EXPECT_EQ(dateOfDayNumber(2147483647, m, d), 0);
    EXPECT_EQ(m + d, 0);
    EXPECT_EQ(sink.labels, (QStringList{"M1 nyou1", "M1 nyou2", "Saijitu", "sekki24", "guleyulibi",
                                        "yulibigule"}));
    EXPECT_EQ(sink.numbers, (std::vector<int>{err::Overflow, err::InvalidArgument, err::Overflow,
                                              err::InvalidArgument, err::Overflow, err::Overflow}));
}
