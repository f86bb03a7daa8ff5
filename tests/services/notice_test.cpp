#include "platform/SettingsStore.h"
#include "services/ScriptedNoticePresenter.h"
#include "services/VersionInfo.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace petari {
namespace {

TEST(NoticeLayout, ResizingRule)
{
    NoticeGeometry g = noticeGeometry(6000, 8000, 375);
    EXPECT_TRUE(g.applies);
    EXPECT_EQ(g.buttonsTop, 5100);
    EXPECT_EQ(g.checkTop, 5220);
    EXPECT_EQ(g.textHeight, 5025);
    EXPECT_EQ(g.textWidth, 7930);
    EXPECT_FALSE(noticeGeometry(800, 8000, 375).applies);
    EXPECT_FALSE(noticeGeometry(6000, 120, 375).applies);
    g = noticeGeometry(801, 121, 375);
    EXPECT_TRUE(g.applies);
    EXPECT_EQ(g.textHeight, 0);   // never negative
    EXPECT_EQ(g.textWidth, 51);
}

TEST(VersionInformation, ElevenLinesInModeThree)
{
    const QStringList l = versionInformationLines(QStringLiteral("/opt/petari"));
    ASSERT_EQ(l.size(), 11);
    EXPECT_EQ(l[0], QStringLiteral("　ソフト名　　　ペタリ"));
    EXPECT_EQ(l[1], QStringLiteral("　バージョン　　Ver 2.40.167  "));
    EXPECT_TRUE(l[2].startsWith(QStringLiteral("　使用言語　　　")));
    EXPECT_EQ(l[3], QStringLiteral("　作成年　　　　1999年～2003年"));
    EXPECT_TRUE(l[4].startsWith(QStringLiteral("　作成者　　　　")));
    EXPECT_TRUE(l[5].startsWith(QStringLiteral("　ホームページ　")));
    for (int i = 6; i <= 9; ++i)
        EXPECT_TRUE(l[i].isEmpty()) << i;
    EXPECT_EQ(l[10], QStringLiteral("　場所　　　　　/opt/petari"));

    ScriptedNoticePresenter presenter;
    versionInformationCommand(presenter, QStringLiteral("/opt/petari"));
    ASSERT_EQ(presenter.requests().size(), 1u);
    const NoticeRequest& r = presenter.requests()[0];
    EXPECT_EQ(r.mode, QStringLiteral("3"));
    EXPECT_EQ(r.caption, QStringLiteral("バージョン情報"));
    EXPECT_EQ(r.body, l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    EXPECT_EQ(r.body.count(QStringLiteral("\r\n")), 11);
}

struct NoticeSettings : ::testing::Test {
    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(QStringLiteral("petari.ini"))};
    ScriptedNoticePresenter presenter;
};

TEST_F(NoticeSettings, NothingPendingShowsNothing)
{
    EXPECT_EQ(versionNoticeStateKey(), QStringLiteral("167b"));
    EXPECT_FALSE(showVersionNotice(settings, presenter));
    settings.write("ver", "167b", "0");
    EXPECT_FALSE(showVersionNotice(settings, presenter));
    EXPECT_TRUE(presenter.requests().empty());
}

TEST_F(NoticeSettings, PendingNoticeWithItsTitleAndText)
{
    settings.write("ver", "167b", "1");
    settings.write("ver", "167", "新しい版です。\r\n二行目");
    presenter.pushButton(0);   // "了解", box left checked
    EXPECT_TRUE(showVersionNotice(settings, presenter));
    const NoticeRequest& r = presenter.requests().at(0);
    EXPECT_EQ(r.mode, QStringLiteral("5"));
    EXPECT_EQ(r.caption, QStringLiteral("お知らせ"));
    EXPECT_EQ(r.body, QStringLiteral("新しい版です。\r\n二行目"));
    EXPECT_EQ(r.extra, QStringLiteral("1"));
    EXPECT_EQ(settings.read("ver", "167b"), QStringLiteral("1"));

    settings.write("ver", "167a", "重要");
    presenter.push({0, std::nullopt, false});   // unchecked, then "了解"
    EXPECT_TRUE(showVersionNotice(settings, presenter));
    EXPECT_EQ(presenter.requests().at(1).caption, QStringLiteral("重要"));
    EXPECT_EQ(settings.read("ver", "167b"), QStringLiteral("0"));
    EXPECT_FALSE(showVersionNotice(settings, presenter));   // not shown at the next start
}

TEST_F(NoticeSettings, FixedNoticeStoresNothing)
{
    settings.write("ver", "167b", "2");
    presenter.push({0, std::nullopt, false});
    EXPECT_TRUE(showVersionNotice(settings, presenter));
    EXPECT_EQ(settings.read("ver", "167b"), QStringLiteral("2"));
}

TEST_F(NoticeSettings, ClosingWithoutAcknowledgingStoresNothing)
{
    settings.write("ver", "167b", "1");
    presenter.push({-1, std::nullopt, false});
    EXPECT_TRUE(showVersionNotice(settings, presenter));
    EXPECT_EQ(settings.read("ver", "167b"), QStringLiteral("1"));
}

}  // namespace
}  // namespace petari
