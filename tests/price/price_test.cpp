#include "document/Cp932.h"
#include "platform/SettingsStore.h"
#include "platform/Failure.h"
#include "price/Decimal.h"
#include "price/PriceSettings.h"
#include "price/PriceTable.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace petari {
namespace {

const QString kYen = QStringLiteral("\u00A5");

PriceInput input(const char* price, const char* from, const char* to, const char* tax,
                 const char* unit = "1")
{
    PriceInput in;
    in.unitPrice = QString::fromUtf8(price);
    in.text[FromText] = QString::fromUtf8(from);
    in.text[ToText] = QString::fromUtf8(to);
    in.text[TaxText] = QString::fromUtf8(tax);
    in.text[UnitText] = QString::fromUtf8(unit);
    return in;
}

TEST(PriceTable, ExampleRowWithFormula)
{
    PriceInput in = input("100", "1", "20", "5");
    in.check[FormulaCheck] = true;
    const PriceTable t = priceTable(in);
    ASSERT_EQ(t.lines.size(), 20);
    EXPECT_EQ(t.lines[2], QStringLiteral("  ") + kYen + QStringLiteral("315- '' @100× 3個 ×1.05=  315"));
    EXPECT_EQ(t.lines[19], kYen + QStringLiteral("2,100- '' @100×20個 ×1.05= 2100"));
}

TEST(PriceTable, ArithmeticIsExactDecimal)
{
    struct Case { const char* price; const char* tax; const char* unit; const char* line; };
    const Case cases[] = {
        {"100", "10", "1", "330- '' @100×3個 ×1.1=330"},
        {"0.1", "10", "0.01", "0.33- '' @0.1×3個 ×1.1=0.33"},
        {"1.1", "10", "0.01", "3.63- '' @1.1×3個 ×1.1=3.63"},
        {"0.7", "8", "0.001", "2.268- '' @0.7×3個 ×1.08=2.268"},
    };
    for (const Case& c : cases) {
        PriceInput in = input(c.price, "3", "3", c.tax, c.unit);
        in.check[FormulaCheck] = true;
        const PriceTable t = priceTable(in);
        ASSERT_EQ(t.lines.size(), 1) << c.price;
        EXPECT_EQ(t.lines[0], kYen + QString::fromUtf8(c.line)) << c.price;
    }
}

TEST(PriceTable, RoundingUnitBecomesAPowerOfTen)
{
    const char* cases[][2] = {{"250", "100"}, {"0", "1"},     {"", "1"},      {"0.5", "0.1"},
                              {"0.05", "0.01"}, {"0.25", "0.01"}, {"1.5", "1"}, {"3", "1"},
                              {"-20", "10"},  {"1000", "1000"}, {"12.5x", "10"}};
    for (const auto& c : cases)
        EXPECT_EQ(normaliseRoundingUnit(QString::fromUtf8(c[0])), QString::fromUtf8(c[1])) << c[0];
}

TEST(PriceTable, RoundingModes)
{
    struct Case { const char* raw; const char* unit; Rounding mode; const char* total; };
    const Case cases[] = {
        {"314.9", "10", Rounding::HalfUp, "310"},  {"315", "10", Rounding::HalfUp, "320"},
        {"310.0001", "10", Rounding::Up, "320"},   {"310", "10", Rounding::Up, "310"},
        {"319.99", "10", Rounding::Down, "310"},   {"1.005", "0.01", Rounding::HalfUp, "1.01"},
        {"1.004", "0.01", Rounding::HalfUp, "1"},  {"0.33", "1", Rounding::Up, "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(roundedToUnit(QString::fromUtf8(c.raw), QString::fromUtf8(c.unit), c.mode),
                  QString::fromUtf8(c.total))
            << c.raw;
}

TEST(PriceTable, ThousandsSeparators)
{
    const char* cases[][2] = {{"1234567.5", "1,234,567.5"}, {"123456", "123,456"}, {"123", "123"},
                              {"1234", "1,234"},           {"0.5", "0.5"},         {"-1234", "-1,234"}};
    for (const auto& c : cases)
        EXPECT_EQ(withSeparators(QString::fromUtf8(c[0])), QString::fromUtf8(c[1])) << c[0];
}

TEST(PriceTable, AlignmentByEachBox)
{
    struct Case { bool before, after, formula; const char* first; const char* last; };
    const Case cases[] = {
        {true, false, false, "  ¥550-", "¥2,200-"},
        {false, true, false, "¥  550-", "¥2,200-"},
        {false, false, false, "¥550-", "¥2,200-"},
        {false, false, true, "¥550- '' @100× 5個 ×1.1=  550", "¥2,200- '' @100×20個 ×1.1= 2200"},
    };
    for (const Case& c : cases) {
        PriceInput in = input("100", "5", "20", "10");
        in.text[StepText] = QStringLiteral("5");
        in.check[PadBeforePrefixCheck] = c.before;
        in.check[PadAfterPrefixCheck] = c.after;
        in.check[FormulaCheck] = c.formula;
        const PriceTable t = priceTable(in);
        ASSERT_EQ(t.lines.size(), 4);
        EXPECT_EQ(t.lines.front(), QString::fromUtf8(c.first));
        EXPECT_EQ(t.lines.back(), QString::fromUtf8(c.last));
    }
}

TEST(PriceTable, PaddingNeverGoesNegative)
{
    // Rounding up makes the total wider than the largest raw total.
    PriceInput in = input("99.5", "1", "1", "0", "10");
    in.rounding = Rounding::Up;
    in.check[FormulaCheck] = true;
    const PriceTable t = priceTable(in);
    ASSERT_EQ(t.lines.size(), 1);
    EXPECT_EQ(t.lines[0], kYen + QStringLiteral("100-  '' @99.5×1個 ×1=99.5"));
}

TEST(PriceTable, QuantitiesAreNormalised)
{
    struct Case { const char* from; const char* to; const char* step; const char* to2; const char* step2; int lines; };
    const Case cases[] = {
        {"5", "2", "1", "5", "1", 1},   {"1", "3", "0", "3", "1", 3},    {"1", "3", "", "3", "1", 3},
        {"-2", "7.9", "2.7", "7", "2", 3}, {"1", "10", "4", "10", "4", 3},
    };
    for (const Case& c : cases) {
        PriceInput in = input("100", c.from, c.to, "10");
        in.text[StepText] = QString::fromUtf8(c.step);
        const PriceTable t = priceTable(in);
        EXPECT_EQ(t.normalised.text[ToText], QString::fromUtf8(c.to2)) << c.from << c.to << c.step;
        EXPECT_EQ(t.normalised.text[StepText], QString::fromUtf8(c.step2)) << c.step;
        EXPECT_EQ(t.lines.size(), c.lines) << c.from << c.to << c.step;
    }
    EXPECT_EQ(priceTable(input("-100.50", "1", "1", "10")).normalised.unitPrice, QStringLiteral("100.5"));
}

TEST(PriceTable, CheckMarksOnlyUnexplainedDecimals)
{
    EXPECT_TRUE(needsChecking("330.00000000000006", "100", "3", "1.1"));
    EXPECT_FALSE(needsChecking("0.33", "0.1", "3", "1.1"));
    EXPECT_FALSE(needsChecking("315", "100", "3", "1.05"));
    for (const QString& line : priceTable(input("0.1", "1", "20", "10", "0.01")).lines)
        EXPECT_FALSE(line.contains(QStringLiteral("要確認"))) << line.toStdString();
}

TEST(PriceTable, RefusesWhatItCannotShowExactly)
{
    struct Case { PriceInput in; PriceRefusal::Kind kind; int box; const char* quantity; };
    const Case cases[] = {
        {input("1234567890123456", "1", "1", "10"), PriceRefusal::TooManyDigits, -1, ""},
        {input("1e2000", "1", "1", "10"), PriceRefusal::TooManyDigits, -1, ""},
        {input("100", "1", "1", "0.00000000000001"), PriceRefusal::TooManyDigits, TaxText, ""},
        {input("100000000000000", "1", "10", "10"), PriceRefusal::TooManyDigits, -1, "10"},
        {input("100", "1", "2000000", "10"), PriceRefusal::TooManyLines, -1, ""},
    };
    for (const Case& c : cases) {
        const PriceTable t = priceTable(c.in);
        EXPECT_EQ(t.refusal.kind, c.kind) << c.in.unitPrice.toStdString();
        EXPECT_EQ(t.refusal.text, c.box) << c.in.unitPrice.toStdString();
        EXPECT_EQ(t.refusal.quantity, QString::fromUtf8(c.quantity));
        EXPECT_TRUE(t.lines.isEmpty());
        EXPECT_FALSE(priceRefusalMessage(t.refusal).isEmpty());
    }
    EXPECT_EQ(priceTable(input("100000000000000", "1", "9", "10")).lines.size(), 9);
}

TEST(PriceTable, HistoryKeepsOneItemPerValue)
{
    const QStringList history{"200", "100", "50"};
    EXPECT_EQ(historyWith(history, "100.0"), (QStringList{"100", "200", "50"}));
    EXPECT_EQ(historyWith({"100"}, "100.0"), (QStringList{"100"}));
    EXPECT_EQ(historyWith(history, "0"), history);
    EXPECT_EQ(historyWith({}, "12.50"), (QStringList{"12.5"}));
}

TEST(PriceSettings, FreshDefaultsAndRoundTrip)
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath("petari.ini"));
    const PriceWindowSettings fresh = readPriceSettings(store);
    EXPECT_EQ(fresh.input.text[TaxText], "10");
    EXPECT_EQ(fresh.input.text[PrefixText], kYen);
    EXPECT_EQ(fresh.input.unitPrice, "100");
    EXPECT_EQ(fresh.input.rounding, Rounding::Down);
    EXPECT_TRUE(fresh.history.isEmpty());
    EXPECT_EQ(fresh.top, 105);
    // The prefix is saved to code page 932 files as the byte that shows as
    // the yen sign on a Japanese system.
    EXPECT_EQ(cp932::encode(fresh.input.text[PrefixText]), QByteArray("\x5C"));

