#include "editing/UndoChain.h"
#include "support/FailureNumber.h"
#include "platform/SettingsStore.h"
#include "document/TextFile.h"
#include "editing/WorkFolder.h"
#include "platform/Failure.h"
#include "support/OrdinaryUser.h"
#include "support/ReadOnlyFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>

namespace petari {
namespace {

const QString kOpen = QStringLiteral("　開く　");
const QString kDelete = QStringLiteral("　削除　");
const QString kAdd = QStringLiteral("　追加　");
const QString kSpaces = QStringLiteral("　　　　");

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

using test::failureNumber;

class UndoChainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        settings = std::make_unique<SettingsStore>(config.filePath(QStringLiteral("petari.ini")));
        chain = std::make_unique<UndoChain>(*settings, home.path());
    }
    QString work() const { return home.path() + QStringLiteral("/作・ペタリ"); }

    QTemporaryDir home, config;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<UndoChain> chain;
};

TEST_F(UndoChainTest, OpenDeleteUndoCaptions)
{
    chain->commit({"a", "b"}, 0, kOpen);
    chain->commit({"b"}, 1, kDelete);
    EXPECT_EQ(chain->undoCaption(), QStringLiteral("戻す　(　削除　)　1"));
    EXPECT_TRUE(chain->canUndo());
    EXPECT_EQ(chain->redoCaption(), QStringLiteral("進む　(　　　　)　0"));
    EXPECT_FALSE(chain->canRedo());

    const QString path = chain->undoStep();
    EXPECT_EQ(path, work() + QStringLiteral("/mk_000/mk0000.txt"));
    EXPECT_EQ(chain->loadSnapshot(path), (QStringList{"a", "b"}));
    EXPECT_EQ(chain->undoCaption(), QStringLiteral("戻す　(　開く　)　0"));
    EXPECT_FALSE(chain->canUndo());
    EXPECT_EQ(chain->redoCaption(), QStringLiteral("進む　(　削除　)　1"));
    EXPECT_TRUE(chain->canRedo());

    EXPECT_EQ(chain->loadSnapshot(chain->redoStep()), QStringList{"b"});
    EXPECT_EQ(chain->undoPosition(), 2);
}

TEST_F(UndoChainTest, ThreeEditsTwoUndosAndANewEditCutsRedo)
{
    chain->commit({"0"}, 0, kOpen);
    chain->commit({"1"}, 1, kAdd);
    chain->commit({"2"}, 1, kDelete);
    chain->commit({"3"}, 1, QStringLiteral("並べ替え"));
    EXPECT_EQ(chain->undoPosition(), 4);
    EXPECT_EQ(chain->undoNewest(), 3);
    EXPECT_EQ(chain->undoNames(),
              (QStringList{"", kOpen, kAdd, kDelete, QStringLiteral("並べ替え"), kSpaces}));
    chain->waitForWrites();
    for (int n = 0; n <= 3; ++n)
        EXPECT_TRUE(QFileInfo(chain->snapshotPath(n)).isFile()) << n;

    chain->undoStep();
    EXPECT_EQ(chain->loadSnapshot(chain->undoStep()), QStringList{"1"});
    EXPECT_EQ(chain->undoPosition(), 2);
    EXPECT_EQ(chain->redoCaption(), QStringLiteral("進む　(　削除　)　2"));

    chain->commit({"new"}, 1, QStringLiteral("　修正　"));
    EXPECT_EQ(chain->undoNewest(), 2);
    EXPECT_EQ(chain->undoPosition(), 3);
    EXPECT_FALSE(chain->canRedo());
    EXPECT_EQ(chain->undoCaption(), QStringLiteral("戻す　(　修正　)　2"));
    EXPECT_EQ(chain->redoCaption(), QStringLiteral("進む　(　　　　)　0"));
    EXPECT_EQ(chain->loadSnapshot(chain->snapshotPath(2)), QStringList{"new"});
    // the cut-off redo state is out of reach
    EXPECT_EQ(chain->loadSnapshot(chain->redoStep()), QStringList{"new"});
}

