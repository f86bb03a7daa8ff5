#pragma once
// The calendar arithmetic behind the month/day series and the stamps: the
// weekday of a date, the length of a month, the Japanese public holiday of a
// date, the two equinoxes, and a consecutive day number with its inverse.
// Everything is on the proleptic Gregorian calendar.
//
// Integer widths.  Years, months and days are 16-bit values in this program
// (they come from 16-bit boxes and settings), so an argument outside
// -32768..32767, or a year result that would not fit, fails with
// err::Overflow.  Day numbers are 32-bit; a day number whose arithmetic would
// leave 32 bits fails the same way.  Intermediate sums are computed wide:
// inside the valid ranges no intermediate result can change the answer, so
// 16-bit wrap-around is not imitated anywhere else.
//
// Two layers: petari::cal holds the procedures that throw petari::Failure;
// the procedures in petari itself are the labelled ones that hand a failure to
// the error report and return their empty value (0, or "").

#include <QString>

namespace petari {

namespace cal {

// 1 when the year is a leap year, else 0.
int leapYear(int year);

// Weekday, 0 = Sunday … 6 = Saturday.  Year 0 keeps the truncating division
// of this calculation (0 div 4 = 0), so it is one day off the astronomical
// proleptic calendar; years 1 and later are exact.
int dayOfWeek(int year, int month, int day);

// Days in the month (28 to 31).
int daysInMonth(int year, int month);

// The public-holiday name of a date, or "" — under the holiday law in force
// on that date (see Holidays in Calendar.cpp).
QString holidayName(int year, int month, int day);

// The name of a holiday of the holiday table itself (the days named by the
// law and the days made holidays by their own law), without substitute days
// and days between two holidays; "" for any other date.
QString namedHoliday(int year, int month, int day);

// The equinox of the year: angle 0 or 360 spring ("春分"), 180 autumn ("秋分").
// month/day receive its date; hour/minute, when given, its time in Japan.
QString equinox(int year, int& month, int& day, int angle, int* hour = nullptr,
                int* minute = nullptr);

// Day number: 2000-01-01 is 2451544.
int dayNumberOf(int year, int month, int day);

// Inverse of dayNumberOf: returns the year, month/day receive the rest.
int dateOfDayNumber(int dayNumber, int& month, int& day);

}  // namespace cal

// The labelled procedures ("M1 nyou1", "M1 nyou2", "Saijitu", "sekki24",
// "guleyulibi", "yulibigule").  On a failure they report it and return 0 or
// "" (equinox then also leaves its outputs at 0).
int dayOfWeek(int year, int month, int day);
int daysInMonth(int year, int month);
QString holidayName(int year, int month, int day);
QString equinox(int year, int& month, int& day, int angle, int* hour = nullptr,
                int* minute = nullptr);
int dayNumberOf(int year, int month, int day);
int dateOfDayNumber(int dayNumber, int& month, int& day);

}  // namespace petari