    PriceInput in = fresh.input;
    in.rounding = Rounding::Up;
    in.check = {false, true, false, true};
    QStringList history;
    for (int i = 1; i <= 12; ++i)
        history << QString::number(i * 10);
    writePriceSettings(store, in, history.mid(0, 12));
    const PriceWindowSettings back = readPriceSettings(store);
    EXPECT_EQ(back.input.rounding, Rounding::Up);
    EXPECT_EQ(back.input.check, in.check);
    EXPECT_EQ(back.history, history.mid(0, 10));
    EXPECT_EQ(store.read("F7", "O10"), "False");
    EXPECT_EQ(store.read("F7", "O12"), "True");

    EXPECT_FALSE(priceMenuVisible(store));
    for (const char* v : {"True", "true", "1", "-1"}) {
        store.write("F7", "Visible", v);
        EXPECT_TRUE(priceMenuVisible(store)) << v;
    }
    for (const char* v : {"False", "0", "", "yes"}) {
        store.write("F7", "Visible", v);
        EXPECT_FALSE(priceMenuVisible(store)) << v;
    }

    writePriceSettings(store, in, {"30"});
    EXPECT_EQ(store.read("F7", "C1"), "0");
    EXPECT_EQ(readPriceSettings(store).history, QStringList{"30"});
}