TEST_F(UndoChainTest, PointerStopsAtBothEnds)
{
    chain->commit({"x"}, 0, kOpen);
    EXPECT_EQ(chain->undoStep(), chain->snapshotPath(0));   // at 1: snapshot 0 again
    EXPECT_EQ(chain->undoPosition(), 1);
    EXPECT_EQ(chain->redoStep(), chain->snapshotPath(0));   // at newest + 1
    EXPECT_EQ(chain->undoPosition(), 1);

    // a change with modified 0 starts over at snapshot 0
    chain->commit({"y"}, 1, kAdd);
    chain->commit({"z"}, 0, QStringLiteral("新規作成"));
    EXPECT_EQ(chain->undoPosition(), 1);
    EXPECT_EQ(chain->undoNewest(), 0);
    EXPECT_FALSE(chain->canUndo());
    EXPECT_FALSE(chain->canRedo());
    EXPECT_EQ(chain->loadSnapshot(chain->snapshotPath(0)), QStringList{"z"});
}

TEST_F(UndoChainTest, StartupSnapshot)
{
    chain->startupSnapshot({});
    EXPECT_EQ(chain->undoPosition(), 1);
    EXPECT_EQ(chain->undoCaption(), QStringLiteral("戻す　(起動新規)　0"));
    chain->waitForWrites();
    EXPECT_EQ(bytesOf(chain->snapshotPath(0)), QByteArray());   // an empty list, an empty file
    EXPECT_TRUE(chain->loadSnapshot(chain->snapshotPath(0)).isEmpty());
}

