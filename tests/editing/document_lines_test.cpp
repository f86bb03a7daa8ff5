// Lines a program step makes go into the document as they are, within its
// limits (4 lines, 10 characters here): the last that fits goes in, the
// first past them is refused and the document stays as it was.

#include "support/Fixture.h"

#include <gtest/gtest.h>

using namespace petari;
using petari::test::DocumentFixture;

TEST(DocumentLines, ReplacingAndInsertingStopAtTheLimits)
{
    const struct {
        bool insert;
        QStringList made;
        QStringList after;   // the document afterwards, from {"ab", "cd"}
    } cases[] = {
        {false, {"a", "b", "c", "d"}, {"a", "b", "c", "d"}},
        {false, {"a", "b", "c", "d", "e"}, {"ab", "cd"}},
        {false, {"abcdefghij"}, {"abcdefghij"}},
        {false, {"abcdefghijk"}, {"ab", "cd"}},
        {true, {"e", "f"}, {"e", "f", "ab", "cd"}},
        {true, {"e", "f", "g"}, {"ab", "cd"}},
        {true, {"efghij"}, {"efghij", "ab", "cd"}},
        {true, {"efghijk"}, {"ab", "cd"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.made.join('|').toStdString());
        DocumentFixture f;
        f.doc->setLimits({4, 10});
        f.doc->replaceLinesAsMade(QStringList{"ab", "cd"});
        const bool fits = c.after != QStringList{"ab", "cd"};
        try {
            if (c.insert)
                f.doc->insertLinesAsMade(0, c.made);
            else
                f.doc->replaceLinesAsMade(c.made);
            EXPECT_TRUE(fits);
        } catch (const DocumentTooLarge&) {
            EXPECT_FALSE(fits);
        }
        EXPECT_EQ(f.doc->lines().toStringList(), c.after);
    }
}

TEST(DocumentLines, MadeLinesAreNotFoldedAtTheConfiguredWidth)
{
    DocumentFixture f;
    f.settings->write(QStringLiteral("F5"), QStringLiteral("s8"), QStringLiteral("1"));
    f.settings->write(QStringLiteral("F5"), QStringLiteral("s1"), QStringLiteral("3"));
    f.doc->replaceLinesAsMade(QStringList{"abcdef"});
    f.doc->insertLinesAsMade(1, QStringList{"ghijkl"});
    EXPECT_EQ(f.doc->lines().toStringList(), (QStringList{"abcdef", "ghijkl"}));
}
