#include "generators/RunLimits.h"

#include "platform/Failure.h"
#include "platform/StringUtils.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace petari {

RunRefused::RunRefused(QString message) : message_(std::move(message)), what_(message_.toStdString())
{
}

namespace {
// "1,000,000": the C locale of Qt 6 leaves the separators out unless told.
QString withSeparators(qint64 n)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions);
    return c.toString(n);
}
}  // namespace

QString tooManyLinesMessage()
{
    return QStringLiteral("作成する行が多すぎます。一度に作成できるのは%1行までです。").arg(withSeparators(kMaxLines));
}

QString tooManyCharactersMessage()
{
    return QStringLiteral("作成する文字が多すぎます。一度に作成できるのは%1文字までです。")
        .arg(withSeparators(kMaxCharacters));
}

void checkRunSize(qint64 lines, qint64 characters)
{
    if (lines > kMaxLines)
        throw RunRefused(tooManyLinesMessage());
    if (characters > kMaxCharacters)
        throw RunRefused(tooManyCharactersMessage());
}

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
