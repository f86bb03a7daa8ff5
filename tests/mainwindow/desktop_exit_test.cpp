// The main window's logic when the desktop ends it, when its lists change,
// when an editor starts and then fails, and when a settings export
// overwrites a file.

#include "support/Fixture.h"

#include "editing/UndoChain.h"
#include "platform/InstanceRegistry.h"

#include <QTest>

using namespace petari;
using petari::test::Fixture;

TEST(DesktopExit, EndsWithoutQuestionsKeepingWhatAnExitKeeps)
{
    Fixture f;
    InstanceRegistry registry(f.path("run"));
    ASSERT_TRUE(f.c->startUp({f.writeFile("doc.txt", "one\r\ntwo\r\n")}, registry));
    EXPECT_EQ(f.settings->read("rireki", "1"), f.path("doc.txt"));   // stored on opening
    f.c->addFavourite();
    EXPECT_EQ(f.settings->read("okiniiri", "1"), f.path("doc.txt"));
    f.c->view().setGeometryTwips({3000, 4500, 6000, 4000});
    f.select({0});
    f.c->deleteLines();
    f.setOption("s5", "1");   // the exit question, never asked here

    f.c->exitWithoutQuestions();
    EXPECT_TRUE(f.prompt.asked().empty());
    EXPECT_EQ(f.c->exitState(), ExitState::Forced);
    EXPECT_EQ(f.settings->read("A1", "No"), "0");
    EXPECT_EQ(f.settings->read("F1", "top"), "4500");
    EXPECT_EQ(f.settings->read("F1", "Left"), "3000");
    EXPECT_EQ(Fixture::readFile(f.c->undo().backupPath(1)), "two\r\n");
    EXPECT_TRUE(f.c->confirmClose());
    EXPECT_TRUE(f.sink.got.empty());
}

TEST(DesktopExit, AnEditorThatFailsAfterStartingIsReported)
{
    Fixture f;
    const QString editor = f.writeFile("editor.sh", "#!/bin/sh\necho 'no method available' >&2\nexit 3\n");
    QFile::setPermissions(editor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    f.setOption("exe1", editor);
    f.c->startEditor();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !f.sink.got.empty(); }, 10000));
    ASSERT_EQ(f.sink.got.size(), 1u);
    EXPECT_EQ(f.sink.got[0].label, "F1 memotyou_Click");
    EXPECT_EQ(f.sink.got[0].number, err::FileNotFound);
    EXPECT_TRUE(f.sink.got[0].description.endsWith("no method available"));
}

TEST(DesktopExit, OverwritingASettingsExportBacksUpTheList)
{
    Fixture f;
    f.c->document().replaceLinesAsMade({"一行"});
    const QString existing = f.writeFile("settings.txt", "old\r\n");
    f.prompt.pushFileName(existing);
    f.prompt.pushAnswer(Answer::Yes);
    f.c->exportSettingsToFile();
    EXPECT_EQ(Fixture::readFile(f.c->undo().backupPath(1)), "\x88\xea\x8d\x73\r\n");   // 一行 in CP932
    EXPECT_TRUE(f.sink.got.empty());
}
