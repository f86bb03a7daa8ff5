#include "price/Decimal.h"

#include "platform/Failure.h"

#include <string>

namespace petari {

namespace {

// Beyond this an exponent would ask for a number of thousands of digits.
constexpr long kMaxExponent = 1000;

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\n');
}

mpz_class powerOfTen(unsigned long n)
{
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, n);
    return p;
}

// digits × 10^scale, negated when negative.
mpq_class fromDigits(const std::string& digits, long scale, bool negative)
{
    mpq_class v(mpz_class(digits.empty() ? std::string("0") : digits, 10));
    if (scale > 0)
        v *= powerOfTen(static_cast<unsigned long>(scale));
    else if (scale < 0)
        v /= powerOfTen(static_cast<unsigned long>(-scale));
    v.canonicalize();
    return negative ? mpq_class(-v) : v;
}

struct Scanned {
    std::string digits;     // every digit before and after the point
    long fractionDigits = 0;
    bool negative = false;
    qsizetype end = 0;      // just after the number (before any exponent)
    bool found = false;
};

Scanned scanNumber(QStringView t, qsizetype i)
{
    Scanned s;
    const qsizetype n = t.size();
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        s.negative = t[i] == QLatin1Char('-');
        ++i;
    }
    while (i < n && isDigit(t[i]))
        s.digits += static_cast<char>(t[i++].unicode());
    if (i < n && t[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(t[i])) {
            s.digits += static_cast<char>(t[i++].unicode());
            ++s.fractionDigits;
        }
    }
    s.found = !s.digits.empty();
    s.end = i;
    return s;
}

}  // namespace

LeadingDecimal leadingDecimal(QStringView t)
{
    LeadingDecimal result;
    qsizetype i = 0;
    const qsizetype n = t.size();
    while (i < n && isBlank(t[i]))
        ++i;
    const Scanned s = scanNumber(t, i);
    if (!s.found)
        return result;
    long exponent = 0;
    i = s.end;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        bool negative = false;
        if (j < n && (t[j] == QLatin1Char('+') || t[j] == QLatin1Char('-')))
            negative = t[j++] == QLatin1Char('-');
        if (j < n && isDigit(t[j])) {
            while (j < n && isDigit(t[j])) {
                exponent = exponent * 10 + (t[j++].unicode() - '0');
                if (exponent > kMaxExponent) {
                    result.outOfRange = true;
                    return result;
                }
            }
            if (negative)
                exponent = -exponent;
        }
    }
    result.value = fromDigits(s.digits, exponent - s.fractionDigits, s.negative);
    return result;
}

std::optional<mpq_class> wholeDecimal(QStringView text)
{
    const QStringView t = text.trimmed();
    const Scanned s = scanNumber(t, 0);
    if (!s.found || s.end != t.size())
        return std::nullopt;
    return fromDigits(s.digits, -s.fractionDigits, s.negative);
}

QString decimalText(const mpq_class& value)
{
    // The smallest n with value × 10^n whole: the larger of the powers of
    // 2 and 5 in the denominator, which must have no other factor.
    mpz_class rest = value.get_den();
    unsigned long twos = mpz_scan1(rest.get_mpz_t(), 0);
    rest >>= twos;
    unsigned long fives = 0;
    while (mpz_divisible_ui_p(rest.get_mpz_t(), 5)) {
        rest /= 5;
        ++fives;
    }
    if (rest != 1)
        throw Failure(err::Internal, QStringLiteral("割り切れない数"));
    const unsigned long places = std::max(twos, fives);
    mpz_class scaled = value.get_num() * powerOfTen(places) / value.get_den();
    const bool negative = scaled < 0;
    if (negative)
        scaled = -scaled;
    std::string digits = scaled.get_str(10);
    if (places > 0) {
        if (digits.size() <= places)
            digits.insert(0, places + 1 - digits.size(), '0');
        digits.insert(digits.size() - places, 1, '.');
    }
    if (negative)
        digits.insert(0, 1, '-');
    return QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size()));
}

int significantDigits(const mpq_class& value)
{
    const QString text = decimalText(abs(value));
    int count = 0;
    bool started = false;
    for (QChar c : text) {
        if (!isDigit(c))
            continue;
        started = started || c != QLatin1Char('0');
        if (started)
            ++count;
    }
    return count == 0 ? 1 : count;
}

bool fitsDigits(const mpq_class& value) { return significantDigits(value) <= kMaxSignificantDigits; }

mpq_class truncated(const mpq_class& value)
{
    mpz_class q;
    mpz_tdiv_q(q.get_mpz_t(), value.get_num_mpz_t(), value.get_den_mpz_t());
    return mpq_class(q);
}

}  // namespace petari
