#include "editing/Sort.h"

#include "platform/Failure.h"

#include <unicode/ucol.h>

#include <algorithm>
#include <cstring>
#include <memory>
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
LineText sortLines(const LineText& lines)
{
    const int n = lines.size();
    if (n < 2)
        return lines;

    // What QCollator makes of ja_JP, case-insensitive, without numeric
    // mode and with punctuation significant; used directly, so that the
    // lines are read from their chunks and every key goes into one block.
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UCollator, void (*)(UCollator*)> collator(ucol_open("ja_JP", &status), ucol_close);
    ucol_setAttribute(collator.get(), UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    ucol_setAttribute(collator.get(), UCOL_STRENGTH, UCOL_SECONDARY, &status);
    ucol_setAttribute(collator.get(), UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
    ucol_setAttribute(collator.get(), UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
    if (U_FAILURE(status))
        throw Failure(err::Internal, QStringLiteral("照合順序を用意できません。"));

    // Keys once per line rather than a collation per comparison; each ends
    // in a NUL byte and holds none before it.
    std::vector<QStringView> views;
    views.reserve(size_t(n));
    std::vector<uint8_t> keys;
    std::vector<size_t> keyAt;
    keyAt.reserve(size_t(n));
    for (QStringView line : lines) {
        views.push_back(line);
        const size_t at = keys.size();
        keyAt.push_back(at);
        const auto key = [&](size_t room) {
            keys.resize(at + room);
            return size_t(ucol_getSortKey(collator.get(), reinterpret_cast<const UChar*>(line.utf16()),
                                          int32_t(line.size()), keys.data() + at, int32_t(room)));
        };
        const size_t room = 16 + size_t(line.size()) * 4;
        const size_t length = key(room);
        if (length > room)
            key(length);
        keys.resize(at + length);
    }

    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    const auto* const base = reinterpret_cast<const char*>(keys.data());
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = std::strcmp(base + keyAt[size_t(a)], base + keyAt[size_t(b)]);
        if (c != 0)
            return c < 0;
        return views[size_t(a)].compare(views[size_t(b)]) < 0;
    });

    LineTextBuilder sorted;
    for (int i : order)
        sorted.append(views[size_t(i)]);
    return sorted.finish();
}

}  // namespace petari
