#include "support/Fixture.h"

#include "mainwindow/HandOver.h"
#include "platform/InstanceChannel.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace petari;
using petari::test::Fixture;

namespace {
// Duplicates refused and a first copy running: what a second start does.
struct SecondStart : Fixture {
    InstanceRegistry first{path("run")};
    InstanceRegistry second{path("run")};
    std::vector<InstanceRequest> handed;
    SecondStart()
    {
        setOption("s6", "1");
        EXPECT_TRUE(first.acquire());
    }
    void answer(bool taken)
    {
        c->setHandOver([this, taken](const InstanceRequest& r) {
            handed.push_back(r);
            return taken;
        });
    }
};
}  // namespace

TEST(HandOver, TheRunningCopyTakesTheFileMadeAbsolute)
{
    SecondStart f;
    f.answer(true);
    const QString saved = QDir::currentPath();
    QDir::setCurrent(f.path(""));
    const bool runs = f.c->startUp({QStringLiteral("B.txt")}, f.second);
    QDir::setCurrent(saved);
    EXPECT_FALSE(runs);
    EXPECT_EQ(f.c->exitState(), ExitState::Forced);
    ASSERT_EQ(f.handed.size(), 1u);
    EXPECT_EQ(f.handed[0].kind, InstanceRequest::Open);
    EXPECT_EQ(f.handed[0].file, QDir(f.path("")).absoluteFilePath(QStringLiteral("B.txt")));
}

TEST(HandOver, WithoutAFileTheRunningCopyComesToTheFront)
{
    SecondStart f;
    f.answer(true);
    EXPECT_FALSE(f.c->startUp({}, f.second));
    ASSERT_EQ(f.handed.size(), 1u);
    EXPECT_EQ(f.handed[0].kind, InstanceRequest::Show);
}

TEST(HandOver, ACopyThatDoesNotAnswerLeavesThisStartToOpenTheFile)
{
    SecondStart f;
    f.answer(false);
    const QString file = f.writeFile("B.txt", "b1\r\n");
    EXPECT_TRUE(f.c->startUp({file}, f.second));
    EXPECT_EQ(f.c->exitState(), ExitState::Running);
    EXPECT_EQ(f.c->state().fileName, file);
}

TEST(HandOver, MissingFilesOfOneBurstAreReportedOnce)
{
    Fixture f;
    const QString there = f.writeFile("B.txt", "b1\r\n");
    const QString x1 = f.path("x1.txt"), x2 = f.path("x2.txt");
    openHandedOver(*f.c, {x1, there, x2});
    EXPECT_EQ(f.c->state().fileName, there);
    ASSERT_EQ(f.sink.got.size(), 1u);
    EXPECT_EQ(f.sink.got[0].label, "F1 fload");
    EXPECT_EQ(f.sink.got[0].number, 53);
    EXPECT_EQ(f.sink.got[0].description, "ファイルが見つかりません。　" + x1 + "\r\n" + x2);
    // One missing file is reported as any open reports it.
    openHandedOver(*f.c, {x1, there});
    ASSERT_EQ(f.sink.got.size(), 2u);
    EXPECT_EQ(f.sink.got[1].label, "F1 fload　" + x1);
}

TEST(FileDialogs, TitledByTheirPurpose)
{
    Fixture f;
    f.c->document().insertLinesAsMade(f.c->lines().count(), {QStringLiteral("a")});
    f.c->openWithDialog();
    f.c->saveAs();
    f.c->saveAsMac();
    ASSERT_EQ(f.prompt.asked().size(), 3u);
    EXPECT_EQ(f.prompt.asked()[0].title, "開く");
    EXPECT_EQ(f.prompt.asked()[1].title, "名前を付けて保存");
    EXPECT_EQ(f.prompt.asked()[2].title, "名前を付けて保存(Mac向け)");
}
