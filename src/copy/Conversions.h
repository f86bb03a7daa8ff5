#pragma once
// The Japanese-locale text mappings that copies, generators and the command
// line apply: width, kana and case.  They work on Unicode text directly, so a
// character that no mapping names (emoji, Korean, accented letters, 〜) comes
// out as it went in; nothing is ever turned into "?".

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace petari {

// Half width to full width.  ASCII (but not the backslash) becomes full-width
// Latin, the blank becomes U+3000, half-width katakana become full-width ones
// and a following ﾞ or ﾟ is folded into the voiced or semi-voiced letter
// where one exists (ｶﾞ → ガ); a mark that folds into nothing becomes ゛ or ゜.
QString toFullWidth(QStringView text);

// Full width to half width.  Voiced katakana become two characters
// (ガ → ｶﾞ), so the result can be longer than the input.  Hiragana and
// katakana without a half-width form stay as they are.
QString toHalfWidth(QStringView text);

QString toKatakana(QStringView text);   // hiragana → katakana
QString toHiragana(QStringView text);   // katakana → hiragana (full width only)

// Simple one-to-one case mapping per code point: ß, ﬁ and ŉ keep their form.
QString toUpper(QStringView text);
QString toLower(QStringView text);

// Lower-cases everything, then upper-cases the first character of each word.
// Words are separated only by NUL, tab, LF, VT, FF, CR, blank and U+3000.
QString capitaliseWords(QStringView text);

enum class Conversion { Full, Half, Katakana, Hiragana, Upper, Lower, Capitalise };

QString applyConversion(Conversion conversion, QStringView text);

// Mode names as the command line spells them: "full", "half", "katakana",
// "hiragana", "upper", "lower", "capitalise".
std::optional<Conversion> parseConversion(QStringView name);
QString conversionName(Conversion conversion);

// A comma-separated list of mode names, in the order they are to be applied.
// Empty, unknown or blank-padded names make the whole list invalid.
std::optional<QList<Conversion>> parseConversionList(QStringView names);

}  // namespace petari
