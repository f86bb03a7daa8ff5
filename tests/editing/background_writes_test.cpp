// The document's snapshots and backups go to the disk on the writer thread;
// what fails there is reported on the document's thread, under the label
// and number a write on that thread would have had.

#include "editing/Document.h"
#include "editing/UndoChain.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace petari {
namespace {

struct Reported {
    QString label;
    int number;
};

class Sink : public ErrorSink {
public:
    void report(const QString& label, int number, const QString&) override { got.push_back({label, number}); }
    std::vector<Reported> got;
};

struct Writes : ::testing::Test {
    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(QStringLiteral("config/petari.ini"))};
    ScriptedPrompt prompt;
    Sink sink;
    Document doc{settings, prompt, dir.filePath(QStringLiteral("home"))};

    void SetUp() override
    {
        QDir().mkpath(dir.filePath(QStringLiteral("home")));
        setErrorSink(&sink);
    }
    void TearDown() override { setErrorSink(nullptr); }

    void add(const QString& line)
    {
        doc.insertText(line);
        doc.commitEdit(QString(), Commit::Modified, QStringLiteral("　追加　"), HexView::Keep);
    }
};

TEST_F(Writes, AFailedWriteIsReportedOnTheDocumentsThreadAndTheStepStaysInMemory)
{
    doc.commitEdit(QString(), Commit::Unmodified, QStringLiteral("新規作成"), HexView::Drop);
    doc.waitForWrites();
    // A folder where snapshot 1 goes: only the writer thread finds out.
    ASSERT_TRUE(QDir().mkpath(doc.undo().snapshotPath(1)));
    add(QStringLiteral("one"));
    add(QStringLiteral("two"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !sink.got.empty(); }, 20000));
    ASSERT_EQ(sink.got.size(), 1u);
    EXPECT_EQ(sink.got[0].label, QStringLiteral("M2 mokoBU"));
    EXPECT_EQ(sink.got[0].number, 75);
    EXPECT_FALSE(doc.undo().isSnapshotAvailable(1));
    // The step whose file failed is still kept, and nothing is lost.
    doc.undoRedo(UndoStep::Undo);
    EXPECT_EQ(doc.lines().lines(), QStringList{"one"});
    doc.undoRedo(UndoStep::Redo);
    EXPECT_EQ(doc.lines().lines(), (QStringList{"one", "two"}));
    EXPECT_EQ(sink.got.size(), 1u);
}

TEST_F(Writes, OpeningAnotherDocumentFindsEveryEarlierWriteOnTheDisk)
{
    for (int i = 0; i < 20; ++i)
        add(QString::number(i));
    const QString other = dir.filePath(QStringLiteral("other.txt"));
    {
        QFile f(other);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x\r\n");
    }
    doc.state().modified = 0;
    doc.open(other);
    // The old history's files are whole before the new history began.
    // At most the opened file's own, which may well be done already.
    EXPECT_LE(doc.undo().pendingWrites(), 1);
    doc.waitForWrites();
    EXPECT_EQ(doc.undo().pendingWrites(), 0);
    EXPECT_EQ(doc.undo().loadSnapshot(doc.undo().snapshotPath(0)), QStringList{"x"});
    // The old history's files, which no step reaches any more, are gone
    // once written: removal never overtakes a write.
    EXPECT_FALSE(QFile::exists(doc.undo().snapshotPath(19)));
    EXPECT_TRUE(sink.got.empty());
}

}  // namespace
}  // namespace petari
