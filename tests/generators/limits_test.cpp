// The generators at the edges of their rules: the last value inside a limit
// and the first one past it, noon and midnight, the last kept history entry.

#include "generators/DateSeries.h"
#include "generators/LineEdits.h"
#include "generators/RandomLines.h"
#include "generators/NumberBoxes.h"
#include "generators/Templates.h"
#include "platform/Failure.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>

using namespace petari;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

const char* const kTooManyLines = "作成する行が多すぎます。一度に作成できるのは1,000,000行までです。";
const char* const kTooManyCharacters = "作成する文字が多すぎます。一度に作成できるのは100,000,000文字までです。";

QString refusal(const std::function<void()>& run)
{
    try {
        run();
    } catch (const RunRefused& r) {
        return r.message();
    }
    return QString();
}

RandomRequest request(std::array<int, 5> boxes, bool strings = false, bool noRepeats = true)
{
    RandomRequest r;
    r.boxes = boxes;
    r.strings = strings;
    r.noRepeats = noRepeats;
    return r;
}

}  // namespace

TEST(GeneratorLimits, RunSizeAndNumberBoxes)
{
    const struct {
        qint64 lines, characters;
        const char* message;
    } runs[] = {
        {1000000, 100000000, ""},
        {1000001, 0, kTooManyLines},
        {0, 100000001, kTooManyCharacters},
    };
    for (const auto& r : runs)
        EXPECT_EQ(refusal([&] { checkRunSize(r.lines, r.characters); }), QString::fromUtf8(r.message)) << r.lines;
    EXPECT_EQ(tooManyLinesMessage(), QString::fromUtf8(kTooManyLines));
    EXPECT_EQ(tooManyCharactersMessage(), QString::fromUtf8(kTooManyCharacters));

    // -1 for a value that overflows.
    const struct {
        const char16_t* text;
        qint64 number, magnitude, digits;
    } boxes[] = {
        {u"2147483647.4", 2147483647, 2147483647, -1}, {u"2147483647.5", -1, -1, -1},
        {u"-2147483648.5", -2147483648LL, -1, -1},      {u"-2147483649", -1, -1, -1},
        {u"-2147483647", -2147483647, 2147483647, -1},  {u"254.5", 254, 254, 254},
        {u"255.5", 256, 256, -1},                       {u"-255", -255, 255, 255},
        {u"-256", -256, 256, -1},                       {u"\u3000７", 7, 7, 7},
        {u"＋５", 5, 5, 5},                              {u"\uFF5F5", 0, 0, 0},
    };
    for (const auto& b : boxes) {
        const QString t = QString::fromUtf16(b.text);
        const auto value = [](const std::function<int()>& f) -> qint64 {
            try {
                return f();
            } catch (const Failure& failure) {
                EXPECT_EQ(failure.number(), 6);
                return -1;
            }
        };
        EXPECT_EQ(value([&] { return boxNumber(t); }), b.number) << qPrintable(t);
        EXPECT_EQ(value([&] { return boxMagnitude(t); }), b.magnitude) << qPrintable(t);
        EXPECT_EQ(value([&] { return boxDigits(t); }), b.digits) << qPrintable(t);
    }

    const struct {
        qint64 v;
        int width;
        char pad;
        const char* text;
    } decimals[] = {
        {7, 3, '0', "007"}, {123, 2, '0', "23"}, {123, 3, '0', "123"}, {0, 0, '0', ""},  {0, -1, '0', "0"},
        {9, 2, ' ', " 9"},  {10, 1, '0', "0"},   {12, -1, ' ', "12"},  {1234567890123, -1, '0', "1234567890123"},
    };
    for (const auto& d : decimals) {
        QString out = QStringLiteral(">");
        appendDecimal(out, d.v, d.width, QLatin1Char(d.pad));
        EXPECT_EQ(out, QStringLiteral(">") + QString::fromUtf8(d.text)) << d.v << "/" << d.width;
    }
    EXPECT_EQ(monthDayYear(u"32767"), 32767);
    EXPECT_EQ(monthDayYear(u"-32767.4"), 32767);
    EXPECT_THROW(monthDayYear(u"32767.5"), Failure);
    EXPECT_THROW(monthDaySeries(32768, MonthDayOptions{}), Failure);
    EXPECT_THROW(monthDaySeries(-32769, MonthDayOptions{}), Failure);
    const MonthDayOptions plain{false, false, true};
    EXPECT_EQ(monthDaySeries(-32768, plain).first(), QStringLiteral("-32768年 1月"));
    EXPECT_EQ(monthDaySeries(32767, plain).mid(0, 2), (QStringList{"32767年 1月", " 1月 1日"}));
    EXPECT_EQ(monthDaySeries(2023, plain).size(), 12 + 365 + 12);
    EXPECT_EQ(monthDaySeries(2024, plain).mid(61, 4), (QStringList{" 2月28日", " 2月29日", "", "2024年 3月"}));
}

