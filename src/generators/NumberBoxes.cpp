#include "generators/NumberBoxes.h"

#include "platform/Failure.h"
#include "platform/StringUtils.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace petari {

namespace {
double roundedBoxValue(QStringView text)
{
    return std::nearbyint(leadingNumber(halfWidthNumberText(text)));
}
}  // namespace

int boxNumber(QStringView text)
{
    const double v = roundedBoxValue(text);
    if (!(v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max()))
        throw Failure(err::Overflow);
    return static_cast<int>(v);
}

int boxMagnitude(QStringView text)
{
    const double v = std::fabs(roundedBoxValue(text));
    if (!(v <= std::numeric_limits<int>::max()))
        throw Failure(err::Overflow);
    return static_cast<int>(v);
}

int boxDigits(QStringView text)
{
    const double v = std::fabs(roundedBoxValue(text));
    if (!(v <= 255))
        throw Failure(err::Overflow);
    return static_cast<int>(v);
}

void appendDecimal(QString& out, qint64 v, int width, QChar pad)
{
    char16_t digits[24];
    int n = 0;
    do {
        digits[n++] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v > 0);
    if (width >= 0) {
        for (int i = n; i < width; ++i)
            out.append(pad);
        n = std::min(n, width);
    }
    while (n > 0)
        out.append(QChar(digits[--n]));
}

}  // namespace petari
