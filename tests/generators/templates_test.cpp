#include "generators/DateSeries.h"
#include "generators/NumberBoxes.h"
#include "generators/Templates.h"
#include "platform/Failure.h"

#include <climits>
#include <gtest/gtest.h>

using namespace petari;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

TEST(NumberBox, LeadingNumberRoundedAnd32Bit)
{
    struct Case {
        const char16_t* text;
        int number;   // INT_MIN: overflows
        int digits;   // -1: overflows
    };
    const Case cases[] = {
        {u"", 0, 0},         {u"abc", 0, 0},          {u"-5", -5, 5},
        {u"12abc", 12, 12},  {u"1e9", 1000000000, -1}, {u"９", 9, 9},
        {u"－１２", -12, 12}, {u"2.5", 2, 2},           {u"3.5", 4, 4},
        {u"255", 255, 255},  {u"256", 256, -1},
        {u"2147483647", 2147483647, -1},
        {u"1234567890123456789012345678901234567890", INT_MIN, -1},
    };
    for (const Case& c : cases) {
        const QString t = QString::fromUtf16(c.text);
        if (c.number == INT_MIN)
            EXPECT_THROW(boxNumber(t), Failure) << qPrintable(t);
        else
            EXPECT_EQ(boxNumber(t), c.number) << qPrintable(t);
        if (c.digits < 0)
            EXPECT_THROW(boxDigits(t), Failure) << qPrintable(t);
        else
            EXPECT_EQ(boxDigits(t), c.digits) << qPrintable(t);
    }
    EXPECT_THROW(boxMagnitude(u"-2147483648"), Failure);
    EXPECT_EQ(boxNumber(u"-2147483648"), INT_MIN);
}