TEST(PriceNumbers, LeadingNumbersWithSignsAndExponents)
{
    struct Case { const char* text; const char* value; bool outOfRange; };
    const Case cases[] = {
        {"+5", "5", false},        {"-5", "-5", false},        {"+-5", "0", false},
        {"1e-3", "0.001", false},  {"1E3", "1000", false},     {"1e+2", "100", false},
        {"2.5e1x", "25", false},   {"1e", "1", false},         {"1e-", "1", false},
        {".5", "0.5", false},      {"5.", "5", false},         {".", "0", false},
        {" \t\r\n-3.5x", "-3.5", false}, {"12abc", "12", false}, {"abc", "0", false},
        {"１２", "0", false},      {"e5", "0", false},
        {"1e1001", "0", true},     {"1e-1001", "0", true},     {"0e99999", "0", true},
    };
    for (const Case& c : cases) {
        const LeadingDecimal d = leadingDecimal(QString::fromUtf8(c.text));
        EXPECT_EQ(d.outOfRange, c.outOfRange) << c.text;
        if (!c.outOfRange)
            EXPECT_EQ(decimalText(d.value), QString::fromUtf8(c.value)) << c.text;
    }
    // The largest exponent that is still written out, and the smallest.
    const QString big = decimalText(leadingDecimal(QStringLiteral("1e1000")).value);
    EXPECT_EQ(big, QStringLiteral("1") + QString(1000, QLatin1Char('0')));
    const QString small = decimalText(leadingDecimal(QStringLiteral("-1e-1000")).value);
    EXPECT_EQ(small, QStringLiteral("-0.") + QString(999, QLatin1Char('0')) + QStringLiteral("1"));

    const std::pair<const char*, const char*> whole[] = {
        {" 12.5 ", "12.5"}, {"+3", "3"}, {"-0.50", "-0.5"}, {"0", "0"},
        {"12.5x", nullptr}, {"1e3", nullptr}, {"", nullptr}, {".", nullptr}, {"-", nullptr}, {"1 2", nullptr},
    };
    for (const auto& [text, value] : whole) {
        const std::optional<mpq_class> v = wholeDecimal(QString::fromUtf8(text));
        ASSERT_EQ(v.has_value(), value != nullptr) << text;
        if (v)
            EXPECT_EQ(decimalText(*v), QString::fromUtf8(value)) << text;
    }
}

