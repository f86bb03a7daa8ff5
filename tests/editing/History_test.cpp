#include "editing/Favourites.h"
#include "editing/History.h"
#include "platform/SettingsStore.h"
#include "platform/Failure.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace petari {
namespace {

QString p(int i) { return QStringLiteral("/docs/file%1.txt").arg(i); }

TEST(History, SamePathTwiceKeepsItsFirstPlace)
{
    History h;
    EXPECT_TRUE(h.add(p(1)));
    EXPECT_TRUE(h.add(p(2)));
    EXPECT_FALSE(h.add(p(1)));
    EXPECT_EQ(h.entries(), (QStringList{p(2), p(1)}));
    EXPECT_EQ(h.count(), 2);
    // exact text: another case is another entry
    EXPECT_TRUE(h.add(QStringLiteral("/docs/FILE1.txt")));
    EXPECT_EQ(h.count(), 3);
    EXPECT_FALSE(h.add(QString()));
}

TEST(History, EleventhFilePushesTheOldestOut)
{
    History h;
    for (int i = 1; i <= 11; ++i)
        h.add(p(i));
    EXPECT_EQ(h.count(), 10);
    EXPECT_EQ(h.item(1), p(11));
    EXPECT_EQ(h.item(10), p(2));
    EXPECT_EQ(h.item(11), p(1));    // held, never shown
    EXPECT_FALSE(h.isVisible(11));
    EXPECT_EQ(h.entries().size(), 10);
}

TEST(History, RemovingIndexThreeOfFive)
{
    History h;
    for (int i = 1; i <= 5; ++i)
        h.add(p(i));   // items: 5 4 3 2 1
    h.removeAt(3);
    EXPECT_EQ(h.count(), 4);
    EXPECT_EQ(h.entries(), (QStringList{p(5), p(4), p(2), p(1)}));
    EXPECT_FALSE(h.isVisible(5));
    EXPECT_THROW(h.removeAt(5), Failure);
    EXPECT_THROW(h.removeAt(0), Failure);
}

TEST(History, AHiddenLeftoverDoesNotBlockAFreshFile)
{
    History h;
    for (int i = 1; i <= 11; ++i)
        h.add(p(i));          // p(1) sits in the hidden eleventh item
    h.removeAt(1);            // p(1) moves up into the hidden tenth item
    EXPECT_EQ(h.count(), 9);
    EXPECT_TRUE(h.add(p(1)));
    EXPECT_EQ(h.item(1), p(1));
    h.clear();
    EXPECT_EQ(h.count(), 0);
    EXPECT_FALSE(h.canClear());
    EXPECT_TRUE(h.add(p(2)));
    EXPECT_EQ(h.entries(), QStringList{p(2)});
}

TEST(History, MissingFileQuestion)
{
    EXPECT_EQ(History::missingFileQuestion(QStringLiteral("/a.txt")),
              QStringLiteral("ファイルが見つかりません。\r\n/a.txt\r\n\r\n履歴からこの項目を削除しますか？。"));
}

TEST(History, SaveAndLoadKeyNumbering)
{
    QTemporaryDir dir;
    SettingsStore s(dir.filePath(QStringLiteral("petari.ini")));
    History h;
    for (int i = 1; i <= 3; ++i)
        h.add(p(i));              // top p3, bottom p1
    for (int k = 1; k <= 11; ++k) // stale values of an earlier, longer history
        s.write(QStringLiteral("rireki"), QString::number(k), QStringLiteral("old"));
    h.save(s);
    EXPECT_EQ(s.read(QStringLiteral("rireki"), QStringLiteral("1")), p(1));
    EXPECT_EQ(s.read(QStringLiteral("rireki"), QStringLiteral("3")), p(3));
    for (int k = 4; k <= 11; ++k) {
        EXPECT_TRUE(s.contains(QStringLiteral("rireki"), QString::number(k)));
        EXPECT_EQ(s.read(QStringLiteral("rireki"), QString::number(k), QStringLiteral("x")), QString());
    }
    History back;
    back.load(s);
    EXPECT_EQ(back.entries(), h.entries());

    // loading stops at the first empty key
    s.write(QStringLiteral("rireki"), QStringLiteral("2"), QString());
    History cut;
    cut.load(s);
    EXPECT_EQ(cut.entries(), QStringList{p(1)});
}

TEST(Favourites, AddFillsTheFirstFreeSlotOnce)
{
    Favourites f;
    EXPECT_FALSE(f.canAdd(QString()));
    EXPECT_FALSE(f.add(QString()));
    EXPECT_EQ(f.lastUsedSlot(), 0);
    EXPECT_TRUE(f.add(p(1)));
    EXPECT_FALSE(f.add(p(1)));
    f.setSlot(3, p(3));
    EXPECT_TRUE(f.add(p(2)));
    EXPECT_EQ(f.slot(2), p(2));
    EXPECT_EQ(f.lastUsedSlot(), 3);
    EXPECT_EQ(f.toolTip(3), QStringLiteral("file3.txt"));
    EXPECT_EQ(f.toolTip(4), QString());
    EXPECT_EQ(Favourites::addCaption(p(1)), QStringLiteral("追加　(/docs/file1.txt)"));
    for (int i = 4; i <= 10; ++i)
        EXPECT_TRUE(f.add(p(i)));
    EXPECT_FALSE(f.canAdd(p(11)));
    EXPECT_FALSE(f.add(p(11)));
    EXPECT_EQ(f.lastUsedSlot(), 10);
    EXPECT_THROW(f.setSlot(11, p(1)), Failure);
}

TEST(Favourites, SaveAndLoad)
{
    QTemporaryDir dir;
    SettingsStore s(dir.filePath(QStringLiteral("petari.ini")));
    Favourites f;
    f.setSlot(2, p(2));
    f.setSlot(7, p(7));
    f.save(s);
    EXPECT_EQ(s.read(QStringLiteral("okiniiri"), QStringLiteral("7")), p(7));
    EXPECT_TRUE(s.contains(QStringLiteral("okiniiri"), QStringLiteral("10")));
    Favourites back;
    back.load(s);
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(back.slot(k), f.slot(k));
    EXPECT_EQ(back.lastUsedSlot(), 7);
}

}  // namespace
}  // namespace petari
