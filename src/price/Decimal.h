#pragma once
// Exact decimal numbers for the price calculator, kept as GMP rationals.
// Every number the calculator meets is a terminating decimal (typed
// decimals, their products, and quotients by a power of ten), so a total
// such as 0.1 × 3 × 1.1 is exactly 0.33 and its text never carries a binary
// artefact.

#include <QString>
#include <QStringView>
#include <gmpxx.h>
#include <optional>

namespace petari {

// The numbers people type have at most this many significant digits; longer
// ones are refused rather than shown rounded.
constexpr int kMaxSignificantDigits = 15;

struct LeadingDecimal {
    mpq_class value;           // 0 when the text starts with no number
    bool outOfRange = false;   // an exponent too large to write out
};

// The leading-number rule, exactly: leading blanks, an optional sign,
// digits with an optional decimal part and an optional exponent, as far as
// they go ("12abc" 12, "abc" 0, " -3.5x" -3.5, "1e3" 1000).
LeadingDecimal leadingDecimal(QStringView text);

// The same when the whole text (blanks around it aside) must be one plain
// decimal number without exponent; nothing when it is not.
std::optional<mpq_class> wholeDecimal(QStringView text);

// The plain decimal text: "." as the point, no exponent, no separators, no
// trailing zeros after the point ("315", "12.5", "1.05", "0.33").  Only for
// terminating decimals; anything else is a fault of the program.
QString decimalText(const mpq_class& value);

// Digits from the first non-zero one to the last one of decimalText
// (1000 has 4, 0.05 has 1, 0 has 1).
int significantDigits(const mpq_class& value);

// Within the range the calculator handles.
bool fitsDigits(const mpq_class& value);

// The integer part, toward zero.
mpq_class truncated(const mpq_class& value);

}  // namespace petari
