#include "copy/Conversions.h"

#include <gtest/gtest.h>

#include <QString>

#include <initializer_list>

namespace petari {
namespace {

struct Vector {
    const char* mode;
    const char16_t* input;
    const char16_t* output;
};

// The input is printed as code points: a text ending in a backslash would
// otherwise join this case's line of the test listing with the next one, and
// the case would never be registered.
std::ostream& operator<<(std::ostream& os, const Vector& v)
{
    os << v.mode << ":";
    for (const char16_t* p = v.input; *p; ++p)
        os << " U+" << std::hex << std::uppercase << static_cast<unsigned>(*p) << std::dec;
    return os;
}

// The reference vectors of every mapping.
const Vector kVectors[] = {
    {"full", u"AZaz09", u"ＡＺａｚ０９"},
    {"full", u"!\"'-~`", u"！＂＇－～｀"},
    {"full", u"a b", u"ａ　ｂ"},
    {"full", u"\\", u"\\"},
    {"full", u"¥", u"￥"},
    {"full", u"ｶﾞｷﾞﾊﾟﾋﾟｳﾞ", u"ガギパピヴ"},
    {"full", u"｡｢｣､･ｰ", u"。「」、・ー"},
    {"full", u"ﾞ", u"゛"},
    {"full", u"ｶﾟ", u"カ゜"},
    {"full", u"ﾜﾞｦﾞ", u"ヷヺ"},
    {"full", u"は゛", u"は゛"},
    {"full", u"ｱあ漢😀", u"アあ漢😀"},
    {"half", u"ＡＢ　１２！＇＂－～", u"AB 12!'\"-~"},
    {"half", u"ガパヴ", u"ｶﾞﾊﾟｳﾞ"},
    {"half", u"「」、。・ー", u"｢｣､｡･ｰ"},
    {"half", u"がぱあ", u"がぱあ"},
    {"half", u"ヰヱヮヵヶ", u"ヰヱヮヵヶ"},
    {"half", u"‘’“”", u"''\"\""},
    {"half", u"＼", u"＼"},
    {"half", u"￥", u"¥"},
    {"half", u"゛゜", u"ﾞﾟ"},
    {"half", u"〜", u"〜"},
    {"katakana", u"ひらがなゝゞゔゕゖ", u"ヒラガナヽヾヴヵヶ"},
    {"katakana", u"ｶﾞｱ", u"ｶﾞｱ"},
    {"hiragana", u"カタカナーヽヾヴヵヶ", u"かたかなーゝゞゔゕゖ"},
    {"hiragana", u"ヷ", u"ヷ"},
    {"upper", u"abcａｂｃαⅰß", u"ABCＡＢＣΑⅠß"},
    {"lower", u"ＡＢＣΑⅠ", u"ａｂｃαⅰ"},
    {"capitalise", u"hello wORLD-foo o'neil　ｊａｐａｎ", u"Hello World-foo O'neil　Ｊａｐａｎ"},
};

// Further rules, grouped by mapping.
const Vector kRules[] = {
    // Signs and brackets that widen and narrow.
    {"full", u"¢£¬¯¦¥₩⦅⦆", u"￠￡￢￣￤￥￦｟｠"},
    {"half", u"￠￡￢￣￤￥￦｟｠", u"¢£¬¯¦¥₩⦅⦆"},
    // Half-width Hangul widens to the compatibility jamo; Korean never narrows.
    {"full", u"\uFFA0\uFFA1\uFFBE\uFFC2\uFFDC", u"\u3164\u3131\u314E\u314F\u3163"},
    {"half", u"\u3131\u3163한", u"\u3131\u3163한"},
    // Every mark on its own, spacing or combining, narrows to ﾞ or ﾟ.
    {"half", u"\u3099\u309A\u309B\u309C", u"ﾞﾟﾞﾟ"},
    {"half", u"か\u3099", u"かﾞ"},
    // Only a mark that follows a half-width letter folds into it.
    {"full", u"ｲﾞﾟﾟｰﾞ", u"イ゛゜゜ー゛"},
    {"full", u"ﾂﾞﾎﾟﾎﾞ", u"ヅポボ"},
    {"full", u"ｶ\nﾞ", u"カ\n゛"},
    {"full", u"ｶﾞﾞ", u"ガ゛"},
    {"full", u"ﾞｶ", u"゛カ"},
    {"full", u"ｶ", u"カ"},
    // Characters no rule names pass through, surrogate pairs included.
    {"full", u"é〜😀x", u"é〜😀ｘ"},
    {"half", u"é😀→│", u"é😀→│"},
    {"half", u"ヽヾヸヹヺヷ", u"ヽヾヸヹｦﾞﾜﾞ"},
    {"half", u"\u3000\r\n\t", u" \r\n\t"},
    {"full", u" \r\n\t", u"\u3000\r\n\t"},
    // Letters with no counterpart in the other kana set.
    {"katakana", u"ゟ\u3099\u309A゛゜ー・", u"ゟ\u3099\u309A゛゜ー・"},
    {"hiragana", u"ヷヸヹヺヿ・ｶ", u"ヷヸヹヺヿ・ｶ"},
    {"katakana", u"ぁゖ\u3040\u3097", u"ァヶ\u3040\u3097"},
    {"hiragana", u"ァヶ\u30A0ヷ", u"ぁゖ\u30A0ヷ"},
    // Simple case mapping only, across the BMP and beyond it.
    {"upper", u"ﬁŉǆ\U00010428ᾳ", u"ﬁŉǄ\U00010400ᾼ"},
    {"lower", u"ẞǅ\U00010400Ω", u"ßǆ\U00010428ω"},
    // Word starts: only NUL, TAB, LF, VT, FF, CR, blank and U+3000 separate.
    {"capitalise", u"a\tb\nc\vd\fe\rf g\u3000h", u"A\tB\nC\vD\fE\rF G\u3000H"},
    {"capitalise", u"ab.cd,ef_gh\u00A0ij", u"Ab.cd,ef_gh\u00A0ij"},
    {"capitalise", u"ǆungla ǅ ΣΑΣ", u"Ǆungla Ǆ Σασ"},
    {"capitalise", u"\U00010428\U00010400 x", u"\U00010400\U00010428 X"},
    {"capitalise", u"", u""},
};

QString run(const char* mode, QStringView input)
{
    const std::optional<Conversion> c = parseConversion(QString::fromLatin1(mode));
    EXPECT_TRUE(c.has_value()) << mode;
    return c ? applyConversion(*c, input) : QString();
}

QString units(std::initializer_list<char16_t> list)
{
    return QString(reinterpret_cast<const QChar*>(list.begin()), qsizetype(list.size()));
}

class ReferenceVectors : public ::testing::TestWithParam<Vector> {};

TEST_P(ReferenceVectors, ConvertAsListed)
{
    const Vector& v = GetParam();
    EXPECT_EQ(run(v.mode, v.input), QString::fromUtf16(v.output));
}

INSTANTIATE_TEST_SUITE_P(Conversions, ReferenceVectors, ::testing::ValuesIn(kVectors));

class ConversionRules : public ::testing::TestWithParam<Vector> {};

TEST_P(ConversionRules, ConvertAsListed)
{
    const Vector& v = GetParam();
    EXPECT_EQ(run(v.mode, v.input), QString::fromUtf16(v.output));
}

INSTANTIATE_TEST_SUITE_P(Conversions, ConversionRules, ::testing::ValuesIn(kRules));

TEST(Conversions, NulSeparatesWords)
{
    EXPECT_EQ(capitaliseWords(units({u'a', u'b', 0, u'c', u'D'})), units({u'A', u'b', 0, u'C', u'd'}));
}

TEST(Conversions, LoneSurrogatesPassThrough)
{
    // Text from a damaged source: the halves must neither vanish nor pair up.
    const QString lone = units({0xDC01, u'a', 0xD800});
    const QString wide = units({0xDC01, u'ａ', 0xD800});
    const QString upper = units({0xDC01, u'A', 0xD800});
    EXPECT_EQ(toFullWidth(lone), wide);
    EXPECT_EQ(toHalfWidth(wide), lone);
    EXPECT_EQ(toUpper(lone), upper);
    EXPECT_EQ(toLower(upper), lone);
    EXPECT_EQ(capitaliseWords(upper), lone);   // the half counts as the word's start
    EXPECT_EQ(toKatakana(lone), lone);
    EXPECT_EQ(toHiragana(lone), lone);
}

TEST(Conversions, PrintableAsciiRoundTripsThroughFullWidth)
{
    QString ascii;
    for (char16_t c = 0x20; c <= 0x7E; ++c)
        if (c != u'\\')
            ascii += QChar(c);
    const QString wide = toFullWidth(ascii);
    for (QChar c : wide)
        EXPECT_GE(c.unicode(), 0x3000) << "not widened: " << c.unicode();
    EXPECT_EQ(toHalfWidth(wide), ascii);
}

TEST(Conversions, EveryHalfWidthKatakanaWidensAndNarrowsBack)
{
    for (char16_t c = 0xFF61; c <= 0xFF9F; ++c) {
        const QString half(QChar{c});
        const QString full = toFullWidth(half);
        ASSERT_EQ(full.size(), 1);
        EXPECT_GE(full.front().unicode(), 0x3000) << int(c);
        EXPECT_LE(full.front().unicode(), 0x30FF) << int(c);
        EXPECT_EQ(toHalfWidth(full), half) << int(c);
    }
}

TEST(Conversions, EveryVoicedPairWidensToOneLetterAndSplitsBack)
{
    int folded = 0;
    for (char16_t c = 0xFF66; c <= 0xFF9D; ++c) {
        for (char16_t mark : {u'\uFF9E', u'\uFF9F'}) {
            const QString pair = QString(QChar{c}) + QChar{mark};
            const QString full = toFullWidth(pair);
            if (full.size() == 1) {
                ++folded;
                EXPECT_EQ(toHalfWidth(full), pair) << int(c);
            }
        }
    }
    // ｶ–ｺ ｻ–ｿ ﾀ–ﾄ ﾊ–ﾎ (×2) ｳ ﾜ ｦ
    EXPECT_EQ(folded, 5 + 5 + 5 + 10 + 1 + 1 + 1);
}

TEST(Conversions, KanaConversionsAreInverseOnTheSharedLetters)
{
    QString hira;
    for (char16_t c = 0x3041; c <= 0x3096; ++c)
        hira += QChar(c);
    hira += u"ゝゞ";
    const QString kata = toKatakana(hira);
    EXPECT_EQ(kata.front(), QChar(u'ァ'));
    EXPECT_EQ(toHiragana(kata), hira);
    EXPECT_EQ(toKatakana(kata), kata);
    EXPECT_EQ(toHiragana(hira), hira);
}

TEST(Conversions, ModeNames)
{
    const QList<Conversion> all = {Conversion::Full,  Conversion::Half,  Conversion::Katakana,
                                   Conversion::Hiragana, Conversion::Upper, Conversion::Lower,
                                   Conversion::Capitalise};
    for (Conversion c : all)
        EXPECT_EQ(parseConversion(conversionName(c)), c);
    for (const char* bad : {"", "Full", "FULL", " full", "capitalize", "kana", "full,half"})
        EXPECT_FALSE(parseConversion(QString::fromLatin1(bad)).has_value()) << bad;

    EXPECT_EQ(parseConversionList(u"hiragana,full"),
              (QList<Conversion>{Conversion::Hiragana, Conversion::Full}));
    for (const char16_t* bad : {u"", u",", u"full,", u"full,,half", u"full, half", u"full;half"})
        EXPECT_FALSE(parseConversionList(bad).has_value()) << QString::fromUtf16(bad).toStdString();
}

TEST(Conversions, ComposeInTheOrderGiven)
{
    // Katakana then half width gives half-width katakana; the other order
    // leaves hiragana, which has no half-width form.
    EXPECT_EQ(toHalfWidth(toKatakana(u"がっこう")), QString::fromUtf16(u"ｶﾞｯｺｳ"));
    EXPECT_EQ(toKatakana(toHalfWidth(u"がっこう")), QString::fromUtf16(u"ガッコウ"));
    EXPECT_EQ(toHalfWidth(toFullWidth(u"ｶﾞｷﾞ abc")), QString::fromUtf16(u"ｶﾞｷﾞ abc"));
}

}  // namespace
}  // namespace petari
