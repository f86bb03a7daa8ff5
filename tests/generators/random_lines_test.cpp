#include "generators/RandomLines.h"
#include "generators/NumberBoxes.h"

#include <gtest/gtest.h>
#include <set>

using namespace petari;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {
RandomRequest numbers(int lo, int hi, int n, bool noRepeats = true)
{
    RandomRequest r;
    r.boxes = {lo, hi, n, 6, 8};
    r.noRepeats = noRepeats;
    return r;
}
}  // namespace

TEST(RandomLines, CheckMessages)
{
    const QString repeat = QStringLiteral(
        "'同じ数を出さない'ようにした場合、'個数'は'最大数－最少数＋１'より大きくてはダメです。");
    const QString order = QStringLiteral("'最大数'より'最少数'が大きくてはダメです。");
    RandomRequest strings = numbers(1, 43, 6);
    strings.strings = true;
    strings.boxes[3] = 9;
    struct Case {
        RandomRequest r;
        QString message;
    };
    const Case cases[] = {
        {numbers(1, 43, 6), QString()},
        {numbers(1, 5, 6), repeat},
        {numbers(1, 5, 6, false), QString()},
        {numbers(10, 5, 2), order},   // replaces the repeat rule's message
        {numbers(-3, 5, 2), QStringLiteral("負の数には対応していません。")},
        {strings, QStringLiteral("'最大'より'最少'が大きくてはダメです。")},
        {numbers(1, 2000000000, 1000001, false),
         QStringLiteral("作成する行が多すぎます。一度に作成できるのは1,000,000行までです。")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(randomRequestProblem(c.r), c.message);
    strings.boxes = {0, 0, 1000, 6, 200000};
    EXPECT_EQ(randomRequestProblem(strings),
              QStringLiteral("作成する文字が多すぎます。一度に作成できるのは100,000,000文字までです。"));
}

TEST(RandomLines, NumbersDistinctSortedAligned)
{
    std::mt19937_64 engine = seededEngine();
    RandomRequest r = numbers(1, 43, 6);
    r.sorted = true;
    for (int run = 0; run < 50; ++run) {
        const QStringList l = randomNumbers(r, engine);
        ASSERT_EQ(l.size(), 6);
        std::set<int> seen;
        int previous = 0;
        for (const QString& line : l) {
            ASSERT_EQ(line.size(), 2) << qPrintable(line);
            const int v = line.trimmed().toInt();
            EXPECT_TRUE(v >= 1 && v <= 43);
            EXPECT_GT(v, previous);
            EXPECT_EQ(v < 10, line.startsWith(QLatin1Char(' ')));
            previous = v;
            seen.insert(v);
        }
        EXPECT_EQ(seen.size(), 6u);
    }
    // Every value of a range drawn whole, without repeats: each once.
    const QStringList all = randomNumbers(numbers(5, 104, 100), engine);
    EXPECT_EQ(std::set<QString>(all.begin(), all.end()).size(), 100u);
    // A huge range without a flag per value.
    const QStringList wide = randomNumbers(numbers(1, 2000000000, 6), engine);
    EXPECT_EQ(std::set<QString>(wide.begin(), wide.end()).size(), 6u);
}

TEST(RandomLines, NumbersEveryValueEquallyLikely)
{
    // Both ends of the range come up as often as the middle (a draw of
    // single precision would lose ends and values of wide ranges).
    std::mt19937_64 engine(12345);
    RandomRequest r = numbers(0, 3, 40000, false);
    r.rightAlign = false;
    int counts[4] = {};
    for (const QString& line : randomNumbers(r, engine))
        ++counts[line.toInt()];
    for (int c : counts)
        EXPECT_NEAR(c, 10000, 400);
    // Without repeats the chosen sets are uniform too: 2 of 4 values, the
    // first place holds each value about as often.
    int first[4] = {};
    RandomRequest pairs = numbers(0, 3, 2);
    pairs.rightAlign = false;
    for (int i = 0; i < 20000; ++i)
        ++first[randomNumbers(pairs, engine).first().toInt()];
    for (int c : first)
        EXPECT_NEAR(c, 5000, 300);
}

TEST(RandomLines, Strings)
{
    std::mt19937_64 engine = seededEngine();
    RandomRequest r;
    r.strings = true;
    r.boxes = {0, 0, 200, 6, 8};
    r.pool = characterSetOrder(0);
    for (const QString& line : randomStrings(r, engine)) {
        EXPECT_TRUE(line.size() >= 6 && line.size() <= 8);
        for (QChar c : line)
            EXPECT_TRUE(c.isDigit());
    }
    r.pool.clear();
    EXPECT_EQ(randomStrings(r, engine), QStringList(200, QString()));
}

TEST(RandomLines, NormalisingACharacterSet)
{
    const CharacterSplit upper = splitCharacterSet(2, QStringLiteral("ZYXa"));
    EXPECT_EQ(upper.present, QStringLiteral("AXYZ"));
    EXPECT_EQ(upper.absent, QStringLiteral("BCDEFGHIJKLMNOPQRSTUVW"));
    const CharacterSplit digits = splitCharacterSet(0, QStringLiteral("9919x"));
    EXPECT_EQ(digits.present, QStringLiteral("19"));
    const CharacterSplit symbols = splitCharacterSet(3, characterSetDefault(3));
    EXPECT_EQ(symbols.present.size(), 29);
    EXPECT_EQ(symbols.absent, QStringLiteral("\"'"));
}
