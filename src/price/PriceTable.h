#pragma once
// The price calculator's logic: from a unit price, a range of quantities and
// a consumption-tax rate, one line per quantity with the tax-inclusive total
// rounded to a unit, formatted with prefix, suffix, thousands separators,
// aligned decimal points and optionally the formula as an annotation.
// Arithmetic is exact decimal (see Decimal.h).

#include "document/RunLimits.h"

#include <QString>
#include <QStringList>
#include <array>

namespace petari {

// The text boxes, in the order of their objectNames Text1_0..6.
enum PriceText { UnitText = 0, FromText, ToText, StepText, TaxText, PrefixText, SuffixText };
// The check boxes, in the order of their objectNames Check1_0..3.
enum PriceCheck {
    SeparatorsCheck = 0,      // "３桁ごとに　,　を入れる"
    PadAfterPrefixCheck,      // padding between prefix and number
    PadBeforePrefixCheck,     // padding before the prefix
    FormulaCheck,             // the formula as an annotation
};
// The rounding modes, in the order of their buttons Option1_0..2.
enum class Rounding { Down = 0, HalfUp = 1, Up = 2 };

// What the window's boxes hold, as typed.  The defaults are those of a fresh
// installation.
struct PriceInput {
    QString unitPrice = QStringLiteral("100");
    std::array<QString, 7> text = {QStringLiteral("1"),  QStringLiteral("1"), QStringLiteral("20"),
                                   QStringLiteral("1"),  QStringLiteral("10"),
                                   QStringLiteral("\u00A5"), QStringLiteral("-")};
    std::array<bool, 4> check = {true, false, true, false};
    Rounding rounding = Rounding::Down;
};

// Why no lines were produced.
struct PriceRefusal {
    // TooManyCharacters: the lines together would pass the generator
    // window's limit of one run (kMaxCharacters).
    enum Kind { None, TooManyDigits, TooManyLines, TooManyCharacters } kind = None;
    // For TooManyDigits of an input: the box (-1 for the unit price); of a
    // total: -1 and the quantity whose total is too long.
    int text = -1;
    QString quantity;
};

struct PriceTable {
    PriceInput normalised;   // the boxes' texts after normalisation
    QStringList lines;       // empty when refused
    PriceRefusal refusal;
    bool refused() const { return refusal.kind != PriceRefusal::None; }
};

// Normalises the boxes the way "表示" does before it calculates: whole
// quantities, the largest no smaller than the smallest, a step of at least 1,
// a rounding unit that is a power of ten, a unit price without sign.
PriceInput normalisePriceInput(const PriceInput& typed);
// The rounding unit's part of it: 250 gives 100, 0 gives 1, 0.25 gives 0.01.
QString normaliseRoundingUnit(const QString& text);

// Normalises and produces the lines, or says why it cannot.  Lines that
// would hold more than maxCharacters together are refused: a table whose
// prefix and suffix alone pass it before anything is built, any other as
// soon as it does.
PriceTable priceTable(const PriceInput& typed, qint64 maxCharacters = kMaxCharacters);

// The user-facing reason for a refusal.
QString priceRefusalMessage(const PriceRefusal& refusal);

// Rounds a total to the unit by the mode; both given and returned as text.
QString roundedToUnit(const QString& raw, const QString& unit, Rounding mode);

// Text pieces of a number's text.
QString integerPart(const QString& number);    // up to the first "."
QString fractionPart(const QString& number);   // from the first ".", point included
int integerLength(const QString& number);
// Thousands separators in the integer part: 1234567.5 gives 1,234,567.5.
QString withSeparators(const QString& number);
// Blanks that put the point of number under a point width integer places in;
// none when number is already wider.
QString alignPadding(const QString& number, int width);
// Blanks that make text width characters long; none when it is longer.
QString fillPadding(const QString& text, int width);
// A total whose decimals are more than its three factors explain cannot be
// the exact product: it is marked for the user to check.
bool needsChecking(const QString& raw, const QString& price, const QString& quantity,
                   const QString& factor);

// The unit price history after a calculation with priceText: its value
// moves to the top (as its plain text), other items of the same value go.
// A price that is not positive leaves the history as it is.
QStringList historyWith(const QStringList& history, const QString& priceText);

}  // namespace petari
