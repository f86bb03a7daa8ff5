#include "copy/Conversions.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>

#include <array>
#include <memory>
#include <vector>

namespace petari {

namespace {

// The width mappings are the compatibility decompositions of the Halfwidth
// and Fullwidth Forms block (and U+3000), taken from ICU rather than typed
// in, restricted to the ranges the Japanese locale maps, plus a few
// additions of that locale (curly quotes, spacing sound marks).

constexpr char16_t kHalfVoicedMark = 0xFF9E;       // ﾞ
constexpr char16_t kHalfSemiVoicedMark = 0xFF9F;   // ﾟ
constexpr char16_t kCombiningVoiced = 0x3099;
constexpr char16_t kCombiningSemiVoiced = 0x309A;
constexpr char16_t kSpacingVoiced = 0x309B;        // ゛
constexpr char16_t kSpacingSemiVoiced = 0x309C;    // ゜
constexpr char16_t kFirstHalfKana = 0xFF61;        // ｡
constexpr char16_t kLastHalfKana = 0xFF9D;         // ﾝ
constexpr int kHalfKanaCount = kLastHalfKana - kFirstHalfKana + 1;

// A sparse map from a UTF-16 unit to at most two units.  Entry 0 means
// "unchanged"; otherwise the first unit sits in the low 16 bits and an
// optional second unit in the high 16 bits.  Pages without any entry stay
// null, so kanji, surrogates and most of the BMP cost one pointer test.
class UnitMap {
public:
    using Page = std::array<uint32_t, 256>;

    void set(char16_t from, char16_t first, char16_t second = 0)
    {
        Page*& page = index_[from >> 8];
        if (!page) {
            owned_.push_back(std::make_unique<Page>());
            page = owned_.back().get();
            page->fill(0);
        }
        (*page)[from & 0xFF] = uint32_t(first) | (uint32_t(second) << 16);
    }