TEST(GeneratorLimits, NoonAndMidnightInEveryForm)
{
    const struct {
        int format, hour;
        const char* line;
    } cases[] = {
        {0, 0, "00:00"},          {0, 12, "12:00"},          {1, 0, "00時 00分"},      {1, 12, "12時 00分"},
        {2, 0, "AM 00:00"},       {2, 11, "AM 11:00"},       {2, 12, "PM 00:00"},      {2, 23, "PM 11:00"},
        {3, 0, "午前 00時 00分"}, {3, 11, "午前 11時 00分"}, {3, 12, "午後 00時 00分"}, {3, 23, "午後 11時 00分"},
    };
    for (const auto& c : cases) {
        const QStringList hours = timeSeries(6, c.format, false);
        ASSERT_EQ(hours.size(), 24);
        EXPECT_EQ(hours[c.hour], QString::fromUtf8(c.line)) << c.format << " " << c.hour;
    }
    // The last minute of the day, and the halves of an hour.
    EXPECT_EQ(timeSeries(0, 0, false).last(), QStringLiteral("   59"));
    EXPECT_EQ(timeSeries(5, 0, false).mid(0, 3), (QStringList{"00:00", "   30", "01:00"}));
    EXPECT_EQ(timeSeries(6, 0, true).mid(0, 3), (QStringList{"00:00", "", "01:00"}));
    for (const auto& [interval, format] : std::initializer_list<std::pair<int, int>>{{-1, 0}, {7, 0}, {0, -1}, {0, 4}})
        EXPECT_THROW(timeSeries(interval, format, false), Failure) << interval << " " << format;
    EXPECT_EQ(timeSeries(6, 3, false).size(), 24);
    for (int set : {-1, 4})
        EXPECT_THROW(alphabetSeries(set), Failure);
    for (int form : {-1, 3})
        EXPECT_THROW(kanaSeries(form, false), Failure);
    EXPECT_EQ(alphabetSeries(3).size(), 26);
    EXPECT_EQ(kanaSeries(2, false).size(), 45);
}

TEST(GeneratorLimits, HistoryAgainstItsLastKeptEntry)
{
    LineUpHistory h;
    for (int i = 1; i <= 10; ++i)
        h.remember(QString::number(i));   // "10" first, "1" the last kept
    h.remember(QStringLiteral("1"));
    EXPECT_EQ(h.entry(0), QStringLiteral("10"));
    EXPECT_EQ(h.entry(9), QStringLiteral("1"));
    // Entry 10 is pushed out, not kept: its text is new again.
    h.setEntry(10, QStringLiteral("gone"));
    h.remember(QStringLiteral("gone"));
    EXPECT_EQ(h.entry(0), QStringLiteral("gone"));
    EXPECT_EQ(h.entry(10), QStringLiteral("1"));
    h.remember(QStringLiteral("※"));   // the last mark
    h.remember(QStringLiteral("☆"));   // the first
    EXPECT_EQ(h.entry(0), QStringLiteral("gone"));
    EXPECT_EQ(h.entry(-1), QString());
    EXPECT_EQ(h.entry(11), QString());
    h.setEntry(11, QStringLiteral("x"));
    h.setEntry(-1, QStringLiteral("x"));
    EXPECT_EQ(h.entry(11), QString());
    EXPECT_EQ(h.entry(0), QStringLiteral("gone"));
    h.clear();
    h.setEntry(0, QStringLiteral("a"));
    h.setEntry(2, QStringLiteral("c"));   // after a gap: not offered
    h.setEntry(10, QStringLiteral("k"));  // never offered
    EXPECT_EQ(h.comboItems().mid(0, 2), (QStringList{"a", QStringLiteral("☆")}));
    for (int i = 0; i < 10; ++i)
        h.setEntry(i, QString::number(i));
    EXPECT_EQ(h.comboItems().size(), 24);
    EXPECT_EQ(h.comboItems()[9], QStringLiteral("9"));
    EXPECT_EQ(h.comboItems()[10], QStringLiteral("☆"));
    EXPECT_EQ(h.comboItems().last(), QStringLiteral("※"));

    // Line-ups and numbering at the run limit.
    const struct {
        int across, lines;
        bool toc;
        qint64 made;   // -1: refused
    } lineUps[] = {{1, 1000000, false, 1000000}, {1, 1000001, false, -1}, {1, 500000, true, 1000000},
                   {1, 500001, true, -1},        {0, 3, false, 3},         {1, 0, false, 0}};
    for (const auto& l : lineUps) {
        qint64 made = -1;
        const QString why = refusal([&] { made = lineUp(QString(), l.across, l.lines, l.toc).size(); });
        EXPECT_EQ(made, l.made) << l.lines;
        EXPECT_EQ(why, l.made < 0 ? QString::fromUtf8(kTooManyLines) : QString()) << l.lines;
    }
    EXPECT_EQ(refusal([&] { lineUp(QStringLiteral("xx"), 50000001, 1, false); }), QString::fromUtf8(kTooManyCharacters));
    NumberingOptions o;
    o.start = 1;
    o.end = 1000000;
    o.fixedDigits = false;
    EXPECT_EQ(numberingSeries(o).size(), 1000000);
    o.end = 5;
    o.step = 2;
    EXPECT_EQ(numberingSeries(o), (QStringList{"1", "3", "5"}));
    o.end = 4;
    EXPECT_EQ(numberingSeries(o), (QStringList{"1", "3"}));
    o.tocBlanks = true;
    o.step = 1;
    o.end = 20;
    EXPECT_EQ(numberingSeries(o).size(), 21);
    o.end = 19;
    EXPECT_EQ(numberingSeries(o).size(), 19);
}

