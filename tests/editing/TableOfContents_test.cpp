#include "editing/TableOfContents.h"

#include <gtest/gtest.h>

namespace petari {
namespace {

TEST(TableOfContents, HeadingsFollowEmptyLines)
{
    const QStringList lines{"a", "b", "", "c", "", "", "d"};
    const QList<TocEntry> toc = tableOfContents(lines);
    const QList<TocEntry> expected{{"a", 1}, {"c", 4}, {"d", 7}};
    EXPECT_EQ(toc, expected);
    EXPECT_EQ(tocTopLine(toc, 1), 3);    // choosing c
    EXPECT_EQ(tocTopLine(toc, -1), -1);
    EXPECT_EQ(tocTopLine(toc, 3), -1);
}

// A heading holds what its row shows, not a line of millions of characters.
TEST(TableOfContents, AVeryLongHeadingIsWhatItsRowShows)
{
    const QList<TocEntry> toc = tableOfContents(QStringList{QString(4001, u'h'), "", QString(4000, u'i')});
    EXPECT_EQ(toc, (QList<TocEntry>{{QString(4000, u'h'), 1}, {QString(4000, u'i'), 3}}));
}

TEST(TableOfContents, NothingToShow)
{
    EXPECT_TRUE(tableOfContents({}).isEmpty());
    EXPECT_TRUE(tableOfContents({"", "", ""}).isEmpty());
    // a blank is not an empty line
    EXPECT_EQ(tableOfContents({"", " ", "x"}), (QList<TocEntry>{{" ", 2}}));
}

TEST(TableOfContents, KeepsEveryHeadingOfALongDocument)
{
    QStringList lines;
    for (int i = 0; i < 5000; ++i)
        lines << QString::number(i) << QString();
    const QList<TocEntry> toc = tableOfContents(lines);
    ASSERT_EQ(toc.size(), 5000);
    EXPECT_EQ(toc[2000], (TocEntry{QStringLiteral("2000"), 4001}));
    EXPECT_EQ(toc.last().line, 9999);
}

}  // namespace
}  // namespace petari
