#pragma once
// How the generator window reads its number boxes and writes numbers.  Numbers
// are 32-bit.  How much one run may make is in document/RunLimits.h.

#include "document/RunLimits.h"

#include <QString>
#include <QStringView>

namespace petari {

// The value of a number box: its leading number (full-width digits count as
// digits), rounded half to even; text with no number is 0.  Throws
// Failure(err::Overflow) outside the 32-bit range.
int boxNumber(QStringView text);
// The absolute value of the same; also throws for -2147483648.
int boxMagnitude(QStringView text);
// A digit count: the absolute value, 0 to 255; throws Failure(err::Overflow)
// past 255.
int boxDigits(QStringView text);

// Appends the decimal of v (not negative).  With width 0 or more, only the
// rightmost width characters of width copies of pad followed by the number:
// "007" for (7, 3, '0'), "23" for (123, 2, '0').  Writes straight into out,
// as a million lines must not pay for a string per number.
void appendDecimal(QString& out, qint64 v, int width, QChar pad);

}  // namespace petari
