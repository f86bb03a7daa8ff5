// What a run keeps in its snapshot folder: within a cap on disk, the oldest
// steps going first; nothing out of reach; nothing after the run, and
// nothing a dead run left once its folder is claimed again.
#include "editing/UndoChain.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace petari {
namespace {

const QString kOpen = QStringLiteral("　開く　");
const QString kDelete = QStringLiteral("　削除　");

// 100 characters: a file of 102 bytes with its CR LF.
QStringList step(int n) { return {QString(100, QChar(u'a' + n))}; }

class SnapshotFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings = std::make_unique<SettingsStore>(config.filePath(QStringLiteral("petari.ini")));
        chain = std::make_unique<UndoChain>(*settings, home.path());
    }
    QString folder(const QString& name) const { return home.path() + QStringLiteral("/作・ペタリ/") + name; }
    QStringList files(const QString& name) const
    {
        return QDir(folder(name)).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    // Opens step 0, then deletes: steps 1 to last.
    void takeSteps(int last)
    {
        chain->commit(step(0), 0, kOpen);
        for (int n = 1; n <= last; ++n)
            chain->commit(step(n), 1, kDelete);
        chain->waitForWrites();
    }

    QTemporaryDir home, config;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<UndoChain> chain;
};

TEST_F(SnapshotFilesTest, PastTheCapTheOldestStepsGoAndUndoStopsAtTheOldestLeft)
{
    struct Case { qint64 cap; int oldest; QString caption; };
    const Case cases[] = {
        {306, 2, QStringLiteral("戻す　(　削除　)　2")},   // three files of 102 bytes fit
        {305, 3, QStringLiteral("戻す　(　削除　)　1")},   // one byte less: two
        {0, 4, QStringLiteral("戻す　(　削除　)　0")},     // the newest stays all the same
    };
    for (const Case& c : cases) {
        chain->setDiskBudget(c.cap);
        takeSteps(4);
        EXPECT_EQ(chain->oldestStep(), c.oldest) << c.cap;
        EXPECT_EQ(chain->undoCaption(), c.caption) << c.cap;
        EXPECT_EQ(chain->canUndo(), c.oldest < 4) << c.cap;
        EXPECT_EQ(chain->diskInUse(), 102 * (5 - c.oldest)) << c.cap;
        EXPECT_FALSE(QFileInfo::exists(chain->snapshotPath(c.oldest - 1))) << c.cap;
        EXPECT_TRUE(QFileInfo::exists(chain->snapshotPath(c.oldest))) << c.cap;
        EXPECT_FALSE(chain->isInMemory(c.oldest - 1)) << c.cap;
        // Undo goes back to the oldest step left and no further.
        for (int i = 0; i < 6; ++i)
            chain->undoStep();
        EXPECT_EQ(chain->undoPosition(), c.oldest + 1) << c.cap;
        EXPECT_EQ(chain->restoreShown().lines, step(c.oldest)) << c.cap;
        EXPECT_EQ(chain->undoCaption(), QStringLiteral("戻す　(　削除　)　0")) << c.cap;
        EXPECT_FALSE(chain->canUndo());
    }
}

TEST_F(SnapshotFilesTest, FilesOutOfReachGoAtOnce)
{
    takeSteps(3);
    chain->undoStep();
    chain->undoStep();
    chain->commit(step(9), 1, kDelete);   // step 2 again: 3 is a cut-off redo
    chain->waitForWrites();
    EXPECT_EQ(files(QStringLiteral("mk_000")),
              (QStringList{".lock", "index.txt", "mk0000.txt", "mk0001.txt", "mk0002.txt"}));
    chain->commit(step(0), 0, kOpen);     // a new history: 1 and 2 are of the old one
    chain->waitForWrites();
    EXPECT_EQ(files(QStringLiteral("mk_000")), (QStringList{".lock", "index.txt", "mk0000.txt"}));
    EXPECT_EQ(chain->diskInUse(), 102);
    EXPECT_EQ(chain->oldestStep(), 0);
}

TEST_F(SnapshotFilesTest, TheRunsFilesGoWhenItEnds)
{
    UndoChain live(*settings, home.path());
    takeSteps(2);
    live.commit(step(5), 0, kOpen);
    live.waitForWrites();
    chain.reset();
    EXPECT_EQ(files(QStringLiteral("mk_000")), QStringList());
    EXPECT_EQ(files(QStringLiteral("mk_001")), (QStringList{".lock", "index.txt", "mk0000.txt"}));
}

// A lock file as a run that died leaves it: its process is gone.
void leaveDeadLock(const QString& path)
{
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted(10000));
    // Its number is known only while it runs.
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished(10000));
    QByteArray content;
    {
        QLockFile lock(path);
        ASSERT_TRUE(lock.tryLock(0));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        content = f.readAll();
    }
    content = QByteArray::number(pid) + content.mid(content.indexOf('\n'));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

TEST_F(SnapshotFilesTest, ADeadRunsFilesGoWhenItsFolderIsClaimedALiveCopysStay)
{
    const QString dead = folder(QStringLiteral("mk_000"));
    ASSERT_TRUE(QDir().mkpath(dead));
    leaveDeadLock(dead + QStringLiteral("/.lock"));
    for (const char* name : {"mk0000.txt", "mk0007.txt", "index.txt", "mk0008.txt.Ab12Cd", "notes.txt"}) {
        QFile f(dead + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("left\r\n");
    }
    takeSteps(1);
    EXPECT_EQ(files(QStringLiteral("mk_000")),
              (QStringList{".lock", "index.txt", "mk0000.txt", "mk0001.txt", "notes.txt"}));
    EXPECT_EQ(chain->restoreShown().lines, step(1));

    // A second copy meanwhile finds this folder held and takes the next.
    UndoChain second(*settings, home.path());
    second.commit(step(3), 0, kOpen);
    second.waitForWrites();
    EXPECT_EQ(second.snapshotPath(0), folder(QStringLiteral("mk_001/mk0000.txt")));
    EXPECT_EQ(files(QStringLiteral("mk_000")),
              (QStringList{".lock", "index.txt", "mk0000.txt", "mk0001.txt", "notes.txt"}));
    chain->undoStep();
    EXPECT_EQ(chain->restoreShown().lines, step(0));
}

}  // namespace
}  // namespace petari
