#include "calendar/Era.h"

namespace petari {

namespace {
struct EraStart {
    int y, m, d;
    const char16_t* name;
    int firstYear;   // the Gregorian year whose part after the start is year 1
};

// Newest first.  明治 is known only from the adoption of the Gregorian
// calendar; its year 1 was 1868.
constexpr EraStart kEras[] = {
    {2019, 5, 1, u"令和", 2019},
    {1989, 1, 8, u"平成", 1989},
    {1926, 12, 25, u"昭和", 1926},
    {1912, 7, 30, u"大正", 1912},
    {1873, 1, 1, u"明治", 1868},
};
}  // namespace

EraYear japaneseEra(int year, int month, int day)
{
    const long long key = year * 10000LL + month * 100 + day;
    for (const EraStart& e : kEras) {
        if (key >= e.y * 10000LL + e.m * 100 + e.d)
            return {QString::fromUtf16(e.name), year - e.firstYear + 1};
    }
    return {};
}

}  // namespace petari
