// The main window's logic on documents: opening, the hexadecimal view,
// saving in the document's own encoding, the unsaved-change question, and
// moving between files.
#include "support/Fixture.h"
#include "support/ReadOnlyFolder.h"

#include "document/TextFile.h"
#include "editing/History.h"
#include "editing/UndoChain.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

using namespace petari;
using petari::test::Fixture;


TEST(Document, LoadsCp932AndLfOnlyFilesLineByLine)
{
    Fixture f;
    f.c->openDocument(f.writeFile("lf.txt", "one\ntwo\nthree\n"));
    EXPECT_EQ(f.c->lines().lines(), QStringList({"one", "two", "three"}));
    f.c->openDocument(f.writeFile("crlf.txt", "a\r\n\r\nb"));
    EXPECT_EQ(f.c->lines().lines(), QStringList({"a", "", "b"}));
    EXPECT_EQ(f.c->state().modified, 0);
}

TEST(Document, FoldsLongLinesWhenConfigured)
{
    Fixture f;
    f.setOption("s8", "1");
    f.setOption("s1", "3");
    f.c->openDocument(f.writeFile("long.txt", "abcdefg\r\n\r\n"));
    EXPECT_EQ(f.c->lines().lines(), QStringList({"abc", "def", "g", ""}));
    f.setOption("s1", "0");   // no width: no folding, and no endless loop
    f.c->openDocument(f.writeFile("long2.txt", "abcdefg\r\n"));
    EXPECT_EQ(f.c->lines().lines(), QStringList({"abcdefg"}));
}

TEST(Document, BadInputIsReportedAndTheDocumentStaysAsItWas)
{
    Fixture f;
    const QString good = f.writeFile("good.txt", "keep me\r\n");
    f.c->openDocument(good);
    QDir().mkpath(f.path("folder"));
    const QString cases[] = {f.path("missing.txt"), f.path("folder")};
    for (const QString& p : cases) {
        f.sink.got.clear();
        f.c->openDocument(p);
        ASSERT_EQ(f.sink.got.size(), 1u) << p.toStdString();
        EXPECT_EQ(f.c->lines().lines(), QStringList({"keep me"}));
        EXPECT_EQ(f.c->state().fileName, good);
    }
    EXPECT_EQ(f.c->history().count(), 1);
}

TEST(Document, HexViewOfTwentyAndSixteenBytes)
{
    Fixture f;
    f.c->openDocument(f.writeFile("b20.bin", "ABCDEFGHIJKLMNOPQRST"));
    f.c->reloadAsHex();
    ASSERT_EQ(f.c->lines().count(), 2);
    EXPECT_EQ(f.c->lines().line(0),
              "00000000 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50  ABCDEFGHIJKLMNOP");
    EXPECT_EQ(f.c->lines().line(1), QStringLiteral("00000010 51 52 53 54 ") + QString(57 - 21, ' ') + " QRST");
    EXPECT_TRUE(f.c->state().hexView);
    EXPECT_EQ(f.c->state().loadMode, 0);

    f.c->openDocument(f.writeFile("b16.bin", "ABCDEFGHIJKLMNOP"));
    EXPECT_FALSE(f.c->state().hexView);
    f.c->reloadAsHex();
    ASSERT_EQ(f.c->lines().count(), 2);
    EXPECT_TRUE(f.c->lines().line(1).startsWith("00000010"));
    EXPECT_EQ(f.c->lines().line(1).trimmed(), "00000010");
}

TEST(Document, SavingAHexViewNeverOverwritesTheViewedFile)
{
    Fixture f;
    const QString bin = f.writeFile("data.txt", "ABC");
    f.c->openDocument(bin);
    f.c->reloadAsHex();
    f.prompt.pushFileName(f.path("out.txt"));
    f.c->saveOver();
    ASSERT_FALSE(f.prompt.asked().empty());
    EXPECT_EQ(f.prompt.asked().back().kind, ScriptedPrompt::Asked::Save);
    EXPECT_EQ(f.prompt.asked().back().suggested, f.path("バイナリ表示001.txt"));
    EXPECT_EQ(Fixture::readFile(bin), "ABC");
    const QByteArray out = Fixture::readFile(f.path("out.txt"));
    EXPECT_TRUE(out.contains("00000000 41 42 43"));
}

TEST(Document, MacWriterBytes)
{
    Fixture f;
    f.c->document().insertText("a\r\nb");
    f.prompt.pushFileName(f.path("mac.txt"));
    f.c->saveAsMac();
    EXPECT_EQ(Fixture::readFile(f.path("mac.txt")), QByteArray("a\rb\r\r\n"));
    EXPECT_EQ(f.c->state().fileName, f.path("mac.txt"));
}