    uint32_t at(char16_t c) const
    {
        const Page* page = index_[c >> 8];
        return page ? (*page)[c & 0xFF] : 0;
    }

private:
    std::array<Page*, 256> index_{};
    std::vector<std::unique_ptr<Page>> owned_;
};

struct WidthTables {
    UnitMap toFull;
    UnitMap toHalf;
    // Indexed by (half-width kana − U+FF61): the full-width letter with ゛ or
    // ゜ folded in, 0 when there is none.
    std::array<char16_t, kHalfKanaCount> voiced{};
    std::array<char16_t, kHalfKanaCount> semiVoiced{};
};

const WidthTables& widthTables()
{
    static const WidthTables tables = [] {
        WidthTables t;
        UErrorCode status = U_ZERO_ERROR;
        const icu::Normalizer2* nfkc = icu::Normalizer2::getNFKCInstance(status);
        UErrorCode nfcStatus = U_ZERO_ERROR;
        const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(nfcStatus);
        if (U_FAILURE(status) || U_FAILURE(nfcStatus))
            return t;   // no ICU data: every width mapping degrades to "unchanged"

        // The single BMP character a compatibility form stands for, 0 if none.
        auto narrowOrWide = [nfkc](char16_t c) -> char16_t {
            icu::UnicodeString d;
            if (!nfkc->getRawDecomposition(c, d) || d.length() != 1)
                return 0;
            return d.charAt(0);
        };
        // Both directions for one compatibility form: `wide` is the form
        // in the Halfwidth and Fullwidth Forms block or U+3000.
        auto pairWide = [&](char16_t wide) {
            if (char16_t plain = narrowOrWide(wide)) {
                t.toFull.set(plain, wide);
                t.toHalf.set(wide, plain);
            }
        };

        pairWide(0x3000);
        for (char16_t c = 0xFF01; c <= 0xFF5E; ++c)
            if (c != 0xFF3C)   // the backslash and ＼ are different characters in CP932
                pairWide(c);
        pairWide(0xFF5F);   // ⦅
        pairWide(0xFF60);   // ⦆
        for (char16_t c = 0xFFE0; c <= 0xFFE6; ++c)
            pairWide(c);    // ￠ ￡ ￢ ￣ ￤ ￥ ￦

        for (char16_t half = kFirstHalfKana; half <= kLastHalfKana; ++half) {
            const char16_t full = narrowOrWide(half);
            if (!full)
                continue;
            t.toFull.set(half, full);
            t.toHalf.set(full, half);
            const int i = half - kFirstHalfKana;
            const UChar32 voiced = nfc->composePair(full, kCombiningVoiced);
            if (voiced > 0 && voiced <= 0xFFFF) {
                t.voiced[i] = char16_t(voiced);
                t.toHalf.set(char16_t(voiced), half, kHalfVoicedMark);
            }
            const UChar32 semi = nfc->composePair(full, kCombiningSemiVoiced);
            if (semi > 0 && semi <= 0xFFFF) {
                t.semiVoiced[i] = char16_t(semi);
                t.toHalf.set(char16_t(semi), half, kHalfSemiVoicedMark);
            }
        }
        // A sound mark on its own is the spacing mark; both the spacing and
        // the combining marks narrow to the half-width one.
        t.toFull.set(kHalfVoicedMark, kSpacingVoiced);
        t.toFull.set(kHalfSemiVoicedMark, kSpacingSemiVoiced);
        for (char16_t mark : {kSpacingVoiced, kCombiningVoiced})
            t.toHalf.set(mark, kHalfVoicedMark);
        for (char16_t mark : {kSpacingSemiVoiced, kCombiningSemiVoiced})
            t.toHalf.set(mark, kHalfSemiVoicedMark);

        // Half-width Hangul widens to the compatibility jamo; nothing narrows
        // back to it.
        for (char16_t c = 0xFFA0; c <= 0xFFDC; ++c)
            if (char16_t jamo = narrowOrWide(c))
                t.toFull.set(c, jamo);

        t.toHalf.set(0x2018, u'\'');
        t.toHalf.set(0x2019, u'\'');
        t.toHalf.set(0x201C, u'"');
        t.toHalf.set(0x201D, u'"');
        return t;
    }();
    return tables;
}

char16_t* unitsOf(QString& s)
{
    return reinterpret_cast<char16_t*>(s.data());
}

const char16_t* unitsOf(QStringView s)
{
    return reinterpret_cast<const char16_t*>(s.utf16());
}

// Adds `delta` to every unit in [first, last] (two disjoint runs allowed).
template <char16_t First1, char16_t Last1, char16_t First2, char16_t Last2, int Delta>
QString shiftRanges(QStringView text)
{
    const qsizetype n = text.size();
    QString out(n, Qt::Uninitialized);
    const char16_t* in = unitsOf(text);
    char16_t* o = unitsOf(out);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        const bool shift = char16_t(c - First1) <= char16_t(Last1 - First1)
                           || char16_t(c - First2) <= char16_t(Last2 - First2);
        o[i] = shift ? char16_t(c + Delta) : c;
    }
    return out;
}

bool isWordSeparator(char32_t c)
{
    return c == 0 || (c >= 9 && c <= 13) || c == 0x20 || c == 0x3000;
}

// Maps every code point (surrogate pairs decoded, lone surrogates as they are) with
// `map(codePoint, index)`.  The output normally has the input's length; a
// mapping that changes the number of units is handled, though simple case
// mappings keep BMP and supplementary characters apart.
template <typename Map>
QString mapCodePoints(QStringView text, Map map)
{
    const qsizetype n = text.size();
    QString out(n, Qt::Uninitialized);
    const char16_t* in = unitsOf(text);
    char16_t* o = unitsOf(out);
    qsizetype written = 0;
    auto put = [&](char32_t cp) {
        const qsizetype need = cp > 0xFFFF ? 2 : 1;
        if (written + need > out.size()) {
            out.resize(out.size() + (n - written) + 2);
            o = unitsOf(out);
        }
        if (need == 2) {
            o[written++] = QChar::highSurrogate(cp);
            o[written++] = QChar::lowSurrogate(cp);
        } else {
            o[written++] = char16_t(cp);
        }
    };
    for (qsizetype i = 0; i < n; ++i) {
        char32_t cp = in[i];
        if (QChar::isHighSurrogate(cp) && i + 1 < n && QChar::isLowSurrogate(in[i + 1])) {
            cp = QChar::surrogateToUcs4(char16_t(cp), in[i + 1]);
            ++i;
        }
        // A lone surrogate still goes through `map` (it has no case and maps to
        // itself) so that it counts as a character of its word.
        put(map(cp));
    }
    out.truncate(written);
    return out;
}

char32_t upperOf(char32_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') ? c - 0x20 : c;
    return char32_t(u_toupper(UChar32(c)));
}

char32_t lowerOf(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
    return char32_t(u_tolower(UChar32(c)));
}

}  // namespace

