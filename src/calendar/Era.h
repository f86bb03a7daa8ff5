#pragma once
// The Japanese era of a Gregorian date, with the year counted from 1 on the
// day the era began (so the first day of an era is its year 1).

#include <QString>

namespace petari {

struct EraYear {
    QString name;   // "令和", "平成", …; empty before 1873
    int year = 0;   // 1 for the era's first (partial) year
};

// Eras are known from 1873-01-01, the day the Gregorian calendar was adopted
// (明治6年); earlier dates were counted on another calendar, and get an
// empty name.
EraYear japaneseEra(int year, int month, int day);

}  // namespace petari