TEST(Document, SaveAskedForNonTxtNames)
{
    Fixture f;
    f.c->document().insertText("x");
    f.prompt.pushFileName(f.path("memo.TXT"));
    f.prompt.pushAnswer(Answer::No);
    f.c->saveAs();
    EXPECT_FALSE(QFileInfo::exists(f.path("memo.TXT")));
    ASSERT_EQ(f.prompt.asked().size(), 2u);
    EXPECT_EQ(f.prompt.asked()[1].defaultButton, Answer::No);
    f.prompt.clear();
    f.prompt.pushFileName(f.path("memo.txt"));
    f.c->saveAs();
    EXPECT_EQ(Fixture::readFile(f.path("memo.txt")), "x\r\n");
    EXPECT_EQ(f.prompt.asked().size(), 1u);
}

TEST(Document, OverwriteSaveOfALoadedFileNeedsNoDialogAndMakesABackup)
{
    Fixture f;
    const QString p = f.writeFile("doc.txt", "old\r\n");
    f.c->openDocument(p);
    f.c->document().insertText("new");
    f.c->document().commitEdit(f.c->state().fileName, Commit::Modified, "　追加　", HexView::Keep);
    f.c->saveOver();
    EXPECT_TRUE(f.prompt.asked().empty());
    EXPECT_EQ(Fixture::readFile(p), "old\r\nnew\r\n");
    EXPECT_EQ(f.c->state().modified, 0);
    // The backup holds the list as it was written.
    f.c->document().waitForWrites();
    EXPECT_EQ(Fixture::readFile(f.c->undo().backupPath(1)), "old\r\nnew\r\n");
}

TEST(Document, ExistingTargetAsksAndNoShowsTheDialogAgain)
{
    Fixture f;
    const QString existing = f.writeFile("exists.txt", "keep\r\n");
    f.c->document().insertText("x");
    f.prompt.pushFileName(existing);
    f.prompt.pushAnswer(Answer::No);
    f.prompt.pushFileName(f.path("other.txt"));
    f.c->saveAs();
    EXPECT_EQ(Fixture::readFile(existing), "keep\r\n");
    EXPECT_EQ(Fixture::readFile(f.path("other.txt")), "x\r\n");
    EXPECT_TRUE(f.prompt.asked()[1].text.startsWith(existing + "\r\nは既に存在します。"));
}

TEST(Document, AFailedSaveLeavesTheOldFileAndTheModifiedFlag)
{
    Fixture f;
    QDir().mkpath(f.path("ro"));
    const QString p = f.writeFile("ro/doc.txt", "old\r\n");
    f.c->openDocument(p);
    f.c->document().insertText("new");
    f.c->document().commitEdit(p, Commit::Modified, "　追加　", HexView::Keep);
    // A folder where the temporary file would go makes the atomic save fail
    // even for root; the target itself is then never touched.
    QFile::remove(p);
    QDir().mkpath(p);
    f.c->saveOver();
    EXPECT_FALSE(f.sink.got.empty());
    EXPECT_EQ(f.c->state().modified, 1);
    EXPECT_TRUE(QFileInfo(p).isDir());
}

TEST(Document, TextCp932CannotHoldIsNeverWrittenAsQuestionMarks)
{
    Fixture f;
    f.c->document().insertText(QStringLiteral("snow ☃ and 😀"));
    // Declined: nothing is written.
    f.prompt.pushFileName(f.path("u.txt"));
    f.prompt.pushAnswer(Answer::No);
    f.c->saveAs();
    EXPECT_FALSE(QFileInfo::exists(f.path("u.txt")));
    EXPECT_EQ(f.c->state().fileName, "");
    // Accepted: written as UTF-8, and read back whole.
    f.prompt.pushFileName(f.path("u.txt"));
    f.prompt.pushAnswer(Answer::Yes);
    f.c->saveAs();
    EXPECT_EQ(Fixture::readFile(f.path("u.txt")), QStringLiteral("snow ☃ and 😀\r\n").toUtf8());
    EXPECT_EQ(f.c->state().encoding, TextEncoding::Utf8);
    f.c->openDocument(f.path("u.txt"));
    EXPECT_EQ(f.c->lines().line(0), QStringLiteral("snow ☃ and 😀"));
}

TEST(Document, Utf8DocumentIsSavedAsUtf8)
{
    Fixture f;
    const QString p = f.writeFile("utf8.txt", QStringLiteral("日本語\n").toUtf8());
    f.c->openDocument(p);
    EXPECT_EQ(f.c->state().encoding, TextEncoding::Utf8);
    f.c->saveOver();
    EXPECT_EQ(Fixture::readFile(p), QStringLiteral("日本語\r\n").toUtf8());
}