QString toFullWidth(QStringView text)
{
    const WidthTables& t = widthTables();
    const qsizetype n = text.size();
    QString out(n, Qt::Uninitialized);   // never longer: pairs only ever fold
    const char16_t* in = unitsOf(text);
    char16_t* o = unitsOf(out);
    char16_t* const begin = o;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        const uint32_t e = t.toFull.at(c);
        if (!e) {
            *o++ = c;
            continue;
        }
        if (c >= kFirstHalfKana && c <= kLastHalfKana && i + 1 < n) {
            const int k = c - kFirstHalfKana;
            const char16_t next = in[i + 1];
            const char16_t folded = next == kHalfVoicedMark       ? t.voiced[k]
                                    : next == kHalfSemiVoicedMark ? t.semiVoiced[k]
                                                                  : char16_t(0);
            if (folded) {
                *o++ = folded;
                ++i;
                continue;
            }
        }
        *o++ = char16_t(e);
    }
    out.truncate(o - begin);
    return out;
}

QString toHalfWidth(QStringView text)
{
    const WidthTables& t = widthTables();
    const qsizetype n = text.size();
    QString out(n * 2, Qt::Uninitialized);   // voiced katakana split in two
    const char16_t* in = unitsOf(text);
    char16_t* o = unitsOf(out);
    char16_t* const begin = o;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        const uint32_t e = t.toHalf.at(c);
        if (!e) {
            *o++ = c;
            continue;
        }
        *o++ = char16_t(e);
        if (e >> 16)
            *o++ = char16_t(e >> 16);
    }
    out.truncate(o - begin);
    return out;
}

// ぁ…ゖ ↔ ァ…ヶ and ゝゞ ↔ ヽヾ.  ゟ, ヿ, ヷ–ヺ, ー, ・ and the sound marks have no
// counterpart and stay.
QString toKatakana(QStringView text)
{
    return shiftRanges<0x3041, 0x3096, 0x309D, 0x309E, 0x60>(text);
}

QString toHiragana(QStringView text)
{
    return shiftRanges<0x30A1, 0x30F6, 0x30FD, 0x30FE, -0x60>(text);
}

QString toUpper(QStringView text)
{
    return mapCodePoints(text, upperOf);
}

QString toLower(QStringView text)
{
    return mapCodePoints(text, lowerOf);
}

QString capitaliseWords(QStringView text)
{
    bool atWordStart = true;
    return mapCodePoints(text, [&atWordStart](char32_t c) {
        if (isWordSeparator(c)) {
            atWordStart = true;
            return c;
        }
        const char32_t lower = lowerOf(c);
        if (!atWordStart)
            return lower;
        atWordStart = false;
        return upperOf(lower);
    });
}

QString applyConversion(Conversion conversion, QStringView text)
{
    switch (conversion) {
    case Conversion::Full: return toFullWidth(text);
    case Conversion::Half: return toHalfWidth(text);
    case Conversion::Katakana: return toKatakana(text);
    case Conversion::Hiragana: return toHiragana(text);
    case Conversion::Upper: return toUpper(text);
    case Conversion::Lower: return toLower(text);
    case Conversion::Capitalise: return capitaliseWords(text);
    }
    return text.toString();
}

namespace {
struct NamedConversion {
    const char* name;
    Conversion conversion;
};
constexpr NamedConversion kNames[] = {
    {"full", Conversion::Full},         {"half", Conversion::Half},
    {"katakana", Conversion::Katakana}, {"hiragana", Conversion::Hiragana},
    {"upper", Conversion::Upper},       {"lower", Conversion::Lower},
    {"capitalise", Conversion::Capitalise},
};
}  // namespace

std::optional<Conversion> parseConversion(QStringView name)
{
    for (const NamedConversion& n : kNames)
        if (name == QLatin1String(n.name))
            return n.conversion;
    return std::nullopt;
}

QString conversionName(Conversion conversion)
{
    for (const NamedConversion& n : kNames)
        if (n.conversion == conversion)
            return QLatin1String(n.name);
    return QString();
}

std::optional<QList<Conversion>> parseConversionList(QStringView names)
{
    QList<Conversion> result;
    for (QStringView piece : names.split(u',')) {
        const std::optional<Conversion> c = parseConversion(piece);
        if (!c)
            return std::nullopt;
        result.append(*c);
    }
    return result;
}

}  // namespace petari
