#include "app/Cli.h"

#include "price/Decimal.h"
#include "price/PriceTable.h"
#include "services/Guard.h"

#include <cstdio>
#include <map>

namespace petari {

namespace {

const char* const kPriceUsage =
    "usage: petari --price PRICE [--from N] [--to N] [--step N] [--tax PERCENT] [--unit U]\n"
    "                    [--round down|half|up] [--prefix TEXT] [--suffix TEXT]\n"
    "                    [--no-separators] [--align number|prefix|none] [--formula]\n"
    "  Prints the lines the price window's 表示 puts into the list, one per line.\n"
    "  Defaults: 1 to 20 by 1, tax 10, unit 1, down, prefix \"\u00A5\", suffix \"-\",\n"
    "  separators on, padding before the prefix, no formula.\n";

int bad(const QString& message)
{
    std::fprintf(stderr, "petari: --price: %s\n%s", message.toUtf8().constData(), kPriceUsage);
    return 2;
}

// A number as scripts write it: plain decimal, not negative, and whole when
// it counts pieces.  Returns the message when it is not.
QString checkNumber(const QString& name, const QString& text, bool whole)
{
    const std::optional<mpq_class> v = wholeDecimal(text);
    if (!v || *v < 0)
        return QStringLiteral("%1 \"%2\" is not a %3").arg(name, text,
            whole ? QStringLiteral("whole number of 0 or more") : QStringLiteral("number of 0 or more"));
    if (whole && v->get_den() != 1)
        return QStringLiteral("%1 \"%2\" is not a whole number").arg(name, text);
    if (!fitsDigits(*v))
        return QStringLiteral("%1 \"%2\" has more than %3 significant digits")
            .arg(name, text).arg(kMaxSignificantDigits);
    return QString();
}

QString refusalText(const PriceRefusal& r)
{
    static const char* const names[] = {"--unit", "--from", "--to", "--step", "--tax"};
    if (r.kind == PriceRefusal::TooManyLines)
        return QStringLiteral("more than %1 lines; narrow --from, --to or widen --step").arg(kMaxPriceLines);
    if (r.kind == PriceRefusal::TooManyCharacters)
        return QStringLiteral("the lines would hold more than %1 characters; shorten --prefix or --suffix, "
                              "or make fewer lines").arg(kMaxCharacters);
    if (!r.quantity.isEmpty())
        return QStringLiteral("the total for quantity %1 has more than %2 significant digits")
            .arg(r.quantity).arg(kMaxSignificantDigits);
    if (r.text == TaxText)
        return QStringLiteral("the tax factor has more than %1 significant digits").arg(kMaxSignificantDigits);
    return QStringLiteral("%1 has more than %2 significant digits")
        .arg(QLatin1String(r.text >= 0 && r.text < 5 ? names[r.text] : "PRICE"))
        .arg(kMaxSignificantDigits);
}

}  // namespace

int runPriceMode(const QStringList& args)
{
    PriceInput in;
    bool havePrice = false;
    // Options that take a value: the box they fill, and whether it counts pieces.
    const std::map<QString, std::pair<int, bool>> numbers = {
        {QStringLiteral("--from"), {FromText, true}},  {QStringLiteral("--to"), {ToText, true}},
        {QStringLiteral("--step"), {StepText, true}},  {QStringLiteral("--tax"), {TaxText, false}},
        {QStringLiteral("--unit"), {UnitText, false}},
    };
    for (qsizetype a = 0; a < args.size(); ++a) {
        QString option = args[a];
        QString value;
        bool inlineValue = false;
        if (option.startsWith(QLatin1String("--")) && option.contains(QLatin1Char('='))) {
            value = option.mid(option.indexOf(QLatin1Char('=')) + 1);
            option = option.left(option.indexOf(QLatin1Char('=')));
            inlineValue = true;
        }
        const auto takeValue = [&]() -> bool {
            if (inlineValue)
                return true;
            if (a + 1 >= args.size())
                return false;
            value = args[++a];
            return true;
        };
        if (option == QLatin1String("--no-separators") || option == QLatin1String("--formula")) {
            if (inlineValue)
                return bad(QStringLiteral("%1 takes no value").arg(option));
            if (option == QLatin1String("--formula"))
                in.check[FormulaCheck] = true;
            else
                in.check[SeparatorsCheck] = false;
        } else if (numbers.count(option)) {
            if (!takeValue())
                return bad(QStringLiteral("%1 needs a value").arg(option));
            const auto [box, whole] = numbers.at(option);
            const QString problem = checkNumber(option, value, whole);
            if (!problem.isEmpty())
                return bad(problem);
            in.text[box] = value.trimmed();
        } else if (option == QLatin1String("--round")) {
            if (!takeValue())
                return bad(QStringLiteral("--round needs down, half or up"));
            if (value == QLatin1String("down"))
                in.rounding = Rounding::Down;
            else if (value == QLatin1String("half"))
                in.rounding = Rounding::HalfUp;
            else if (value == QLatin1String("up"))
                in.rounding = Rounding::Up;
            else
                return bad(QStringLiteral("--round \"%1\" is not down, half or up").arg(value));
        } else if (option == QLatin1String("--align")) {
            if (!takeValue())
                return bad(QStringLiteral("--align needs number, prefix or none"));
            if (value != QLatin1String("number") && value != QLatin1String("prefix") &&
                value != QLatin1String("none"))
                return bad(QStringLiteral("--align \"%1\" is not number, prefix or none").arg(value));
            in.check[PadAfterPrefixCheck] = value == QLatin1String("number");
            in.check[PadBeforePrefixCheck] = value == QLatin1String("prefix");
        } else if (option == QLatin1String("--prefix") || option == QLatin1String("--suffix")) {
            if (!takeValue())
                return bad(QStringLiteral("%1 needs a text (\"\" for none)").arg(option));
            in.text[option == QLatin1String("--prefix") ? PrefixText : SuffixText] = value;
        } else if (option.startsWith(QLatin1String("--")) && !inlineValue && option.size() > 2) {
            return bad(QStringLiteral("unknown option %1").arg(option));
        } else if (inlineValue) {
            return bad(QStringLiteral("unknown option %1").arg(option));
        } else {
            if (havePrice)
                return bad(QStringLiteral("only one PRICE, got \"%1\" as well").arg(args[a]));
            const QString problem = checkNumber(QStringLiteral("PRICE"), args[a], false);
            if (!problem.isEmpty())
                return bad(problem);
            in.unitPrice = args[a].trimmed();
            havePrice = true;
        }
    }
    if (!havePrice)
        return bad(QStringLiteral("PRICE is missing"));

    PriceTable table;
    if (!guarded(QStringLiteral("F7 kisanH"), [&] { table = priceTable(in); }))
        return 1;
    if (table.refused())
        return bad(refusalText(table.refusal));
    return printLines(table.lines);
}

}  // namespace petari