TEST(Document, InvalidBytesAskBeforeOverwriting)
{
    Fixture f;
    const QString p = f.writeFile("bad.txt", QByteArray("ok\x80\xff\r\n", 6));
    f.c->openDocument(p);
    EXPECT_TRUE(f.c->state().hadInvalidBytes);
    f.prompt.pushAnswer(Answer::No);
    f.c->saveOver();
    EXPECT_EQ(Fixture::readFile(p), QByteArray("ok\x80\xff\r\n", 6));
}

TEST(Document, UnsavedChangeWarning)
{
    Fixture f;
    f.c->document().insertText("a");
    f.c->document().commitEdit("", Commit::Modified, "　追加　", HexView::Keep);
    // Cancel keeps everything.
    f.prompt.pushAnswer(Answer::Cancel);
    f.c->newDocument();
    EXPECT_EQ(f.c->lines().count(), 1);
    EXPECT_EQ(f.prompt.asked().back().text,
              "データが変更されています。\r\n保存しない場合、表示している内容が失われます。\r\n\r\n保存しますか?");
    // Yes with a cancelled save dialog must not throw the content away.
    f.prompt.pushAnswer(Answer::Yes);
    f.c->newDocument();
    EXPECT_EQ(f.c->lines().count(), 1);
    // No backs the content up and discards it.
    f.prompt.pushAnswer(Answer::No);
    f.c->newDocument();
    EXPECT_EQ(f.c->lines().count(), 0);
    f.c->document().waitForWrites();
    EXPECT_EQ(Fixture::readFile(f.c->undo().backupPath(1)), "a\r\n");
}

TEST(Document, TableBuilderWordingAndOverwriteWord)
{
    Fixture f;
    f.c->openDocument(f.writeFile("t.txt", "x\r\n"));
    f.c->state().modified = 2;
    f.prompt.pushAnswer(Answer::Cancel);
    EXPECT_EQ(f.c->document().confirmDiscard(), DiscardAnswer::KeepDocument);
    EXPECT_EQ(f.prompt.asked().back().text,
              "「ペタリ」のデータがここで作成された内容に置換えられます。\r\n保存しない場合、「ペタリ」の今のデータは失われます。"
              "\r\n\r\n「ペタリ」の今のデータを上書き保存しますか?");
    EXPECT_FALSE(f.c->state().overwrite);
}

TEST(Document, PreviousAndNextFileWrapAround)
{
    Fixture f;
    QDir().mkpath(f.path("dir"));
    for (const char* n : {"dir/a.txt", "dir/b.txt", "dir/c.txt"})
        f.writeFile(n, n);
    f.c->openDocument(f.path("dir/c.txt"));
    f.c->openNeighbour(+1);
    EXPECT_EQ(f.c->state().fileName, f.path("dir/a.txt"));
    f.c->openNeighbour(-1);
    EXPECT_EQ(f.c->state().fileName, f.path("dir/c.txt"));
    f.c->openNeighbour(-1);
    EXPECT_EQ(f.c->state().fileName, f.path("dir/b.txt"));
}

TEST(Document, DroppedFilesOpenOnlyTheFirst)
{
    Fixture f;
    const QString a = f.writeFile("a.txt", "A\r\n");
    const QString b = f.writeFile("b.txt", "B\r\n");
    f.c->openDropped({a, b, f.path("c.txt")});
    EXPECT_EQ(f.c->state().fileName, a);
    EXPECT_EQ(f.c->history().count(), 1);
}

TEST(Document, EditorGetsThePathAsOneArgument)
{
    Fixture f;
    QDir().mkpath(f.path("my editor"));
    const QString script = f.path("my editor/ed.sh");
    const QString out = f.path("args.txt");
    f.writeFile("my editor/ed.sh",
                ("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + out + "'\n").toUtf8());
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    f.setOption("exe1", script);
    const QString doc = f.writeFile("a doc with blanks.txt", "x\r\n");
    f.c->openDocument(doc);
    f.c->startEditor();
    // The editor runs on its own; give a loaded machine time to start it.
    for (int i = 0; i < 500 && Fixture::readFile(out) != (doc + "\n").toUtf8(); ++i)
        QThread::msleep(20);
    EXPECT_EQ(Fixture::readFile(out), (doc + "\n").toUtf8());
    EXPECT_TRUE(f.sink.got.empty());

    f.setOption("exe1", f.path("no such editor"));
    f.c->startEditor();
    ASSERT_EQ(f.sink.got.size(), 1u);
    EXPECT_EQ(f.sink.got[0].label, "F1 memotyou_Click");
}

