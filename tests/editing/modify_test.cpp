#include "editing/Modify.h"
#include "services/ScriptedNoticePresenter.h"

#include <gtest/gtest.h>
#include <vector>

namespace petari {
namespace {

// The document list with the insertion rule of added text: CR, LF and CR LF
// each end a line, a final break adds no empty line, an empty text is one
// empty line; new lines go before the first selected line.
struct Lines : LineEditTarget {
    QStringList lines;
    std::vector<bool> selected;
    QStringList commits;
    bool refuseInsertion = false;   // as a document at its limits does

    Lines(QStringList l, std::vector<int> rows) : lines(std::move(l)), selected(lines.size(), false)
    {
        for (int r : rows)
            selected[r] = true;
    }
    QStringList selectedLines() const override
    {
        QStringList out;
        for (int i = 0; i < lines.size(); ++i)
            if (selected[i])
                out << lines[i];
        return out;
    }
    bool insertText(const QString& text) override
    {
        if (refuseInsertion)
            return false;
        int p = 0;
        while (p < lines.size() && !selected[p])
            ++p;
        QString t = text;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (t.endsWith(QLatin1Char('\n')))
            t.chop(1);
        for (const QString& piece : t.split(QLatin1Char('\n'))) {
            lines.insert(p, piece);
            selected.insert(selected.begin() + p, false);
            ++p;
        }
        return true;
    }
    void removeSelected() override
    {
        for (int i = lines.size() - 1; i >= 0; --i)
            if (selected[i]) {
                lines.removeAt(i);
                selected.erase(selected.begin() + i);
            }
    }
    void commitEdit(const QString& name) override { commits << name; }
};

const QStringList kFive = {"a", "b", "c", "d", "e"};

TEST(Modify, ContiguousSelectionIsReplacedInPlace)
{
    Lines l(kFive, {1, 2});
    ScriptedNoticePresenter p;
    p.push({0, QStringLiteral("B1\r\nB2\r\nB3\r\n"), std::nullopt});
    EXPECT_TRUE(modifySelectedLines(l, p));
    const NoticeRequest& r = p.requests().at(0);
    EXPECT_EQ(r.mode, QStringLiteral("4"));
    EXPECT_EQ(r.caption, QStringLiteral("修正"));
    EXPECT_EQ(r.body, QStringLiteral("b\r\nc\r\n"));
    EXPECT_EQ(l.lines, QStringList({"a", "B1", "B2", "B3", "d", "e"}));
    EXPECT_EQ(l.commits, QStringList({QStringLiteral("　修正　")}));
}

TEST(Modify, NonContiguousSelectionGoesToTheFirstPlace)
{
    Lines l(kFive, {1, 3});
    ScriptedNoticePresenter p;
    p.push({0, QStringLiteral("x\r\ny"), std::nullopt});
    EXPECT_TRUE(modifySelectedLines(l, p));
    EXPECT_EQ(p.requests().at(0).body, QStringLiteral("b\r\nd\r\n"));
    EXPECT_EQ(l.lines, QStringList({"a", "x", "y", "c", "e"}));
}

TEST(Modify, NothingSelectedAppendsAtTheEnd)
{
    {
        Lines l(kFive, {});
        ScriptedNoticePresenter p;
        p.push({0, QStringLiteral("n1\r\nn2\r\n"), std::nullopt});
        EXPECT_TRUE(modifySelectedLines(l, p));
        EXPECT_EQ(p.requests().at(0).body, QString());
        EXPECT_EQ(l.lines, QStringList({"a", "b", "c", "d", "e", "n1", "n2"}));
    }
    {
        Lines l(kFive, {});
        ScriptedNoticePresenter p;
        p.pushButton(0);   // the box left empty
        EXPECT_TRUE(modifySelectedLines(l, p));
        EXPECT_EQ(l.lines, QStringList({"a", "b", "c", "d", "e", ""}));
        EXPECT_EQ(l.commits.size(), 1);
    }
}

TEST(Modify, UnchangedTextStillCommits)
{
    Lines l(kFive, {0, 4});
    ScriptedNoticePresenter p;
    p.pushButton(0);
    EXPECT_TRUE(modifySelectedLines(l, p));
    EXPECT_EQ(l.lines, QStringList({"a", "e", "b", "c", "d"}));
    EXPECT_EQ(l.commits.size(), 1);
}

TEST(Modify, CancelAndCloseBoxChangeNothing)
{
    for (int button : {1, -1}) {
        Lines l(kFive, {2});
        ScriptedNoticePresenter p;
        p.push({button, QStringLiteral("changed"), std::nullopt});
        EXPECT_FALSE(modifySelectedLines(l, p));
        EXPECT_EQ(l.lines, kFive);
        EXPECT_TRUE(l.commits.isEmpty());
    }
}

// The selected lines go only once the new ones are in.
TEST(Modify, ARefusedInsertionKeepsTheSelectedLines)
{
    Lines l(kFive, {2});
    l.refuseInsertion = true;
    ScriptedNoticePresenter p;
    p.push({0, QStringLiteral("x\ny"), std::nullopt});
    EXPECT_FALSE(modifySelectedLines(l, p));
    EXPECT_EQ(l.lines, kFive);
    EXPECT_TRUE(l.commits.isEmpty());
}

}  // namespace
}  // namespace petari
