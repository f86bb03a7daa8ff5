#include "mainwindow/ClipboardMonitor.h"

#include <gtest/gtest.h>

#include <QString>

namespace petari {
namespace {

const QString kA = QStringLiteral("a");
const QString kB = QStringLiteral("b");

TEST(ClipboardMonitor, EachModeOnNewText)
{
    const struct {
        int mode;
        const char16_t* input;
        const char16_t* clip;
        const char16_t* result;
    } cases[] = {
        {1, u"old", u"新しい", u"新しい"},
        {2, u"a", u"b", u"ab"},
        {3, u"a", u"b", u"ab\r\n"},
        {3, u"", u"x", u"x\r\n"},
    };
    for (const auto& c : cases) {
        ClipboardMonitor m(c.mode);
        const auto r = m.tick(QString::fromUtf16(c.clip), QString::fromUtf16(c.input), false);
        ASSERT_TRUE(r.has_value()) << c.mode;
        EXPECT_EQ(*r, QString::fromUtf16(c.result)) << c.mode;
        EXPECT_EQ(m.lastSeen(), QString::fromUtf16(c.clip));
    }
}

TEST(ClipboardMonitor, SameTextTwiceIsTakenInOnce)
{
    ClipboardMonitor m(2);
    QString input = QStringLiteral("x");
    input = m.tick(kA, input, false).value();
    EXPECT_EQ(input, QStringLiteral("xa"));
    EXPECT_FALSE(m.tick(kA, input, false).has_value());
    // A change and a change back are two new texts.
    input = m.tick(kB, input, false).value();
    input = m.tick(kA, input, false).value();
    EXPECT_EQ(input, QStringLiteral("xaba"));
}

TEST(ClipboardMonitor, EmptyClipboardAtStartIsNothingNew)
{
    ClipboardMonitor m(1);
    EXPECT_FALSE(m.tick(QString(), QStringLiteral("typed"), false).has_value());
}

TEST(ClipboardMonitor, OffRemembersNothingAndOnLaterTakesThePresentText)
{
    ClipboardMonitor m(0);
    EXPECT_FALSE(m.tick(kA, QString(), false).has_value());
    EXPECT_TRUE(m.lastSeen().isEmpty());
    m.setMode(1);
    EXPECT_EQ(m.tick(kA, QStringLiteral("typed"), false), std::optional<QString>(kA));

    // Switched off and on again: a text seen before stays seen.
    m.setMode(0);
    m.setMode(1);
    EXPECT_FALSE(m.tick(kA, QString(), false).has_value());
}

TEST(ClipboardMonitor, ModesOutsideTheRangeAreOff)
{
    for (int mode : {-1, 4, 200}) {
        ClipboardMonitor m(mode);
        EXPECT_EQ(m.mode(), 0);
        EXPECT_FALSE(m.tick(kA, QString(), false).has_value());
        EXPECT_TRUE(m.lastSeen().isEmpty());
    }
}

TEST(ClipboardMonitor, ComposingHoldsBackUntilTheCompositionEnds)
{
    ClipboardMonitor m(3);
    EXPECT_FALSE(m.tick(kB, QStringLiteral("にほ"), true).has_value());
    EXPECT_TRUE(m.lastSeen().isEmpty());
    EXPECT_FALSE(m.tick(kB, QStringLiteral("にほ"), true).has_value());
    // The composition has been committed: the text arrives once.
    EXPECT_EQ(m.tick(kB, QStringLiteral("日本"), false),
              std::optional<QString>(QStringLiteral("日本b\r\n")));
    EXPECT_FALSE(m.tick(kB, QStringLiteral("日本b\r\n"), false).has_value());
}

}  // namespace
}  // namespace petari
