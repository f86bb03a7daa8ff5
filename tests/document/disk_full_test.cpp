// A full disk, for real: a tiny tmpfs mounted for the test.  Needs the right
// to mount (root in CI); skipped elsewhere.

#include "support/Fixture.h"

#include "document/TextFile.h"
#include "editing/UndoChain.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace petari;
using petari::test::Fixture;

namespace {

class SmallDisk {
public:
    explicit SmallDisk(const QString& where) : where_(where)
    {
        QDir().mkpath(where_);
        mounted_ = QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", where_}) == 0;
    }
    ~SmallDisk()
    {
        if (mounted_)
            QProcess::execute("umount", {where_});
    }
    bool mounted() const { return mounted_; }

private:
    QString where_;
    bool mounted_ = false;
};

QStringList manyLines(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << QStringLiteral("行 %1 ひらがなとカタカナ and ASCII").arg(i);
    return lines;
}

}  // namespace

TEST(DiskFull, SaveReportsItAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    SmallDisk disk(dir.filePath("small"));
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    const QString path = dir.filePath("small/doc.txt");
    writeTextFile(path, {"old"}, TextEncoding::Cp932);
    try {
        writeTextFile(path, manyLines(5000), TextEncoding::Cp932);
        FAIL() << "a write larger than the disk succeeded";
    } catch (const Failure& f) {
        EXPECT_EQ(f.number(), err::DiskFull);
    }
    EXPECT_EQ(Fixture::readFile(path), "old\r\n");
    EXPECT_EQ(QDir(dir.filePath("small")).entryList(QDir::Files | QDir::Hidden), QStringList({"doc.txt"}));
}

TEST(DiskFull, FailedSnapshotIsReportedAndUndoStaysSound)
{
    Fixture f;
    SmallDisk disk(f.path("home"));
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    // Every step from its file: the one that never got written is missing.
    f.c->undo().setMemoryBudget(0);
    f.c->openDocument(f.writeFile("doc.txt", "first\r\n"));
    const QStringList big = manyLines(5000);
    f.c->document().insertText(big.join("\n"));
    f.c->document().commitEdit(f.c->state().fileName, Commit::Modified, "　追加　", HexView::Keep);
    f.c->document().waitForWrites();
    ASSERT_EQ(f.sink.got.size(), 1u);
    EXPECT_EQ(f.sink.got[0].label, "M2 mokoBU");
    EXPECT_EQ(f.sink.got[0].number, err::DiskFull);
    EXPECT_EQ(f.c->lines().count(), 5001);   // the document in the window is untouched

    f.c->undoRedo(UndoStep::Undo);
    EXPECT_EQ(f.c->lines().lines(), QStringList({"first"}));
    f.c->undoRedo(UndoStep::Redo);   // the snapshot that never got written is reported, not half-read
    EXPECT_EQ(f.sink.got.size(), 2u);
    EXPECT_EQ(f.c->lines().lines(), QStringList({"first"}));
}