TEST(GeneratorLimits, RandomRangesAtTheirEnds)
{
    const QString repeat = QStringLiteral("'同じ数を出さない'ようにした場合、'個数'は'最大数－最少数＋１'より大きくてはダメです。");
    const struct {
        RandomRequest r;
        const char* message;   // nullptr: repeat
    } checks[] = {
        {request({1, 6, 6, 6, 8}), ""},
        {request({1, 5, 6, 6, 8}), nullptr},
        {request({7, 7, 1, 6, 8}), ""},
        {request({7, 6, 1, 6, 8}, false, false), "'最大数'より'最少数'が大きくてはダメです。"},
        {request({0, 0, 0, 0, 0}), ""},
        {request({1, 43, 6, 6, -1}), "負の数には対応していません。"},
        {request({1, 43, 6, -1, 8}), "負の数には対応していません。"},
        {request({1, 43, -1, 6, 8}), "負の数には対応していません。"},
        {request({0, 0, 5, 3, 3}, true), ""},
        {request({0, 0, 5, 4, 3}, true), "'最大'より'最少'が大きくてはダメです。"},
        {request({0, 0, 1000000, 0, 0}, false, false), ""},
        {request({0, 0, 1000, 0, 100000}, true), ""},
        {request({0, 0, 1000, 0, 100001}, true), kTooManyCharacters},
        {request({0, 0, 1000001, 0, 0}, true), kTooManyLines},
    };
    for (const auto& c : checks)
        EXPECT_EQ(randomRequestProblem(c.r), c.message ? QString::fromUtf8(c.message) : repeat)
            << c.r.boxes[0] << " " << c.r.boxes[1] << " " << c.r.boxes[2];

    std::mt19937_64 engine(27);
    RandomRequest whole = request({1, 10, 10, 0, 0});
    whole.sorted = true;
    EXPECT_EQ(randomNumbers(whole, engine),
              (QStringList{" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", "10"}));
    whole.rightAlign = false;
    EXPECT_EQ(randomNumbers(whole, engine), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    whole.boxes = {0, 9, 10, 0, 0};
    whole.rightAlign = true;
    EXPECT_EQ(randomNumbers(whole, engine), (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(randomNumbers(request({7, 7, 3, 0, 0}, false, false), engine), (QStringList{"7", "7", "7"}));
    EXPECT_THROW(randomNumbers(request({5, 4, 1, 0, 0}, false, false), engine), Failure);
    EXPECT_THROW(randomNumbers(request({1, 5, 6, 0, 0}), engine), Failure);
    // Both ends of a two-value range come up, and nothing outside it.
    std::set<QString> seen;
    for (const QString& v : randomNumbers(request({0, 1, 200, 0, 0}, false, false), engine))
        seen.insert(v);
    EXPECT_EQ(seen, (std::set<QString>{"0", "1"}));

    RandomRequest text = request({0, 0, 200, 1, 2}, true);
    text.pool = QStringLiteral("ab");
    std::set<QString> strings;
    for (const QString& s : randomStrings(text, engine))
        strings.insert(s);
    EXPECT_EQ(strings, (std::set<QString>{"a", "b", "aa", "ab", "ba", "bb"}));
    text.boxes = {0, 0, 2, 3, 3};
    text.pool = QStringLiteral("x");
    EXPECT_EQ(randomStrings(text, engine), (QStringList{"xxx", "xxx"}));
    text.pool.clear();
    EXPECT_EQ(randomStrings(text, engine), (QStringList{"", ""}));
    text.boxes = {0, 0, 2, 4, 3};
    EXPECT_THROW(randomStrings(text, engine), Failure);
    for (int set : {-1, 4}) {
        EXPECT_THROW(characterSetOrder(set), Failure);
        EXPECT_THROW(characterSetDefault(set), Failure);
    }
    EXPECT_EQ(characterSetOrder(3).size(), 31);
    EXPECT_EQ(characterSetDefault(3).size(), 29);
    EXPECT_EQ(characterSetDefault(0), QStringLiteral("0123456789"));
}

TEST(GeneratorLimits, LineEditsAtTheLargestNumber)
{
    CharacterAddition a;
    a.number = true;
    a.fixedDigits = false;
    a.first = 2147483645;
    QStringList lines = {"a", "b", "c"};
    addCharacters(lines, nullptr, a);
    EXPECT_EQ(lines, (QStringList{"2147483645a", "2147483646b", "2147483647c"}));
    a.first = -2147483646;   // the absolute value counts
    lines = {"a", "b"};
    addCharacters(lines, nullptr, a);
    EXPECT_EQ(lines, (QStringList{"2147483646a", "2147483647b"}));
    // Only the changed lines count towards the largest number.
    const std::vector<int> one = {1}, outside = {-1, 3};
    a.first = 2147483647;
    lines = {"a", "b", "c"};
    addCharacters(lines, &one, a);
    EXPECT_EQ(lines, (QStringList{"a", "2147483647b", "c"}));
    a.first = 1;
    addCharacters(lines, &outside, a);
    EXPECT_EQ(lines, (QStringList{"a", "2147483647b", "c"}));

    const struct {
        qint64 row;
        EmptyLineMode mode;
        int n;
        qint64 after;
    } rows[] = {
        {0, EmptyLineMode::BeforeEveryLine, 2, 2}, {1, EmptyLineMode::BeforeEveryLine, 2, 5},
        {0, EmptyLineMode::EveryNthLine, 2, 1},    {1, EmptyLineMode::EveryNthLine, 2, 2},
        {2, EmptyLineMode::EveryNthLine, 2, 4},    {3, EmptyLineMode::EveryNthLine, 1, 7},
        {4, EmptyLineMode::EveryNthLine, 0, 4},    {4, EmptyLineMode::BeforeEveryLine, 0, 4},
    };
    for (const auto& r : rows)
        EXPECT_EQ(rowAfterEmptyLines(r.row, r.mode, r.n), r.after) << r.row << " " << r.n;
    EXPECT_EQ(withEmptyLines(QStringList(2, "x"), EmptyLineMode::BeforeEveryLine, 500000).size(), 1000002);
    EXPECT_EQ(withEmptyLines(QStringList(1000000, "x"), EmptyLineMode::EveryNthLine, 1).size(), 2000000);
    EXPECT_EQ(refusal([] { withEmptyLines(QStringList(1000001, "x"), EmptyLineMode::EveryNthLine, 1); }),
              QString::fromUtf8(kTooManyLines));
    EXPECT_EQ(withEmptyLines({"a", "b", "c"}, EmptyLineMode::EveryNthLine, 3), (QStringList{"", "a", "b", "c"}));
    EXPECT_EQ(withEmptyLines({"a", "b", "c", "d"}, EmptyLineMode::EveryNthLine, 3),
              (QStringList{"", "a", "b", "c", "", "d"}));
    const EmptyLinePreview p = emptyLinePreview(EmptyLineMode::BeforeEveryLine, 21);
    EXPECT_EQ(p.left.size(), 21 * 22);
    EXPECT_EQ(p.right[20], QStringLiteral("←空白(21)"));
    EXPECT_EQ(emptyLinePreview(EmptyLineMode::BeforeEveryLine, 0).right.size(), 21);
    EXPECT_EQ(emptyLinePreview(EmptyLineMode::EveryNthLine, 21).left.size(), 22);
    EXPECT_EQ(emptyLinePreview(EmptyLineMode::EveryNthLine, 20).left.size(), 23);
}
