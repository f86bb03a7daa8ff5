// Backups: one that cannot be written is told with the save that wanted it,
// and what a killed backup write left behind goes when the folder is next
// used.

#include "support/Fixture.h"

#include "editing/UndoChain.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

using namespace petari;
using petari::test::Fixture;

TEST(BackupReporting, AFailedBackupIsToldWithTheSave)
{
    Fixture f;
    // Long enough that the backup waits behind the snapshot of the edit.
    f.c->openDocument(f.writeFile("doc.txt", QByteArray("line\r\n").repeated(300000)));
    // A folder where the backup file must go: its write fails.
    ASSERT_TRUE(QDir().mkpath(f.c->undo().backupPath(1)));
    f.select({0});
    f.c->deleteLines();
    f.c->saveOver();
    ASSERT_EQ(f.sink.got.size(), 1u);
    EXPECT_EQ(f.sink.got[0].label, "M2 mokoBU");
    EXPECT_EQ(Fixture::readFile(f.path("doc.txt")), QByteArray("line\r\n").repeated(299999));
}

TEST(BackupReporting, TemporaryFilesOfAKilledBackupAreRemoved)
{
    Fixture f;
    const QString folder = f.path("home/作・ペタリ/mk_backup");
    QDir().mkpath(folder);
    const struct {
        const char* name;
        int ageSeconds;
        bool kept;
    } files[] = {
        {"バックアップ007.txt.Ab12Cd", 16 * 60, false},   // left by a write that was killed
        {"バックアップ008.txt.Xy34Zw", 14 * 60, true},    // may still be written by another copy
        {"メモ.txt.Ab12Cd", 16 * 60, true},              // not the program's
    };
    for (const auto& file : files) {
        QFile out(folder + '/' + QString::fromUtf8(file.name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.setFileTime(QDateTime::currentDateTime().addSecs(-file.ageSeconds), QFileDevice::FileModificationTime);
    }
    EXPECT_FALSE(f.c->undo().takeBackup({"x"}).isEmpty());
    for (const auto& file : files)
        EXPECT_EQ(QFile::exists(folder + '/' + QString::fromUtf8(file.name)), file.kept) << file.name;
}
