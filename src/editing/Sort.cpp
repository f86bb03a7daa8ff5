#include "editing/Sort.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <vector>

namespace petari {

// The collation is ICU's for ja_JP at secondary strength (what Qt makes of
// case-insensitive), with numbers compared digit by digit ("10" < "2") and
// punctuation significant ("-b" < "a").  Base letters decide first over the
// whole line, then voicing marks and accents ("か" < "が", "e" < "é", but
// "がa" < "かb" as in a Japanese dictionary).  Case, width, hiragana against
// katakana and small against full-size kana do not count at all: "a", "A"
// and "ａ" are equal, so are "あ", "ア" and "ｱ", and "つ" and "っ".  Lines
// equal so far are then ordered by UTF-16 code units, which gives
//   "A" < "a" < "Ａ" < "ａ"     upper case first, half width first
//   "あ" < "ア" < "ｱ"           hiragana, katakana, half-width katakana
//   "っ" < "つ"                 small kana first
// The scripts come in ICU's order: symbols and emoji, digits, Latin, kana,
// kanji.
QStringList sortLines(QStringList lines)
{
    const qsizetype n = lines.size();
    if (n < 2)
        return lines;

    QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);

    // Keys once per line rather than a collation per comparison.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<size_t>(n));
    for (const QString& line : std::as_const(lines))
        keys.push_back(collator.sortKey(line));

    std::vector<qsizetype> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int c = keys[size_t(a)].compare(keys[size_t(b)]);
        if (c != 0)
            return c < 0;
        return lines.at(a) < lines.at(b);
    });

    QStringList sorted;
    sorted.reserve(n);
    for (qsizetype i : order)
        sorted.append(std::move(lines[i]));
    return sorted;
}

}  // namespace petari
