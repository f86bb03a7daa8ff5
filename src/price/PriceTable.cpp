#include "price/PriceTable.h"

#include "price/Decimal.h"

#include <algorithm>

namespace petari {

namespace {

QString blanks(qsizetype n) { return n > 0 ? QString(n, QLatin1Char(' ')) : QString(); }

mpq_class roundToUnit(const mpq_class& raw, const mpq_class& unit, Rounding mode)
{
    const mpq_class q = raw / unit;
    const mpq_class whole = truncated(q);
    const mpq_class base = unit * whole;
    const mpq_class rest = unit * (q - whole);
    switch (mode) {
    case Rounding::Down:
        return base;
    case Rounding::HalfUp:
        return rest * 10 >= unit * 5 ? mpq_class(base + unit) : base;
    case Rounding::Up:
        return rest > 0 ? mpq_class(base + unit) : base;
    }
    return base;
}

}  // namespace

QString normaliseRoundingUnit(const QString& text)
{
    const LeadingDecimal typed = leadingDecimal(text);
    if (typed.outOfRange)
        return text;
    const mpq_class value = abs(typed.value);
    const QString s = value == 0 ? QStringLiteral("1") : decimalText(value);
    // Keep the place of the leading digit (or, below 1, of the last one)
    // and make it a 1: what is left is a power of ten.
    const bool belowOne = value != 0 && value < 1;
    QString rebuilt;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('0') || c == QLatin1Char('.'))
            rebuilt += c;
        else if (belowOne)
            rebuilt += i == s.size() - 1 ? QLatin1Char('1') : QLatin1Char('0');
        else
            rebuilt += i == 0 || s == QLatin1String("1") ? QLatin1Char('1') : QLatin1Char('0');
    }
    return decimalText(leadingDecimal(rebuilt).value);
}

PriceInput normalisePriceInput(const PriceInput& typed)
{
    PriceInput in = typed;
    for (int box : {FromText, ToText, StepText}) {
        const LeadingDecimal d = leadingDecimal(in.text[box]);
        if (!d.outOfRange)
            in.text[box] = decimalText(truncated(abs(d.value)));
    }
    const LeadingDecimal from = leadingDecimal(in.text[FromText]);
    const LeadingDecimal to = leadingDecimal(in.text[ToText]);
    if (!from.outOfRange && !to.outOfRange && to.value < from.value)
        in.text[ToText] = in.text[FromText];
    const LeadingDecimal step = leadingDecimal(in.text[StepText]);
    if (!step.outOfRange && step.value == 0)
        in.text[StepText] = QStringLiteral("1");
    in.text[UnitText] = normaliseRoundingUnit(in.text[UnitText]);
    const LeadingDecimal price = leadingDecimal(in.unitPrice);
    if (!price.outOfRange)
        in.unitPrice = decimalText(abs(price.value));
    return in;
}

PriceTable priceTable(const PriceInput& typed, qint64 maxCharacters)
{
    PriceTable table;
    table.normalised = normalisePriceInput(typed);
    const PriceInput& in = table.normalised;

    const auto read = [&](const QString& text, int box, mpq_class& out) {
        const LeadingDecimal d = leadingDecimal(text);
        out = abs(d.value);
        if (d.outOfRange || !fitsDigits(out)) {
            table.refusal = {PriceRefusal::TooManyDigits, box, QString()};
            return false;
        }
        return true;
    };
    mpq_class price, unit, from, to, step, tax;
    if (!read(in.unitPrice, -1, price) || !read(in.text[FromText], FromText, from) ||
        !read(in.text[ToText], ToText, to) || !read(in.text[StepText], StepText, step) ||
        !read(in.text[TaxText], TaxText, tax) || !read(in.text[UnitText], UnitText, unit))
        return table;
    if (step == 0 || unit == 0)
        return table;   // normalisation rules both out
    const mpq_class factor = tax / 100 + 1;
    if (!fitsDigits(factor)) {
        table.refusal = {PriceRefusal::TooManyDigits, TaxText, QString()};
        return table;
    }
    const mpq_class count = truncated((to - from) / step) + 1;
    if (count > kMaxPriceLines) {
        table.refusal = {PriceRefusal::TooManyLines, -1, QString()};
        return table;
    }
    // What every line carries whatever its number.
    const qint64 fixedPerLine = in.text[PrefixText].size() + in.text[SuffixText].size();
    if (fixedPerLine * count.get_num().get_si() > maxCharacters) {
        table.refusal = {PriceRefusal::TooManyCharacters, -1, QString()};
        return table;
    }

    const bool separators = in.check[SeparatorsCheck];
    const bool formula = in.check[FormulaCheck];
    const QString largest = decimalText(price * to * factor);
    const int width = integerLength(separators ? withSeparators(largest) : largest);
    const QString priceText = decimalText(price);
    const QString factorText = decimalText(factor);
    const QString unitText = decimalText(unit);
    const qsizetype quantityWidth = decimalText(to).size();

    QStringList lines;
    qint64 characters = 0;
    for (mpq_class i = from; i <= to; i += step) {
        const mpq_class raw = price * i * factor;
        const mpq_class total = roundToUnit(raw, unit, in.rounding);
        const QString quantityText = decimalText(i);
        if (!fitsDigits(total) || (formula && !fitsDigits(raw))) {
            table.refusal = {PriceRefusal::TooManyDigits, -1, quantityText};
            return table;
        }
        const QString rawText = decimalText(raw);
        const QString totalText = decimalText(total);
        const QString number = separators ? withSeparators(totalText) : totalText;
        QString line = in.check[PadBeforePrefixCheck] ? alignPadding(number, width) : QString();
        line += in.text[PrefixText];
        if (in.check[PadAfterPrefixCheck])
            line += alignPadding(number, width);
        line += number + in.text[SuffixText];
        if (needsChecking(rawText, priceText, quantityText, factorText))
            line += QStringLiteral(" 要確認");
        if (formula) {
            line += blanks(unitText.size() - fractionPart(number).size());
            line += QStringLiteral("'' @") + priceText + QStringLiteral("×") +
                    fillPadding(quantityText, static_cast<int>(quantityWidth)) + quantityText +
                    QStringLiteral("個 ×") + factorText + QStringLiteral("=") +
                    fillPadding(rawText, width) + rawText;
        }
        characters += line.size();
        if (characters > maxCharacters) {
            table.refusal = {PriceRefusal::TooManyCharacters, -1, QString()};
            return table;
        }
        lines.append(line);
    }
    table.lines = std::move(lines);
    return table;
}

