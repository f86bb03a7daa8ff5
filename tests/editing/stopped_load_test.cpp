// A file being read when the program is told to end: the read stops, and
// nothing of the half-read file is shown, committed or written to disk.
#include "document/FileBytes.h"
#include "document/TextFile.h"
#include "editing/Document.h"
#include "editing/UndoChain.h"
#include "platform/SettingsStore.h"
#include "platform/TerminationSignals.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

using namespace petari;

namespace {

struct Sink : ErrorSink {
    void report(const QString&, int number, const QString&) override { numbers.push_back(number); }
    std::vector<int> numbers;
};

std::atomic<int> g_checks{0};
int g_stopAfter = 0;
bool stopAfterSome() { return ++g_checks > g_stopAfter; }

// 12 MB of lines "line 0000000\r\n": several pieces to decode and to read.
QByteArray manyLines()
{
    QByteArray bytes;
    for (int i = 0; i < 900000; ++i)
        bytes += "line " + QByteArray::number(i).rightJustified(7, '0') + "\r\n";
    return bytes;
}

TEST(StoppedLoad, AStopAfterTheFirstMegabytesEndsTheDecoding)
{
    for (const int allowed : {0, 3}) {
        FileBytes bytes;
        const QByteArray text = manyLines();
        bytes.resize(text.size());
        std::memcpy(bytes.data(), text.constData(), size_t(text.size()));
        g_checks = 0;
        g_stopAfter = allowed;
        EXPECT_THROW(decodeFileBytes(bytes, false, nullptr, stopAfterSome), ReadStopped) << allowed;
    }
    // Never asked to stop, the same bytes read whole.
    FileBytes bytes;
    const QByteArray text = manyLines();
    bytes.resize(text.size());
    std::memcpy(bytes.data(), text.constData(), size_t(text.size()));
    EXPECT_EQ(decodeFileBytes(bytes, false, nullptr, [] { return false; }).lines.size(), 900000);
}

TEST(StoppedLoad, TheFileReadStopsBetweenPieces)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("big.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray text = manyLines();
    f.write(text);
    f.close();
    g_checks = 0;
    g_stopAfter = 0;
    EXPECT_THROW(readFileBuffer(f.fileName(), TextFileLimit, stopAfterSome), ReadStopped);
    EXPECT_EQ(g_checks, 1);   // asked once the first piece is in
    EXPECT_EQ(readFileBuffer(f.fileName(), TextFileLimit, [] { return false; }).size(), text.size());
}

TEST(StoppedLoad, ADocumentOpenedAfterTheSignalStaysAsItWasWithoutASnapshot)
{
    QTemporaryDir dir;
    SettingsStore settings{dir.filePath("petari.ini")};
    ScriptedPrompt prompt;
    Sink sink;
    setErrorSink(&sink);
    QDir().mkpath(dir.filePath("home"));
    {
        Document doc{settings, prompt, dir.filePath("home")};
        QFile f(dir.filePath("a.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("one\r\ntwo\r\n");
        f.close();
        setTerminationRequested(true);
        doc.open(f.fileName());
        setTerminationRequested(false);
        EXPECT_EQ(doc.lines().count(), 0);
        EXPECT_TRUE(doc.state().fileName.isEmpty());
        EXPECT_EQ(doc.undo().undoPosition(), 0);   // no commit, no snapshot
        EXPECT_FALSE(QFileInfo::exists(doc.undo().snapshotPath(0)));
        EXPECT_TRUE(prompt.asked().empty());        // ending quietly, no message
        EXPECT_TRUE(sink.numbers.empty());
        // Not told to end, the same file opens.
        doc.open(f.fileName());
        EXPECT_EQ(doc.lines().count(), 2);
        EXPECT_EQ(doc.undo().undoPosition(), 1);
    }
    setErrorSink(nullptr);
}

}  // namespace