TEST_F(UndoChainTest, FileNamesAndContents)
{
    EXPECT_EQ(chain->snapshotPath(12), work() + QStringLiteral("/mk_000/mk0012.txt"));
    EXPECT_EQ(chain->snapshotPath(10012), chain->snapshotPath(12));
    EXPECT_EQ(chain->backupPath(1), work() + QStringLiteral("/mk_backup/バックアップ001.txt"));

    const QStringList japanese{"日本語", "", "ｶﾀｶﾅ　全角", "last"};
    chain->commit(japanese, 0, kOpen);
    chain->waitForWrites();
    const QByteArray raw = bytesOf(chain->snapshotPath(0));
    EXPECT_FALSE(raw.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(raw.startsWith("\x93\xfa\x96\x7b\x8c\xea\r\n"));   // 日本語 in CP932
    EXPECT_TRUE(raw.endsWith("last\r\n"));
    EXPECT_EQ(chain->loadSnapshot(chain->snapshotPath(0)), japanese);

    // a line CP932 cannot hold must survive undo all the same
    const QStringList wide{"日本語", "𠮷野家 😀 한국어 café", "€"};
    chain->commit(wide, 1, kAdd);
    chain->waitForWrites();
    EXPECT_TRUE(bytesOf(chain->snapshotPath(1)).startsWith("\xEF\xBB\xBF"));
    chain->commit({"x"}, 1, kAdd);
    EXPECT_EQ(chain->loadSnapshot(chain->undoStep()), wide);
}

TEST_F(UndoChainTest, EveryCharacterComesBackUnchanged)
{
    struct Case { QStringList lines; bool bom; };
    const Case cases[] = {
        {{QStringLiteral("ﾃｽ")}, false},          // CP932 bytes that would pass for UTF-8
        {{QStringLiteral("波〜ダッシュ")}, true},   // U+301C would come back as ～
        {{QStringLiteral("～－¥")}, true},         // ¥ is written as a backslash byte
        {{QStringLiteral("～－")}, false},
        {{QString(), QString()}, false},
        {{QStringLiteral("\uFFFD")}, true},
        // U+FEFF right after the file's mark and at a later line's start.
        {{QStringLiteral("\uFEFFa"), QStringLiteral("\uFEFF")}, true},
    };
    for (const Case& c : cases) {
        chain->commit(c.lines, 0, kOpen);
        chain->waitForWrites();
        const QString path = chain->snapshotPath(0);
        EXPECT_EQ(bytesOf(path).startsWith("\xEF\xBB\xBF"), c.bom) << c.lines.join('|').toStdString();
        EXPECT_EQ(chain->loadSnapshot(path), c.lines);
    }
}

TEST_F(UndoChainTest, BeyondTenThousandSnapshotsTheReusedFileIsNotTakenForTheOldOne)
{
    chain->commit({"0"}, 0, kOpen);
    for (int n = 1; n <= 10000; ++n)
        chain->commit({QString::number(n)}, 1, kAdd);
    EXPECT_EQ(chain->undoNewest(), 10000);
    EXPECT_EQ(chain->snapshotPath(10000), chain->snapshotPath(0));
    EXPECT_TRUE(chain->isSnapshotAvailable(10000));
    EXPECT_FALSE(chain->isSnapshotAvailable(0));
    EXPECT_TRUE(chain->isSnapshotAvailable(1));
    for (int i = 0; i < 9999; ++i)
        chain->undoStep();
    EXPECT_EQ(chain->loadSnapshot(chain->snapshotPath(1)), QStringList{"1"});
    // one more step back reaches number 0, whose file now holds number 10000
    const QString path = chain->undoStep();
    EXPECT_EQ(chain->undoPosition(), 1);
    EXPECT_EQ(failureNumber([&] { chain->loadSnapshot(path); }), 53);
}

TEST_F(UndoChainTest, DescriptionFileComesBackAfterDeletion)
{
    const QString description = work() + QStringLiteral("/このフォルダの説明.txt");
    chain->commit({"a"}, 0, kOpen);
    ASSERT_TRUE(QFileInfo(description).isFile());
    QFile::remove(description);
    chain->commit({"b"}, 1, kAdd);
    EXPECT_TRUE(QFileInfo(description).isFile());
    EXPECT_EQ(readTextFile(description).lines.size(), 12);
}

TEST_F(UndoChainTest, BackupsFollowTheSettingAndTheCounterWraps)
{
    settings->write(QStringLiteral("F5"), QStringLiteral("s7"), QStringLiteral("0"));
    EXPECT_EQ(chain->takeBackup({"a"}), QString());
    EXPECT_FALSE(QFileInfo::exists(work() + QStringLiteral("/mk_backup")));
    EXPECT_FALSE(settings->contains(QStringLiteral("M2"), QStringLiteral("backup")));

    settings->write(QStringLiteral("F5"), QStringLiteral("s7"), QStringLiteral("1"));
    const QString first = chain->takeBackup({"a", "b"});
    EXPECT_EQ(first, work() + QStringLiteral("/mk_backup/バックアップ001.txt"));
    chain->waitForWrites();
    EXPECT_EQ(bytesOf(first), QByteArray("a\r\nb\r\n"));
    EXPECT_EQ(settings->read(QStringLiteral("M2"), QStringLiteral("backup")), QStringLiteral("2"));

    settings->write(QStringLiteral("M2"), QStringLiteral("backup"), QStringLiteral("255"));
    EXPECT_TRUE(chain->takeBackup({"c"}).endsWith(QStringLiteral("バックアップ255.txt")));
    EXPECT_EQ(settings->read(QStringLiteral("M2"), QStringLiteral("backup")), QStringLiteral("1"));
    EXPECT_TRUE(chain->takeBackup({"d"}).endsWith(QStringLiteral("バックアップ001.txt")));
    chain->waitForWrites();
    EXPECT_EQ(readTextFile(first).lines, QStringList{"d"});

    // a counter edited out of range starts again at 1
    settings->write(QStringLiteral("M2"), QStringLiteral("backup"), QStringLiteral("900"));
    EXPECT_TRUE(chain->takeBackup({"e"}).endsWith(QStringLiteral("バックアップ001.txt")));

    // backups are not undo steps
    EXPECT_EQ(chain->undoPosition(), 0);
}

TEST_F(UndoChainTest, MissingSnapshotAtUndoIsFileNotFound)
{
    chain->commit({"a"}, 0, kOpen);
    chain->commit({"b"}, 1, kAdd);
    chain->waitForWrites();
    QFile::remove(chain->snapshotPath(0));
    const QString path = chain->undoStep();
    EXPECT_EQ(failureNumber([&] { chain->loadSnapshot(path); }), 53);
    EXPECT_EQ(chain->undoPosition(), 1);   // the pointer keeps its new value
}

TEST_F(UndoChainTest, AnOldRunsSnapshotIsNeverTakenForThisOne)
{
    QDir().mkpath(work() + QStringLiteral("/mk_000"));
    {
        QFile f(chain->snapshotPath(0));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("from an earlier run\r\n");
    }
    // nothing written in this run yet: redo lands on snapshot 0
    EXPECT_EQ(failureNumber([&] { chain->loadSnapshot(chain->redoStep()); }), 53);
}

TEST_F(UndoChainTest, FailedSnapshotKeepsNamesAlignedAndReportsNotFoundAtUndo)
{
    chain->commit({"a"}, 0, kOpen);
    // a folder where snapshot 1 should go makes just that write fail
    ASSERT_TRUE(QDir().mkpath(chain->snapshotPath(1)));
    EXPECT_NE(failureNumber([&] {
                  chain->commit({"b"}, 1, kAdd);
                  chain->finishWrites();
              }),
              0);
    EXPECT_EQ(chain->undoPosition(), 2);
    EXPECT_EQ(chain->undoNewest(), 1);
    EXPECT_EQ(chain->undoCaption(), QStringLiteral("戻す　(　追加　)　1"));
    EXPECT_FALSE(chain->isSnapshotAvailable(1));

    chain->commit({"c"}, 1, kDelete);   // snapshot 2 is fine
    EXPECT_EQ(chain->undoCaption(), QStringLiteral("戻す　(　削除　)　2"));
    EXPECT_EQ(failureNumber([&] { chain->loadSnapshot(chain->undoStep()); }), 53);
    EXPECT_EQ(chain->loadSnapshot(chain->undoStep()), QStringList{"a"});
    EXPECT_EQ(chain->loadSnapshot(chain->snapshotPath(2)), QStringList{"c"});
}

TEST_F(UndoChainTest, CutOffRedoFileIsNotTakenForAFailedSnapshot)
{
    chain->commit({"a"}, 0, kOpen);
    chain->commit({"b"}, 1, kAdd);       // snapshot 1 = b
    chain->waitForWrites();
    chain->undoStep();
    // the next snapshot cannot be written: mk_000 is briefly a file
    const QString folder = work() + QStringLiteral("/mk_000");
    ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".away")));
    {
        QFile f(folder);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(failureNumber([&] { chain->commit({"c"}, 1, kDelete); }), 75);
    EXPECT_EQ(chain->undoNewest(), 1);
    EXPECT_EQ(chain->undoCaption(), QStringLiteral("戻す　(　削除　)　1"));
    // the old "b" is back on disk under number 1, but it is not this step
    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(QDir().rename(folder + QStringLiteral(".away"), folder));
    ASSERT_TRUE(QFileInfo(chain->snapshotPath(1)).isFile());
    EXPECT_EQ(failureNumber([&] { chain->loadSnapshot(chain->snapshotPath(1)); }), 53);
    EXPECT_EQ(chain->loadSnapshot(chain->undoStep()), QStringList{"a"});
}

