#include "generators/Templates.h"

#include "copy/Conversions.h"
#include "generators/NumberBoxes.h"
#include "platform/Failure.h"
#include "platform/StringUtils.h"

#include <algorithm>
#include <cstdlib>

namespace petari {

QStringList numberingSeries(const NumberingOptions& o)
{
    const qint64 start = std::abs(qint64(o.start));
    const qint64 end = std::abs(qint64(o.end));
    qint64 step = std::max<qint64>(std::abs(qint64(o.step)), 1);
    const qint64 count = std::abs(end - start) / step + 1;
    if (end < start)
        step = -step;
    const qint64 blanks = o.tocBlanks ? count / 20 : 0;
    const int numberWidth = o.fixedDigits ? o.digits : 10;
    checkRunSize(count + blanks, count * (o.before.size() + o.after.size() + numberWidth));

    const QChar pad = o.zeroFill ? QLatin1Char('0') : QLatin1Char(' ');
    QStringList out;
    out.reserve(count + blanks);
    qint64 n = start;
    const qsizetype longest = o.before.size() + o.after.size() + numberWidth;
    for (qint64 k = 1; k <= count; ++k, n += step) {
        QString line;
        line.reserve(longest);
        line.append(o.before);
        appendDecimal(line, n, o.fixedDigits ? o.digits : -1, pad);
        line.append(o.after);
        out.append(std::move(line));
        if (o.tocBlanks && k % 20 == 0)
            out.append(QString());
    }
    return out;
}

namespace {
constexpr std::array<int, 7> kInterval = {1, 5, 10, 15, 20, 30, 60};
constexpr std::array<int, 7> kFullLine = {10, 30, 60, 60, 60, 60, 60};
}  // namespace

QStringList timeIntervalCaptions()
{
    QStringList c;
    for (int m : kInterval)
        c << QString::number(m) + QStringLiteral("分間隔");
    return c;
}

QStringList timeSeries(int intervalIndex, int format, bool tocBlanks)
{
    if (intervalIndex < 0 || intervalIndex > 6 || format < 0 || format > 3)
        throw Failure(err::OutOfRange);
    const int interval = kInterval[intervalIndex];
    const int fullLine = kFullLine[intervalIndex];
    const QString separator[4] = {QStringLiteral(":"), QStringLiteral("時 "), QStringLiteral(":"),
                                  QStringLiteral("時 ")};
    const QString suffix[4] = {QString(), QStringLiteral("分"), QString(), QStringLiteral("分")};
    const QString indent[4] = {QStringLiteral("   "), QStringLiteral("  　 "), QStringLiteral("      "),
                               QStringLiteral("　　   　 ")};
    QStringList out;
    for (int h = 0; h < 24; ++h) {
        const int hour = format <= 1 ? h : h % 12;
        QString prefix;
        if (format == 2)
            prefix = h < 12 ? QStringLiteral("AM ") : QStringLiteral("PM ");
        else if (format == 3)
            prefix = h < 12 ? QStringLiteral("午前 ") : QStringLiteral("午後 ");
        for (int m = 0; m <= 59; m += interval) {
            if (m % fullLine == 0)
                out << prefix + zeroPadded2(hour) + separator[format] + zeroPadded2(m) + suffix[format];
            else
                out << indent[format] + zeroPadded2(m) + suffix[format];
        }
        if (tocBlanks)
            out << QString();
    }
    return out;
}

QStringList alphabetSeries(int set)
{
    static constexpr char16_t kFirst[4] = {u'A', u'a', u'\uFF21', u'\uFF41'};
    if (set < 0 || set > 3)
        throw Failure(err::OutOfRange);
    QStringList out;
    for (int i = 0; i < 26; ++i)
        out << QString(QChar(char16_t(kFirst[set] + i)));
    return out;
}

QStringList kanaSeries(int form, bool tocBlanks)
{
    if (form < 0 || form > 2)
        throw Failure(err::OutOfRange);
    // ｱ (U+FF71) to ﾝ (U+FF9D): the plain syllables, no ｦ, no small kana.
    QStringList out;
    for (int i = 0; i < 45; ++i) {
        QString kana(QChar(char16_t(0xFF71 + i)));
        if (form == 1)
            kana = toHiragana(toFullWidth(kana));
        else if (form == 2)
            kana = toFullWidth(kana);
        out << kana;
        const int n = i + 1;   // after お こ そ と の ほ も よ ろ
        if (tocBlanks && ((n <= 35 && n % 5 == 0) || n == 38 || n == 43))
            out << QString();
    }
    return out;
}

QStringList lineUp(const QString& text, int across, int lines, bool tocBlanks)
{
    const qint64 lineLength = across > 0 ? qint64(across) * text.size() : 0;
    const qint64 count = lines > 0 ? lines : 0;
    checkRunSize(count * (tocBlanks ? 2 : 1), count * lineLength);
    const QString line = across > 0 ? text.repeated(across) : QString();
    QStringList out;
    out.reserve(count * (tocBlanks ? 2 : 1));
    for (qint64 i = 0; i < count; ++i) {
        out << line;
        if (tocBlanks)
            out << QString();
    }
    return out;
}

QStringList ruler(int length, bool fullWidth)
{
    checkRunSize(3, 5 * qint64(std::max(length, 0)) + 20);
    const int w = fullWidth ? 20 : 10;
    const QString pad(fullWidth ? 18 : 9, QLatin1Char(' '));
    // One-based like the positions the ruler's labels are cut at.
    auto mid = [](const QString& s, int pos, int n) { return pos < 1 ? QString() : s.mid(pos - 1, n); };

    QString line1, line2 = pad, line3, label;
    for (int d = 1; d <= length; ++d) {
        const QString tens = QString::number(d / 10) + QLatin1Char('0');
        const int f = d % 10;
        const QString digit = fullWidth ? QString(QChar(char16_t(0xFF10 + f))) : QString::number(f);
        line1 += digit;
        if (f == 0)
            line2 += (QLatin1Char('+') + tens + pad).left(w);
        if (f == 1) {
            line3 += digit;
            label = QLatin1Char('+') + tens + QLatin1Char('_');
            if (fullWidth)
                label = label.left(int(tens.size() % 2) * 2 + int(tens.size()) + 2) + QLatin1Char(' ');
        }
        if (f == 0 || f == 9)
            line3 += digit;
        if (f >= 2 && f <= 8) {
            if (!fullWidth)
                line3 += label.size() + 1 >= f ? mid(label, f - 1, 1) : digit;
            else
                line3 += label.size() / 2.0 + 1 >= f ? mid(label, 2 * f - 3, 2) : digit;
        }
    }
    return {line1, line2, line3};
}

const QStringList& LineUpHistory::marks()
{
    static const QStringList m = {
        QStringLiteral("☆"), QStringLiteral("★"), QStringLiteral("○"), QStringLiteral("●"),
        QStringLiteral("◎"), QStringLiteral("◇"), QStringLiteral("◆"), QStringLiteral("□"),
        QStringLiteral("■"), QStringLiteral("△"), QStringLiteral("▲"), QStringLiteral("▽"),
        QStringLiteral("▼"), QStringLiteral("※")};
    return m;
}

QString LineUpHistory::entry(int i) const
{
    return i >= 0 && i <= kKept ? entries_[i] : QString();
}

void LineUpHistory::setEntry(int i, const QString& text)
{
    if (i >= 0 && i <= kKept)
        entries_[i] = text;
}

void LineUpHistory::remember(const QString& text)
{
    if (text.isEmpty() || marks().contains(text))
        return;
    for (int i = 0; i < kKept; ++i)
        if (entries_[i] == text)
            return;
    for (int i = kKept; i > 0; --i)
        entries_[i] = entries_[i - 1];
    entries_[0] = text;
}

void LineUpHistory::clear() { entries_.fill(QString()); }

QStringList LineUpHistory::comboItems() const
{
    QStringList items;
    for (int i = 0; i < kKept && !entries_[i].isEmpty(); ++i)
        items << entries_[i];
    return items + marks();
}

}  // namespace petari
