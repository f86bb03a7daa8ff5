#include "platform/StringUtils.h"

#include <cmath>
#include <limits>

namespace petari {

namespace {
int lastSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

QString lastTwo(int n, QChar pad)
{
    QString s = QString(2, pad) + QString::number(n);
    return s.right(2);
}

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
}  // namespace

QString pathTail(const QString& path)
{
    int i = lastSeparator(path);
    return i < 0 ? QString() : path.mid(i + 1);
}

QString pathHead(const QString& path)
{
    int i = lastSeparator(path);
    return i < 0 ? QString() : path.left(i);
}

QString pathExt(const QString& name)
{
    int i = name.lastIndexOf(QLatin1Char('.'));
    return i < 0 ? QString() : name.mid(i + 1);
}

QString zeroPadded2(int n) { return lastTwo(n, QLatin1Char('0')); }
QString spacePadded2(int n) { return lastTwo(n, QLatin1Char(' ')); }

double leadingNumber(QStringView t)
{
    qsizetype i = 0;
    const qsizetype n = t.size();
    while (i < n && (t[i] == QLatin1Char(' ') || t[i] == QLatin1Char('\t') ||
                     t[i] == QLatin1Char('\r') || t[i] == QLatin1Char('\n')))
        ++i;
    const qsizetype start = i;
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(t[i])) { ++i; ++digits; }
    if (i < n && t[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(t[i])) { ++i; ++digits; }
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (t[j] == QLatin1Char('+') || t[j] == QLatin1Char('-')))
            ++j;
        if (j < n && isDigit(t[j])) {
            while (j < n && isDigit(t[j])) ++j;
            end = j;
        }
    }
    bool ok = false;
    double v = t.mid(start, end - start).toString().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0.0;
    return v;
}

int leadingInt(QStringView text)
{
    double v = std::trunc(leadingNumber(text));
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

QString halfWidthNumberText(QStringView text)
{
    QString ascii;
    ascii.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            ascii.append(QChar(char16_t(u - 0xFEE0)));
        else if (u == 0x3000)
            ascii.append(QLatin1Char(' '));
        else
            ascii.append(c);
    }
    return ascii;
}

}  // namespace petari