QString priceRefusalMessage(const PriceRefusal& refusal)
{
    static const char* const boxNames[] = {"端数の単位", "最小", "最大", "間隔", "消費税"};
    switch (refusal.kind) {
    case PriceRefusal::None:
        return QString();
    case PriceRefusal::TooManyDigits:
        if (!refusal.quantity.isEmpty())
            return QStringLiteral("個数 %1 の金額が有効数字%2桁を超えるため、計算できません。")
                .arg(refusal.quantity)
                .arg(kMaxSignificantDigits);
        return QStringLiteral("「%1」の数は扱えません。有効数字%2桁までの数を入力してください。")
            .arg(refusal.text >= 0 && refusal.text < 5 ? QString::fromUtf8(boxNames[refusal.text])
                                                        : QStringLiteral("単価"))
            .arg(kMaxSignificantDigits);
    case PriceRefusal::TooManyLines:
        return QStringLiteral("一度に作れる行は%1行までです。「最小」「最大」「間隔」を見直してください。")
            .arg(kMaxPriceLines);
    case PriceRefusal::TooManyCharacters:
        return tooManyCharactersMessage();
    }
    return QString();
}

QString roundedToUnit(const QString& raw, const QString& unit, Rounding mode)
{
    return decimalText(roundToUnit(leadingDecimal(raw).value, leadingDecimal(unit).value, mode));
}

QString integerPart(const QString& number)
{
    const qsizetype point = number.indexOf(QLatin1Char('.'));
    return point < 0 ? number : number.left(point);
}

QString fractionPart(const QString& number)
{
    const qsizetype point = number.indexOf(QLatin1Char('.'));
    return point < 0 ? QString() : number.mid(point);
}

int integerLength(const QString& number) { return static_cast<int>(integerPart(number).size()); }

QString withSeparators(const QString& number)
{
    const QString whole = integerPart(number);
    // A sign is no digit: no separator goes between it and the number.
    const qsizetype first =
        whole.startsWith(QLatin1Char('-')) || whole.startsWith(QLatin1Char('+')) ? 1 : 0;
    QString out;
    for (qsizetype i = whole.size() - 1, place = 1; i >= 0; --i, ++place) {
        out.prepend(whole[i]);
        if (place % 3 == 0 && i > first)
            out.prepend(QLatin1Char(','));
    }
    return out + fractionPart(number);
}

QString alignPadding(const QString& number, int width) { return blanks(width - integerLength(number)); }

QString fillPadding(const QString& text, int width) { return blanks(width - text.size()); }

bool needsChecking(const QString& raw, const QString& price, const QString& quantity,
                   const QString& factor)
{
    return fractionPart(raw).size() >
           fractionPart(price).size() + fractionPart(quantity).size() + fractionPart(factor).size();
}

QStringList historyWith(const QStringList& history, const QString& priceText)
{
    const LeadingDecimal price = leadingDecimal(priceText);
    if (price.outOfRange || price.value <= 0)
        return history;
    QStringList items = history;
    for (qsizetype i = items.size() - 1; i >= 0; --i) {
        const LeadingDecimal item = leadingDecimal(items[i]);
        if (!item.outOfRange && item.value == price.value)
            items.removeAt(i);
    }
    items.prepend(decimalText(price.value));
    return items;
}

}  // namespace petari
