// The main window's logic when the desktop ends it, when its lists change,
// when an editor starts and then fails, and when a settings export
// overwrites a file.

#include "support/Fixture.h"

#include "editing/UndoChain.h"
#include "platform/InstanceRegistry.h"

#include <QTest>

using namespace petari;
using petari::test::Fixture;

TEST(DesktopExit, OverwritingASettingsExportBacksUpTheList)
{
    Fixture f;
    f.c->lines().setLines({"一行"});
    const QString existing = f.writeFile("settings.txt", "old\r\n");
    f.prompt.pushFileName(existing);
    f.prompt.pushAnswer(Answer::Yes);
    f.c->exportSettingsToFile();
    EXPECT_EQ(Fixture::readFile(f.c->undo().backupPath(1)), "\x88\xea\x8d\x73\r\n");   // 一行 in CP932
    EXPECT_TRUE(f.sink.got.empty());
}