TEST(Templates, Numbering)
{
    struct Case {
        NumberingOptions o;
        QStringList expected;
    };
    auto opts = [](int s, int e, int step, int digits, bool fixed, bool zero) {
        NumberingOptions o;
        o.start = s, o.end = e, o.step = step, o.digits = digits, o.fixedDigits = fixed, o.zeroFill = zero;
        return o;
    };
    NumberingOptions wrapped = opts(1, 2, 1, 2, true, true);
    wrapped.before = QStringLiteral("No.");
    wrapped.after = QStringLiteral("\t番");
    const Case cases[] = {
        {opts(8, 12, 0, 3, true, true), {"008", "009", "010", "011", "012"}},
        {opts(8, 12, 0, 3, true, false), {"  8", "  9", " 10", " 11", " 12"}},
        {opts(8, 12, 0, 3, false, true), {"8", "9", "10", "11", "12"}},
        {opts(10, 1, 3, 0, false, true), {"10", "7", "4", "1"}},
        {opts(-10, -1, -3, 0, false, true), {"10", "7", "4", "1"}},   // absolute values
        {opts(123, 123, 1, 2, true, true), {"23"}},
        {opts(5, 5, 1, 0, true, true), {""}},
        {wrapped, {"No.01\t番", "No.02\t番"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(numberingSeries(c.o), c.expected);

    // The old 16-bit counter stopped short of 32767; ours does not.
    const QStringList full = numberingSeries(opts(1, 32767, 1, 0, false, true));
    ASSERT_EQ(full.size(), 32767);
    EXPECT_EQ(full.last(), QStringLiteral("32767"));

    NumberingOptions toc = opts(1, 45, 1, 0, false, true);
    toc.tocBlanks = true;
    const QStringList t = numberingSeries(toc);
    ASSERT_EQ(t.size(), 47);
    EXPECT_EQ(t[20], QString());
    EXPECT_EQ(t[21], QStringLiteral("21"));
    EXPECT_EQ(t[41], QString());
}

TEST(Templates, RunLimitsRefuseBeforeMaking)
{
    NumberingOptions o;
    o.start = 1;
    o.end = 1000001;
    EXPECT_THROW(numberingSeries(o), RunRefused);
    o.end = 2000000000;
    EXPECT_THROW(numberingSeries(o), RunRefused);
    o.end = 999999;
    o.tocBlanks = true;   // the empty lines count too
    EXPECT_THROW(numberingSeries(o), RunRefused);
    o.tocBlanks = false;
    o.fixedDigits = false;
    EXPECT_EQ(numberingSeries(o).size(), 999999);

    EXPECT_THROW(lineUp(QStringLiteral("☆"), 1000000000, 1, false), RunRefused);
    EXPECT_THROW(lineUp(QStringLiteral("☆"), 1, 1000001, false), RunRefused);
    EXPECT_THROW(ruler(2000000000, true), RunRefused);
}

TEST(Templates, DaysOf2024And2019)
{
    const QStringList y2024 = monthDaySeries(2024, MonthDayOptions{});
    EXPECT_TRUE(y2024.contains(QStringLiteral(" 2月11日(日)建国記念の日")));
    EXPECT_TRUE(y2024.contains(QStringLiteral(" 2月12日(月)振替休日")));
    EXPECT_TRUE(y2024.contains(QStringLiteral(" 5月 6日(月)振替休日")));
    const QStringList y2019 = monthDaySeries(2019, MonthDayOptions{});
    for (const char* line : {" 4月30日(火)国民の休日", " 5月 1日(水)天皇の即位の日", " 5月 2日(木)国民の休日",
                             "10月22日(火)即位礼正殿の儀"})
        EXPECT_TRUE(y2019.contains(QString::fromUtf8(line))) << line;
}

TEST(Templates, TimesOfADay)
{
    struct Case {
        int interval, format;
        int size;
        int at;
        const char* line;
    };
    const Case cases[] = {
        {6, 0, 24, 0, "00:00"},          {6, 0, 24, 23, "23:00"},
        {6, 1, 24, 13, "13時 00分"},      {6, 2, 24, 13, "PM 01:00"},
        {6, 2, 24, 0, "AM 00:00"},       {6, 3, 24, 13, "午後 01時 00分"},
        {6, 3, 24, 11, "午前 11時 00分"}, {0, 0, 1440, 10, "00:10"},
        {0, 0, 1440, 15, "   15"},       {0, 1, 1440, 15, "  　 15分"},
        {0, 2, 1440, 15, "      15"},     {0, 3, 1440, 15, "　　   　 15分"},
        {1, 0, 288, 6, "00:30"},          {1, 0, 288, 1, "   05"},
        {3, 0, 96, 1, "   15"},
    };
    for (const Case& c : cases) {
        const QStringList l = timeSeries(c.interval, c.format, false);
        ASSERT_EQ(l.size(), c.size) << c.interval;
        EXPECT_EQ(l[c.at], QString::fromUtf8(c.line)) << c.interval << " " << c.format;
    }
    const QStringList toc = timeSeries(0, 0, true);
    EXPECT_EQ(toc.size(), 1464);
    EXPECT_EQ(toc[60], QString());
    EXPECT_EQ(timeIntervalCaptions().last(), QStringLiteral("60分間隔"));
    EXPECT_THROW(timeSeries(7, 0, false), Failure);
}

TEST(Templates, AlphabetAndKana)
{
    const char* alphabet[4][2] = {{"A", "Z"}, {"a", "z"}, {"Ａ", "Ｚ"}, {"ａ", "ｚ"}};
    for (int s = 0; s < 4; ++s) {
        const QStringList l = alphabetSeries(s);
        ASSERT_EQ(l.size(), 26);
        EXPECT_EQ(l.first(), QString::fromUtf8(alphabet[s][0]));
        EXPECT_EQ(l.last(), QString::fromUtf8(alphabet[s][1]));
    }
    const char* kana[3][4] = {{"ｱ", "ｵ", "ﾜ", "ﾝ"}, {"あ", "お", "わ", "ん"}, {"ア", "オ", "ワ", "ン"}};
    for (int f = 0; f < 3; ++f) {
        const QStringList l = kanaSeries(f, false);
        ASSERT_EQ(l.size(), 45);
        EXPECT_EQ(l[0], QString::fromUtf8(kana[f][0]));
        EXPECT_EQ(l[4], QString::fromUtf8(kana[f][1]));
        EXPECT_EQ(l[43], QString::fromUtf8(kana[f][2]));
        EXPECT_EQ(l[44], QString::fromUtf8(kana[f][3]));
    }
    // Empty lines after お こ そ と の ほ も よ ろ, none after わ or ん.
    const QStringList rows = kanaSeries(1, true);
    ASSERT_EQ(rows.size(), 54);
    QStringList rowEnds;
    for (int i = 1; i < rows.size(); ++i)
        if (rows[i].isEmpty())
            rowEnds << rows[i - 1];
    EXPECT_EQ(rowEnds.join(QString()), QStringLiteral("おこそとのほもよろ"));
    EXPECT_EQ(rows.last(), QStringLiteral("ん"));
}

TEST(Templates, LineUpAndItsHistory)
{
    const QStringList marks{"☆", "★", "○", "●", "◎", "◇", "◆", "□", "■", "△", "▲", "▽", "▼", "※"};
    EXPECT_EQ(lineUp(QStringLiteral("ab"), 3, 2, false), (QStringList{"ababab", "ababab"}));
    EXPECT_EQ(lineUp(QStringLiteral("★"), 2, 2, true), (QStringList{"★★", "", "★★", ""}));
    EXPECT_EQ(lineUp(QStringLiteral("x"), 0, 1, false), QStringList{""});
    EXPECT_TRUE(lineUp(QStringLiteral("x"), 5, -2, false).isEmpty());

    LineUpHistory h;
    EXPECT_EQ(h.comboItems(), marks);
    h.remember(QStringLiteral("ab"));
    h.remember(QStringLiteral("ab"));
    h.remember(QStringLiteral("★"));
    h.remember(QString());
    EXPECT_EQ(h.comboItems(), QStringList{"ab"} + marks);
    for (int i = 1; i <= 10; ++i)
        h.remember(QString::number(i));
    EXPECT_EQ(h.entry(0), QStringLiteral("10"));
    EXPECT_EQ(h.entry(9), QStringLiteral("1"));
    EXPECT_EQ(h.entry(10), QStringLiteral("ab"));   // pushed out, not kept
    EXPECT_EQ(h.comboItems().size(), 10 + 14);
    h.clear();
    EXPECT_EQ(h.comboItems(), marks);
}

TEST(Templates, Ruler)
{
    const QString nine(9, QLatin1Char(' ')), eighteen(18, QLatin1Char(' '));
    EXPECT_EQ(ruler(0, false), (QStringList{"", nine, ""}));
    EXPECT_EQ(ruler(0, true), (QStringList{"", eighteen, ""}));
    EXPECT_EQ(ruler(-4, false), (QStringList{"", nine, ""}));
    EXPECT_EQ(ruler(25, false),
              (QStringList{"1234567890123456789012345", nine + "+10       +20       ",
                           "1+00_678901+10_678901+20_"}));
    EXPECT_EQ(ruler(25, true),
              (QStringList{QStringLiteral("１２３４５６７８９０１２３４５６７８９０１２３４５"),
                           eighteen + "+10" + QString(17, ' ') + "+20" + QString(17, ' '),
                           QStringLiteral("１+00_４５６７８９０１+10_４５６７８９０１+20_４５")}));
}