TEST(PriceNumbers, SignificantDigitsAndTheLargestNumberThatFits)
{
    struct Case { const char* text; int digits; bool fits; };
    const Case cases[] = {
        {"999999999999999", 15, true},   {"1000000000000000", 16, false},
        {"0.123456789012345", 15, true}, {"0.1234567890123456", 16, false},
        {"100000000000000", 15, true},   {"12345678901234.5", 15, true},
        {"1000", 4, true}, {"0.05", 1, true}, {"0", 1, true}, {"-0.05", 1, true}, {"100.5", 4, true},
    };
    for (const Case& c : cases) {
        const mpq_class v = leadingDecimal(QString::fromUtf8(c.text)).value;
        EXPECT_EQ(significantDigits(v), c.digits) << c.text;
        EXPECT_EQ(fitsDigits(v), c.fits) << c.text;
    }
    const std::pair<mpq_class, const char*> texts[] = {
        {mpq_class(1, 8), "0.125"}, {mpq_class(-1, 20), "-0.05"}, {mpq_class(0), "0"}, {mpq_class(100), "100"},
        {mpq_class(-7, 2), "-3.5"}, {mpq_class(1, 1024), "0.0009765625"},
    };
    for (const auto& [value, text] : texts)
        EXPECT_EQ(decimalText(value), QString::fromUtf8(text)) << text;
    EXPECT_THROW(decimalText(mpq_class(1, 3)), Failure);
    EXPECT_EQ(decimalText(truncated(mpq_class(-37, 10))), QStringLiteral("-3"));
    EXPECT_EQ(decimalText(truncated(mpq_class(37, 10))), QStringLiteral("3"));
}

