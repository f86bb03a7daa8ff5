#include "calendar/Calendar.h"

#include "platform/Failure.h"
#include "services/Guard.h"

#include <cmath>
#include <cstdint>

namespace petari {

namespace cal {

namespace {

using i64 = std::int64_t;

void need16(i64 v)
{
    if (v < -32768 || v > 32767)
        throw Failure(err::Overflow);
}

void need32(i64 v)
{
    if (v < INT32_MIN || v > INT32_MAX)
        throw Failure(err::Overflow);
}

void needMonth(int month)
{
    if (month < 1 || month > 12)
        throw Failure(err::InvalidArgument);
}

// Floor division: for the non-negative operands that years from -4799 on
// produce it is the same as truncation, and below that it keeps day numbers
// consecutive.
i64 fdiv(i64 a, i64 b)
{
    i64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

int leapOf(i64 year)
{
    return (year % 4 == 0 ? 1 : 0) - (year % 100 == 0 ? 1 : 0) + (year % 400 == 0 ? 1 : 0);
}

// Month lengths without the argument checks, for the internal year counts of
// the day-number inverse (which run 4800 years ahead of the real year).
int monthLength(i64 year, int k)
{
    // |k - 7.5| + 0.5: 7, 6, 5, 4, 3, 2, 1 for January to July, 1 … 5 after.
    const int v = k <= 7 ? 8 - k : k - 7;
    return 28 + 2 + (v % 2) - (k == 2 ? 2 - leapOf(year) : 0);
}

int daysBeforeMonth(i64 year, int month)
{
    int sum = 0;
    for (int k = 1; k < month; ++k)
        sum += monthLength(year, k);
    return sum;
}

i64 dayNumber(i64 year, int month, int day)
{
    const i64 a = year + 4799;
    return 365 * a + fdiv(a, 4) - fdiv(a, 100) + fdiv(a, 400) + daysBeforeMonth(year, month) +
           day - 31740;
}

// A date as a whole number yyyymmdd, for comparing with the dates of the law.
constexpr i64 ymd(i64 y, int m, int d) { return y * 10000 + m * 100 + d; }

struct Date {
    int y, m, d;
    i64 key() const { return ymd(y, m, d); }
};

Date previousDay(Date t)
{
    if (t.d > 1)
        return {t.y, t.m, t.d - 1};
    if (t.m > 1)
        return {t.y, t.m - 1, monthLength(t.y, t.m - 1)};
    return {t.y - 1, 12, 31};
}

Date nextDay(Date t)
{
    if (t.d < monthLength(t.y, t.m))
        return {t.y, t.m, t.d + 1};
    if (t.m < 12)
        return {t.y, t.m + 1, 1};
    return {t.y + 1, 1, 1};
}

// Weekday of a date known to be valid (the holiday rules walk across month
// and year ends, where the year may step just outside 16 bits).
int weekdayOf(const Date& t)
{
    const i64 y = t.y - 1;
    const i64 s = daysBeforeMonth(t.y, t.m) - 28 * (t.m - 1);
    const i64 w = (y + s + y / 4 - y / 100 + y / 400 + t.d) % 7;
    return static_cast<int>((w + 7) % 7);
}

struct EquinoxSet {
    const char16_t* name;
    int baseMonth, baseDay;
    double dayLength;
    float offset;   // kept in single precision, as the offsets have always been stored
};

constexpr EquinoxSet kSpring{u"春分", 3, 21, 365.24238, 0.20208333f};
constexpr EquinoxSet kAutumn{u"秋分", 9, 23, 365.242, 0.6090278f};

int equinoxDay(int year, int angle)
{
    int month = 0, day = 0;
    equinox(year, month, day, angle);
    return day;
}

// The day of the month of the n-th Monday, given the weekday of the 1st.
int nthMonday(int weekdayOfFirst, int n)
{
    return 1 + (8 - weekdayOfFirst) % 7 + 7 * (n - 1);
}

QString tableHoliday(const Date& t)
{
    const int y = t.y, m = t.m, d = t.d;
    if (y < 1948)
        return {};

    // Days made holidays by their own law.
    switch (t.key()) {
    case ymd(1959, 4, 10): return QStringLiteral("皇太子明仁親王の結婚の儀");
    case ymd(1989, 2, 24): return QStringLiteral("昭和天皇の大喪の礼");
    case ymd(1990, 11, 12): return QStringLiteral("即位礼正殿の儀");
    case ymd(1993, 6, 9): return QStringLiteral("皇太子徳仁親王の結婚の儀");
    case ymd(2019, 5, 1): return QStringLiteral("天皇の即位の日");
    case ymd(2019, 10, 22): return QStringLiteral("即位礼正殿の儀");
    default: break;
    }

    const bool law49 = y >= 1949;   // the first full year of the holiday law
    const int w1 = weekdayOf({y, m, 1});
    switch (m) {
    case 1:
        if (d == 1 && law49)
            return QStringLiteral("元日");
        if ((law49 && y <= 1999 && d == 15) || (y >= 2000 && d == nthMonday(w1, 2)))
            return QStringLiteral("成人の日");
        break;
    case 2:
        if (d == 11 && y >= 1967)
            return QStringLiteral("建国記念の日");
        if (d == 23 && y >= 2020)
            return QStringLiteral("天皇誕生日");
        break;
    case 3:
        if (law49 && d == equinoxDay(y, 0))
            return QStringLiteral("春分の日");
        break;
    case 4:
        if (d == 29 && law49) {
            if (y <= 1988)
                return QStringLiteral("天皇誕生日");
            if (y <= 2006)
                return QStringLiteral("みどりの日");
            return QStringLiteral("昭和の日");
        }
        break;
    case 5:
        if (d == 3 && law49)
            return QStringLiteral("憲法記念日");
        if (d == 4 && y >= 2007)
            return QStringLiteral("みどりの日");
        if (d == 5 && law49)
            return QStringLiteral("こどもの日");
        break;
    case 7: {
        // The Olympic years moved three holidays by their own laws.
        int marineDay = 0;
        if (y >= 1996 && y <= 2002)
            marineDay = 20;
        else if (y == 2020)
            marineDay = 23;
        else if (y == 2021)
            marineDay = 22;
        else if (y >= 2003)
            marineDay = nthMonday(w1, 3);
        if (d == marineDay)
            return QStringLiteral("海の日");
        if ((y == 2020 && d == 24) || (y == 2021 && d == 23))
            return QStringLiteral("スポーツの日");
        break;
    }
    case 8:
        if (y >= 2016 && d == (y == 2020 ? 10 : y == 2021 ? 8 : 11))
            return QStringLiteral("山の日");
        break;
    case 9:
        if ((y >= 1966 && y <= 2002 && d == 15) || (y >= 2003 && d == nthMonday(w1, 3)))
            return QStringLiteral("敬老の日");
        if (d == equinoxDay(y, 180))
            return QStringLiteral("秋分の日");
        break;
    case 10:
        if ((y >= 1966 && y <= 1999 && d == 10) || (y >= 2000 && y <= 2019 && d == nthMonday(w1, 2)))
            return QStringLiteral("体育の日");
        if (y >= 2022 && d == nthMonday(w1, 2))
            return QStringLiteral("スポーツの日");
        break;
    case 11:
        if (d == 3)
            return QStringLiteral("文化の日");
        if (d == 23)
            return QStringLiteral("勤労感謝の日");
        break;
    case 12:
        if (d == 23 && y >= 1989 && y <= 2018)
            return QStringLiteral("天皇誕生日");
        break;
    default:
        break;
    }
    return {};
}

bool isTableHoliday(const Date& t) { return !tableHoliday(t).isEmpty(); }

// The law's own dates.
constexpr i64 kLawStart = ymd(1948, 9, 1);        // no holiday before (the law's first autumn)
constexpr i64 kSubstituteStart = ymd(1973, 4, 12);
constexpr i64 kBetweenStart = ymd(1985, 12, 27);
constexpr i64 kLaw2007 = ymd(2007, 1, 1);

}  // namespace

int leapYear(int year) { return leapOf(year); }

int daysInMonth(int year, int month)
{
    need16(year);
    need16(month);
    needMonth(month);
    return monthLength(year, month);
}

int dayOfWeek(int year, int month, int day)
{
    need16(year);
    need16(month);
    need16(day);
    needMonth(month);
    // Truncating division as the calculation was laid down: year 0 gives
    // (-1) div 4 = 0.  The remainder is brought into 0…6 for negative years.
    const i64 y = static_cast<i64>(year) - 1;
    i64 s = 0;
    for (int k = 1; k < month; ++k)
        s += monthLength(year, k) - 28;
    const i64 w = (y + s + y / 4 - y / 100 + y / 400 + day) % 7;
    return static_cast<int>((w + 7) % 7);
}

// Arguments of the holiday look-ups: out-of-range numbers fail as the
// original's integers would; a day the month does not have is no holiday.
static bool checkedDate(int year, int month, int day)
{
    need16(year);
    need16(month);
    need16(day);
    needMonth(month);
    return day >= 1 && day <= monthLength(year, month);
}

QString namedHoliday(int year, int month, int day)
{
    if (!checkedDate(year, month, day))
        return {};
    return tableHoliday({year, month, day});
}

// Holidays.  A date's holiday is the one of the law in force on it:
// - the holiday table (tableHoliday), each holiday with the years it existed;
// - substitute holidays from 1973-04-12: up to 2006 the day after a Sunday
//   holiday when that day is no holiday itself; from 2007 the first day after
//   the Sunday holiday that is no holiday of the table;
// - days between two holidays of the table from 1985-12-27: up to 2006 only
//   when not a Sunday and not a substitute holiday; from 2007 any such day.
// A day that is both a substitute and a day between two holidays takes the
// substitute's name: the law lists the substitute rule first.
QString holidayName(int year, int month, int day)
{
    if (!checkedDate(year, month, day))
        return {};
    const Date t{year, month, day};
    if (t.key() < kLawStart)
        return {};

    QString name = tableHoliday(t);
    if (!name.isEmpty())
        return name;

    // Walk back over the run of table holidays just before this day.
    Date p = previousDay(t);
    for (int k = 1; isTableHoliday(p); ++k, p = previousDay(p)) {
        if (weekdayOf(p) != 0)
            continue;
        if (p.key() >= kLaw2007 || (k == 1 && p.key() >= kSubstituteStart))
            return QStringLiteral("振替休日");
    }

    if (t.key() >= kBetweenStart && isTableHoliday(previousDay(t)) && isTableHoliday(nextDay(t))) {
        if (t.key() >= kLaw2007 || weekdayOf(t) != 0)
            return QStringLiteral("国民の休日");
    }
    return {};
}

QString equinox(int year, int& month, int& day, int angle, int* hour, int* minute)
{
    need16(year);
    const EquinoxSet* set = nullptr;
    if (angle == 0 || angle == 360)
        set = &kSpring;
    else if (angle == 180)
        set = &kAutumn;
    else
        throw Failure(err::InvalidArgument);

    const int b = ((year + 9) * 10) % 184;
    const double a = std::atan(1.0) * (b / 23.0);
    const double v = (year - 1998) * set->dayLength + static_cast<double>(set->offset) +
                     std::sin(a) / 200.0;
    const double whole = std::floor(v);
    const i64 n = static_cast<i64>(whole) + dayNumber(1998, set->baseMonth, set->baseDay);
    need32(n);
    int m = 0, d = 0;
    dateOfDayNumber(static_cast<int>(n), m, d);
    month = m;
    day = d;

    const double frac = v - whole;
    const int h = static_cast<int>(std::floor(24.0 * frac));
    int mi = static_cast<int>(std::floor((frac - h / 24.0) * 24.0 * 60.0));
    if (mi > 59)   // a rounding hair below the next hour
        mi = 59;
    if (hour)
        *hour = h;
    if (minute)
        *minute = mi;
    return QString::fromUtf16(set->name);
}

int dayNumberOf(int year, int month, int day)
{
    need16(year);
    need16(month);
    need16(day);
    needMonth(month);
    const i64 n = dayNumber(year, month, day);
    need32(n);
    return static_cast<int>(n);
}

int dateOfDayNumber(int dayNumber, int& month, int& day)
{
    const i64 b = static_cast<i64>(dayNumber) + 31740;
    need32(b);
    i64 c = fdiv(b, 366);
    i64 e = c - 1;
    i64 r = b - 365 * e - fdiv(e, 4) + fdiv(e, 100) - fdiv(e, 400);
    // Dividing by 366 never overshoots from year -4799 on; before it, step back.
    while (r < 1) {
        --c;
        r += 365 + leapOf(c);
    }
    int q = 1;
    while (r > monthLength(c, q)) {   // c and c - 4800 share their leap rule
        r -= monthLength(c, q);
        if (++q > 12) {
            q = 1;
            ++c;
        }
    }
    const i64 year = c - 4800;
    need16(year);
    month = q;
    day = static_cast<int>(r);
    return static_cast<int>(year);
}

}  // namespace cal

int dayOfWeek(int year, int month, int day)
{
    return guardedValue(QStringLiteral("M1 nyou1"), 0, [&] { return cal::dayOfWeek(year, month, day); });
}

int daysInMonth(int year, int month)
{
    return guardedValue(QStringLiteral("M1 nyou2"), 0, [&] { return cal::daysInMonth(year, month); });
}

QString holidayName(int year, int month, int day)
{
    return guardedValue(QStringLiteral("Saijitu"), QString(),
                        [&] { return cal::holidayName(year, month, day); });
}

QString equinox(int year, int& month, int& day, int angle, int* hour, int* minute)
{
    int m = 0, d = 0, h = 0, mi = 0;
    const QString name = guardedValue(QStringLiteral("sekki24"), QString(),
                                      [&] { return cal::equinox(year, m, d, angle, &h, &mi); });
    if (name.isEmpty())
        m = d = h = mi = 0;
    month = m;
    day = d;
    if (hour)
        *hour = h;
    if (minute)
        *minute = mi;
    return name;
}

int dayNumberOf(int year, int month, int day)
{
    return guardedValue(QStringLiteral("guleyulibi"), 0,
                        [&] { return cal::dayNumberOf(year, month, day); });
}

int dateOfDayNumber(int dayNumber, int& month, int& day)
{
    int y = 0, m = 0, d = 0;
    if (!guarded(QStringLiteral("yulibigule"), [&] { y = cal::dateOfDayNumber(dayNumber, m, d); }))
        y = m = d = 0;
    month = m;
    day = d;
    return y;
}

}  // namespace petari