TEST_F(UndoChainTest, FileWhereTheWorkFolderShouldBe)
{
    {
        QFile f(work());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(failureNumber([&] { chain->commit({"a"}, 0, kOpen); }), 75);
    EXPECT_EQ(chain->undoPosition(), 1);
    EXPECT_EQ(chain->undoCaption(), QStringLiteral("戻す　(　開く　)　0"));
    EXPECT_EQ(failureNumber([&] { chain->takeBackup({"a"}); }), 75);
    EXPECT_EQ(failureNumber([&] { chain->loadSnapshot(chain->undoStep()); }), 53);
}

TEST_F(UndoChainTest, ProgramFolderThatIsAFileOrMissing)
{
    // a file in place of the program folder
    const QString notAFolder = home.filePath(QStringLiteral("petari-binary"));
    {
        QFile f(notAFolder);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    UndoChain blocked(*settings, notAFolder);
    EXPECT_EQ(failureNumber([&] { blocked.commit({"a"}, 0, kOpen); }), 76);
    EXPECT_EQ(blocked.undoPosition(), 1);
    UndoChain nowhere(*settings, home.filePath(QStringLiteral("gone")));
    EXPECT_EQ(failureNumber([&] { nowhere.takeBackup({"a"}); }), 76);
}

TEST_F(UndoChainTest, ReadOnlyProgramFolder)
{
    // Root ignores folder rights: the steps run as an ordinary user, in
    // folders of that user's own.
    test::OrdinaryUser user;
    if (!user.ordinary())
        GTEST_SKIP() << "root cannot act as an ordinary user here (setresuid refused)";
    QTemporaryDir own;
    ASSERT_TRUE(own.isValid()) << "no temporary folder an ordinary user may write in";
    const auto settings = std::make_unique<SettingsStore>(own.filePath(QStringLiteral("petari.ini")));
    // a read-only program folder, where the rights are enforced
    const QString ro = own.filePath(QStringLiteral("ro"));
    ASSERT_TRUE(QDir().mkdir(ro));
    QFile::setPermissions(ro, QFile::ReadOwner | QFile::ExeOwner);
    const bool enforced = ::access(QFile::encodeName(ro).constData(), W_OK) != 0;
    if (enforced) {
        UndoChain readOnly(*settings, ro);
        EXPECT_EQ(failureNumber([&] { readOnly.commit({"a"}, 0, kOpen); }), 70);
        EXPECT_EQ(failureNumber([&] { readOnly.takeBackup({"a"}); }), 70);
    }
    QFile::setPermissions(ro, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (enforced) {
        // the folders exist, but the snapshot folder is read-only
        UndoChain readOnly(*settings, ro);
        readOnly.commit({"a"}, 0, kOpen);
        readOnly.waitForWrites();
        const QString mk000 = ro + QStringLiteral("/作・ペタリ/mk_000");
        QFile::setPermissions(mk000, QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_EQ(failureNumber([&] {
                      readOnly.commit({"b"}, 1, kAdd);
                      readOnly.finishWrites();
                  }),
                  70);
        QFile::setPermissions(mk000, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(readOnly.loadSnapshot(readOnly.undoStep()), QStringList{"a"});
    }
    if (!enforced)
        GTEST_SKIP() << "running with rights that ignore folder permissions";
}

}  // namespace
}  // namespace petari

namespace petari {
namespace {

// A thousand lines, and the same list with one line taken out: the states
// of single-line edits, sharing their line texts as the document's do.
QStringList withoutLine(const QStringList& base, int row)
{
    QStringList lines = base;
    lines.removeAt(row);
    return lines;
}

TEST_F(UndoChainTest, RecentStepsComeFromMemoryAndOlderOnesFromTheirFiles)
{
    QStringList base;
    for (int i = 0; i < 1000; ++i)
        base << QStringLiteral("行 %1").arg(i);
    // Room for three states of about a thousand lines (each list here is
    // made anew, so no state shares its chunks with another).
    const qint64 perState = LineText(base).memoryBytes();
    chain->setMemoryBudget(3 * perState);
    QList<QStringList> states{base};
    chain->commit(base, 0, kOpen);
    for (int n = 1; n <= 5; ++n) {
        states << withoutLine(states.last(), 100 + n);
        chain->commit(states.last(), 1, kDelete);
    }
    chain->waitForWrites();
    EXPECT_LE(chain->memoryInUse(), chain->memoryBudget());
    EXPECT_TRUE(chain->isInMemory(5));
    EXPECT_TRUE(chain->isInMemory(4));
    EXPECT_FALSE(chain->isInMemory(1));
    // Every file written whole, in order.
    for (int n = 0; n <= 5; ++n)
        EXPECT_EQ(chain->loadSnapshot(chain->snapshotPath(n)), states[n]) << n;

    // With the files gone, the kept steps still come back; the others do not.
    for (int n = 0; n <= 5; ++n)
        QFile::remove(chain->snapshotPath(n));
    chain->undoStep();
    EXPECT_EQ(chain->restoreShown().lines, states[4]);
    chain->undoStep();
    EXPECT_EQ(chain->restoreShown().lines, states[3]);
    chain->redoStep();
    EXPECT_EQ(chain->restoreShown().lines, states[4]);
    for (int i = 0; i < 3; ++i)
        chain->undoStep();
    EXPECT_EQ(failureNumber([&] { chain->restoreShown(); }), 53);
}

TEST_F(UndoChainTest, AStepCostsItsPiecesNotTheChunksItSharesWithTheShownState)
{
    QStringList base;
    for (int i = 0; i < 20000; ++i)
        base << QStringLiteral("行 %1").arg(i);
    LineText shown(base);
    chain->commit(shown, 0, kOpen);
    shown.remove(100);
    chain->commit(shown, 1, kDelete);
    // The state before the delete holds the same chunks: what it adds is
    // its own list of pieces, well under a kilobyte beside 200 KB of text.
    EXPECT_GT(shown.memoryBytes(), 200000);
    EXPECT_LT(chain->memoryInUse(), 1000);
    chain->undoStep();
    EXPECT_EQ(chain->restoreShown().lines.size(), 20000);
    EXPECT_LT(chain->memoryInUse(), 1000);
}

TEST_F(UndoChainTest, AStepBeyondTheBudgetIsReadFromItsFile)
{
    chain->setMemoryBudget(0);
    chain->commit({"a", "b"}, 0, kOpen);
    chain->commit({"b"}, 1, kDelete);
    chain->waitForWrites();
    EXPECT_FALSE(chain->isInMemory(0));
    chain->undoStep();
    const UndoChain::Restored back = chain->restoreShown();
    EXPECT_EQ(back.lines, (QStringList{"a", "b"}));
    EXPECT_FALSE(back.stats.has_value());   // nothing known: the caller looks at the lines
    // A file spoilt after it was written is refused, not taken for the list.
    chain->redoStep();
    {
        QFile f(chain->snapshotPath(1));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\x81\xff\r\n");
    }
    EXPECT_EQ(failureNumber([&] { chain->restoreShown(); }), 75);
}

}  // namespace
}  // namespace petari

namespace petari {
namespace {

// Two running copies (two chains on one program folder) each claim a
// snapshot folder of their own, and neither undoes into the other's.
TEST_F(UndoChainTest, EachRunningCopyHasASnapshotFolderOfItsOwn)
{
    UndoChain other(*settings, home.path());
    chain->setMemoryBudget(0);
    other.setMemoryBudget(0);
    chain->commit({"A"}, 0, kOpen);
    chain->commit({"A", "a"}, 1, kAdd);
    other.commit({"B"}, 0, kOpen);
    other.commit({"B", "b"}, 1, kAdd);
    chain->waitForWrites();
    other.waitForWrites();
    EXPECT_EQ(chain->snapshotPath(0), work() + QStringLiteral("/mk_000/mk0000.txt"));
    EXPECT_EQ(other.snapshotPath(0), work() + QStringLiteral("/mk_001/mk0000.txt"));
    chain->undoStep();
    EXPECT_EQ(chain->restoreShown().lines, QStringList{"A"});
    other.undoStep();
    EXPECT_EQ(other.restoreShown().lines, QStringList{"B"});
    // A copy that is told its number starts there; a taken one is passed.
    UndoChain third(*settings, home.path());
    third.setCopyNumber(1);
    third.commit({"C"}, 0, kOpen);
    EXPECT_EQ(third.snapshotPath(0), work() + QStringLiteral("/mk_002/mk0000.txt"));
}

// A snapshot cut short on a line boundary is still valid text: only its
// recorded length and checksum show it is not what was written.
TEST_F(UndoChainTest, ASnapshotThatIsNotWhatWasWrittenIsRefused)
{
    chain->setMemoryBudget(0);
    chain->commit({"one", "two", "three"}, 0, kOpen);
    chain->commit({"one"}, 1, kDelete);
    chain->waitForWrites();
    const QString index = work() + QStringLiteral("/mk_000/index.txt");
    EXPECT_TRUE(bytesOf(index).contains("mk0000.txt 17 ")) << bytesOf(index).toStdString();
    {
        QFile f(chain->snapshotPath(0));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("one\r\ntwo\r\n");
    }
    const QString path = chain->undoStep();
    EXPECT_EQ(failureNumber([&] { chain->restoreShown(); }), 75);
    EXPECT_EQ(failureNumber([&] { chain->loadSnapshot(path); }), 75);
    // the same length with other bytes
    {
        QFile f(chain->snapshotPath(0));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("one\r\ntwo\r\nthreX\r\n");
    }
    EXPECT_EQ(failureNumber([&] { chain->loadSnapshot(path); }), 75);
}

// Backups never write through a symbolic link, and a work sub-folder that
// is a link is refused.
TEST_F(UndoChainTest, BackupsAndSnapshotsNeverGoThroughSymbolicLinks)
{
    const QString victim = home.filePath(QStringLiteral("victim.txt"));
    {
        QFile f(victim);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("precious\r\n");
    }
    ASSERT_TRUE(QDir().mkpath(work() + QStringLiteral("/mk_backup")));
    ASSERT_TRUE(QFile::link(victim, chain->backupPath(1)));
    EXPECT_EQ(chain->takeBackup({"document"}), chain->backupPath(1));
    chain->finishWrites();
    EXPECT_EQ(bytesOf(victim), QByteArray("precious\r\n"));
    EXPECT_FALSE(QFileInfo(chain->backupPath(1)).isSymLink());
    EXPECT_EQ(bytesOf(chain->backupPath(1)), QByteArray("document\r\n"));

    // mk_backup and mk_000 as links to another folder
    const QString elsewhere = home.filePath(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QDir(work() + QStringLiteral("/mk_backup")).removeRecursively());
    ASSERT_TRUE(QFile::link(elsewhere, work() + QStringLiteral("/mk_backup")));
    EXPECT_EQ(failureNumber([&] { chain->takeBackup({"x"}); }), 75);
    ASSERT_TRUE(QFile::link(elsewhere, work() + QStringLiteral("/mk_000")));
    EXPECT_EQ(failureNumber([&] { chain->commit({"x"}, 0, kOpen); }), 75);
    chain->waitForWrites();
    EXPECT_TRUE(QDir(elsewhere).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

}  // namespace
}  // namespace petari

namespace petari {
namespace {

// Settings that cannot be saved keep the backup counter at 1 run after run:
// the newest backup file then says which number comes next.
TEST_F(UndoChainTest, ABackupCounterThatCannotBeStoredDoesNotOverwriteTheNewestBackup)
{
    test::ReadOnlyFolder config(home.filePath(QStringLiteral("ro")), QStringLiteral("petari.ini"), "[F5]\ns7=1\n");
    if (!config.mounted())
        GTEST_SKIP() << "cannot mount a read-only tmpfs here";
    // Each run reads the file anew (another path to it, so no cached copy).
    ASSERT_TRUE(QFile::link(home.filePath(QStringLiteral("ro")), home.filePath(QStringLiteral("ro2"))));
    for (const char* folder : {"ro", "ro2"}) {
        SettingsStore store(home.filePath(QString::fromLatin1(folder) + QStringLiteral("/petari.ini")));
        UndoChain run(store, home.path());
        run.takeBackup({QString::fromLatin1(folder)});
        run.finishWrites();
        EXPECT_FALSE(store.isWritable());
    }
    EXPECT_EQ(readTextFile(chain->backupPath(1)).lines, QStringList{"ro"});
    EXPECT_EQ(readTextFile(chain->backupPath(2)).lines, QStringList{"ro2"});
}

}  // namespace
}  // namespace petari