TEST(PriceTable, BoundariesOfRoundingPaddingAndChecking)
{
    struct Round { const char* raw; const char* unit; Rounding mode; const char* total; };
    const Round rounds[] = {
        {"5", "10", Rounding::HalfUp, "10"},       {"4.9999", "10", Rounding::HalfUp, "0"},
        {"0.005", "0.01", Rounding::HalfUp, "0.01"}, {"0.0049", "0.01", Rounding::HalfUp, "0"},
        {"10", "10", Rounding::Up, "10"},          {"10.01", "10", Rounding::Up, "20"},
        {"9.99", "10", Rounding::Down, "0"},       {"10", "10", Rounding::Down, "10"},
        {"0", "1", Rounding::Up, "0"},
    };
    for (const Round& r : rounds)
        EXPECT_EQ(roundedToUnit(QString::fromUtf8(r.raw), QString::fromUtf8(r.unit), r.mode),
                  QString::fromUtf8(r.total))
            << r.raw << " " << r.unit;
    const char* units[][2] = {{"1", "1"}, {"9", "1"}, {"10", "10"}, {"99", "10"}, {"0.1", "0.1"},
                              {"0.09", "0.01"}, {"1e2", "100"}, {"+20", "10"}, {"1e1001", "1e1001"}};
    for (const auto& u : units)
        EXPECT_EQ(normaliseRoundingUnit(QString::fromUtf8(u[0])), QString::fromUtf8(u[1])) << u[0];

    const char* separated[][2] = {{"+1234", "+1,234"}, {"-123", "-123"}, {"-123456", "-123,456"},
                                  {"1234.5678", "1,234.5678"}, {"999", "999"}, {"1000", "1,000"}};
    for (const auto& c : separated)
        EXPECT_EQ(withSeparators(QString::fromUtf8(c[0])), QString::fromUtf8(c[1])) << c[0];
    EXPECT_EQ(alignPadding("12.5", 4), "  ");
    EXPECT_EQ(alignPadding("1234.5", 4), "");
    EXPECT_EQ(alignPadding("12345", 4), "");
    EXPECT_EQ(fillPadding("ab", 3), " ");
    EXPECT_EQ(fillPadding("abc", 3), "");
    EXPECT_EQ(fillPadding("abcd", 3), "");
    EXPECT_EQ(integerPart("12.5.1"), "12");
    EXPECT_EQ(fractionPart("12.5.1"), ".5.1");
    EXPECT_EQ(integerLength("-12.5"), 3);
    // As many decimals as the factors explain, and one more.
    EXPECT_FALSE(needsChecking("0.33555", "0.1", "3.5", "1.1"));
    EXPECT_TRUE(needsChecking("0.335555", "0.1", "3.5", "1.1"));
    EXPECT_FALSE(needsChecking("315", "100", "3", "1"));
    EXPECT_TRUE(needsChecking("315.1", "100", "3", "1"));
}

TEST(PriceTable, QuantityRangeAndLineLimitExactly)
{
    struct Case { const char* from; const char* to; const char* step; int lines; const char* last; };
    const Case cases[] = {
        {"1", "10", "3", 4, "¥1,000-"},  {"1", "9", "3", 3, "¥700-"},   {"5", "5", "1", 1, "¥500-"},
        {"5", "4", "1", 1, "¥500-"},     {"0", "0", "1", 1, "¥0-"},     {"1", "2", "0.9", 2, "¥200-"},
        {"2", "3", "1e1001", 0, ""},
    };
    for (const Case& c : cases) {
        PriceInput in = input("100", c.from, c.to, "0");
        in.text[StepText] = QString::fromUtf8(c.step);
        in.check[PadBeforePrefixCheck] = false;
        const PriceTable t = priceTable(in);
        ASSERT_EQ(t.lines.size(), c.lines) << c.from << ".." << c.to << "/" << c.step;
        if (c.lines > 0)
            EXPECT_EQ(t.lines.back(), QString::fromUtf8(c.last));
    }
    const PriceTable atLimit = priceTable(input("1", "1", "1000000", "0"));
    EXPECT_EQ(atLimit.lines.size(), 1000000);
    EXPECT_FALSE(atLimit.refused());
    const PriceTable past = priceTable(input("1", "0", "1000000", "0"));
    EXPECT_EQ(past.refusal.kind, PriceRefusal::TooManyLines);
    EXPECT_TRUE(past.lines.isEmpty());
    EXPECT_EQ(priceTable(input("1", "2", "2000001", "0")).refusal.kind, PriceRefusal::TooManyLines);
}

