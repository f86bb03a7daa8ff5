#pragma once
// The order of the sort command "順に並べる".

#include "document/LineText.h"

namespace petari {

// The lines in ascending order by Japanese collation in which case, width,
// kana kind and kana size do not count (see Sort.cpp).  Lines that the collation holds
// equal are ordered by their UTF-16 code units, and identical lines keep
// their order, so the result never depends on the sorting algorithm.
LineText sortLines(const LineText& lines);

}  // namespace petari
