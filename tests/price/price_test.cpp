#include "document/Cp932.h"
#include "platform/SettingsStore.h"
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

}  // namespace
}  // namespace petari
