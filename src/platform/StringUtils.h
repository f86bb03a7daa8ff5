#pragma once
// Small text helpers shared across the program: parts of a path and the
// two-character number formats of the stamps and program information.

#include <QString>
#include <QStringView>

namespace petari {

// Paths accept both "/" and "\" as separators.
QString pathTail(const QString& path);   // after the last separator; "" when none
QString pathHead(const QString& path);   // before the last separator; "" when none
QString pathExt(const QString& name);    // after the last "."; "" when none

QString zeroPadded2(int n);    // "05", and of a longer number its last two characters
QString spacePadded2(int n);   // " 5", likewise

// The leading-number rule for numbers typed or stored as text: leading blanks
// are skipped, then an optional sign, digits, a decimal part and an exponent
// are taken as far as they go.  "12abc" gives 12, "abc" 0, " -3.5x" -3.5.
double leadingNumber(QStringView text);

// The whole-number value of a text by the same rule, clamped to int.
int leadingInt(QStringView text);

// A number box's text as the leading-number rule reads it: an input method
// in Japanese mode types full-width digits, signs and blanks (１２．５),
// which mean the same number as their ASCII forms.
QString halfWidthNumberText(QStringView text);

}  // namespace petari