TEST(PriceTable, RefusalsNameTheBoxLiterally)
{
    struct Case { PriceInput in; const char* message; };
    PriceInput hugeFrom = input("100", "1e1001", "1", "10");
    PriceInput hugeUnit = input("100", "1", "1", "10", "1e1001");
    const Case cases[] = {
        {input("1234567890123456", "1", "1", "10"),
         "「単価」の数は扱えません。有効数字15桁までの数を入力してください。"},
        {input("100", "1", "1", "0.00000000000001"),
         "「消費税」の数は扱えません。有効数字15桁までの数を入力してください。"},
        {input("100", "1", "1", "1e1001"), "「消費税」の数は扱えません。有効数字15桁までの数を入力してください。"},
        {hugeFrom, "「最小」の数は扱えません。有効数字15桁までの数を入力してください。"},
        {hugeUnit, "「端数の単位」の数は扱えません。有効数字15桁までの数を入力してください。"},
        {input("100000000000000", "1", "10", "10"), "個数 10 の金額が有効数字15桁を超えるため、計算できません。"},
        {input("100", "1", "2000000", "10"), "一度に作れる行は1000000行までです。「最小」「最大」「間隔」を見直してください。"},
        {input("100", "1", "1", "10"), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(priceRefusalMessage(priceTable(c.in).refusal), QString::fromUtf8(c.message)) << c.message;
    EXPECT_EQ(priceRefusalMessage({PriceRefusal::TooManyDigits, ToText, QString()}),
              QStringLiteral("「最大」の数は扱えません。有効数字15桁までの数を入力してください。"));
    EXPECT_EQ(priceRefusalMessage({PriceRefusal::TooManyDigits, StepText, QString()}),
              QStringLiteral("「間隔」の数は扱えません。有効数字15桁までの数を入力してください。"));
    EXPECT_EQ(priceRefusalMessage({PriceRefusal::TooManyDigits, PrefixText, QString()}),
              QStringLiteral("「単価」の数は扱えません。有効数字15桁までの数を入力してください。"));
}

TEST(PriceSettings, StoredValuesAtTheirLimits)
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath("petari.ini"));
    const char* items[] = {"0", "-1", "abc", "999999999999999", "1000000000000000", "0.001", "1e1001", "+7", "", "5"};
    for (int i = 0; i < 10; ++i)
        store.write("F7", QStringLiteral("C%1").arg(i), QString::fromUtf8(items[i]));
    store.write("F7", "top", "1e20");
    store.write("F7", "Left", "-7");
    EXPECT_EQ(readPriceSettings(store).history, (QStringList{"999999999999999", "0.001", "7", "5"}));
    EXPECT_EQ(readPriceSettings(store).top, 1000000);
    EXPECT_EQ(readPriceSettings(store).left, -7);
    // The last option that reads true wins; none leaves the default.
    const struct { const char* o0; const char* o1; const char* o2; Rounding rounding; } options[] = {
        {"True", "True", "False", Rounding::HalfUp}, {"1", "0", "-1", Rounding::Up},
        {"False", "false", "0", Rounding::Down},     {"False", " TRUE ", "", Rounding::HalfUp},
    };
    for (const auto& o : options) {
        store.write("F7", "O10", o.o0);
        store.write("F7", "O11", o.o1);
        store.write("F7", "O12", o.o2);
        EXPECT_EQ(readPriceSettings(store).input.rounding, o.rounding) << o.o0 << o.o1 << o.o2;
    }
    writePricePosition(store, 300, -20);
    EXPECT_EQ(store.read("F7", "top"), "300");
    EXPECT_EQ(store.read("F7", "Left"), "-20");
    enableFormulaAnnotation(store);
    EXPECT_EQ(store.read("F5", "s9"), "1");
    EXPECT_EQ(store.read("F5", "st_t100"), "''");
    PriceInput in;
    in.check = {true, false, true, false};
    writePriceSettings(store, in, {});
    EXPECT_EQ(store.read("F7", "C10"), "1");
    EXPECT_EQ(store.read("F7", "C11"), "0");
    EXPECT_EQ(store.read("F7", "C9"), "0");
    EXPECT_EQ(store.read("F7", "T12"), "20");
    EXPECT_EQ(store.read("F7", "CT"), "100");
    EXPECT_EQ(store.read("F7", "O10"), "True");
    EXPECT_EQ(historyWith({"5"}, "-5"), QStringList{"5"});
    EXPECT_EQ(historyWith({"5"}, "0.001"), (QStringList{"0.001", "5"}));
    EXPECT_EQ(historyWith({"5"}, "1e1001"), QStringList{"5"});
    EXPECT_EQ(historyWith({"5", "abc", "5.0"}, "5"), (QStringList{"5", "abc"}));
}

}  // namespace
}  // namespace petari
