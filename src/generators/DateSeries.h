#pragma once
// The month/day series of the template generator ("月日"): for each month a
// heading such as "2024年 1月", then one line per day such as
// " 1月 1日(月)元日".

#include <QString>
#include <QStringList>
#include <QStringView>

namespace petari {

struct MonthDayOptions {
    bool weekday = true;         // "曜日を表示する。": "(月)" after the day
    bool holidays = true;        // "祝祭日を表示する。": the holiday name after that
    bool blankAfterMonth = false; // "目次用空行を入れる。": an empty line after each month
};

// Appends the series of the year to out, line by line, so that a failure
// leaves the lines made so far.  The year is that of the year box (0 to
// 32767); the calendar procedures report their own failures.
void appendMonthDaySeries(QStringList& out, int year, const MonthDayOptions& options);
QStringList monthDaySeries(int year, const MonthDayOptions& options);

// The year of the year box: the absolute value of its leading number,
// rounded half to even; text with no number gives 0.  Throws
// Failure(err::Overflow) past 32767.
int monthDayYear(QStringView text);

}  // namespace petari
