#include "support/Fixture.h"
#include "support/ReadOnlyFolder.h"

#include "document/TextFile.h"
#include "editing/Favourites.h"
#include "editing/History.h"
#include "editing/UndoChain.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

using namespace petari;
using petari::test::Fixture;

// ---------------------------------------------------------------- start-up and exit

TEST(StartUp, FirstStartWithAnEmptyStore)
{
    Fixture f;
    InstanceRegistry reg(f.path("run"));
    ASSERT_TRUE(f.c->startUp({}, reg));
    const TwipsRect r = f.c->view().geometryTwips();
    EXPECT_EQ(r.top, 105);
    EXPECT_EQ(r.left, 105);
    EXPECT_EQ(r.width, 7000);
    EXPECT_EQ(r.height, 5000);
    EXPECT_EQ(f.c->state().fileName, "");
    EXPECT_EQ(f.settings->read("A1", "No"), "1");
    EXPECT_EQ(f.c->undo().undoName(1), "起動新規");
    EXPECT_TRUE(f.prompt.asked().empty());
    EXPECT_TRUE(f.c->confirmClose());
    EXPECT_EQ(f.settings->read("A1", "No"), "0");
    EXPECT_EQ(f.settings->read("F1", "Width"), "7000");
    EXPECT_EQ(f.settings->read("ver", "revision"), "167");
}

TEST(StartUp, ExitLeavesEverySnapshotOnTheDisk)
{
    Fixture f;
    InstanceRegistry reg(f.path("run"));
    ASSERT_TRUE(f.c->startUp({f.writeFile("big.txt", QByteArray("line\r\n").repeated(20000))}, reg));
    for (int i = 0; i < 10; ++i) {
        f.select({i});
        f.c->deleteLines();
    }
    EXPECT_TRUE(f.c->confirmClose());
    EXPECT_EQ(f.c->undo().pendingWrites(), 0);
    EXPECT_EQ(Fixture::readFile(f.c->undo().snapshotPath(10)), QByteArray("line\r\n").repeated(19990));
    EXPECT_TRUE(f.sink.got.empty());
}

TEST(StartUp, ASettingsFileThatCannotBeWrittenIsReportedOnceAtExit)
{
    Fixture f;
    test::ReadOnlyFolder config(f.path("ro"), "petari.ini", "[F1]\nWidth=8000\n");
    if (!config.mounted())
        GTEST_SKIP() << "cannot mount a read-only tmpfs here";
    SettingsStore readOnly(f.path("ro/petari.ini"));
    MainController c(readOnly, f.prompt, f.clipboard, f.path("home"));
    InstanceRegistry reg(f.path("run"));
    ASSERT_TRUE(c.startUp({}, reg));
    EXPECT_TRUE(c.confirmClose());
    ASSERT_EQ(f.sink.got.size(), 1u);
    EXPECT_EQ(f.sink.got[0].label, "F1 RgsKaki");
    EXPECT_EQ(f.sink.got[0].number, 70);
    EXPECT_TRUE(f.sink.got[0].description.contains(f.path("ro/petari.ini")));
}

TEST(StartUp, ASettingsPathThatIsAFolderIsReportedAtStartAndNotAtExit)
{
    Fixture f;
    ASSERT_TRUE(QDir().mkpath(f.path("folder/petari.ini")));
    SettingsStore refused(f.path("folder/petari.ini"));
    MainController c(refused, f.prompt, f.clipboard, f.path("home"));
    InstanceRegistry reg(f.path("run"));
    ASSERT_TRUE(c.startUp({}, reg));
    ASSERT_EQ(f.prompt.asked().size(), 1u);
    EXPECT_TRUE(f.prompt.asked()[0].text.endsWith(f.path("folder/petari.ini")));
    EXPECT_TRUE(c.confirmClose());
    EXPECT_EQ(f.prompt.asked().size(), 1u);
    EXPECT_TRUE(f.sink.got.empty());
}

TEST(StartUp, CommandLineBeatsTheStartUpFile)
{
    Fixture f;
    const QString cmd = f.writeFile("cmd file.txt", "from command line\r\n");
    const QString start = f.writeFile("start.txt", "start-up file\r\n");
    f.setOption("s2", "1");
    f.setOption("s3", start);
    InstanceRegistry reg(f.path("run"));
    ASSERT_TRUE(f.c->startUp({cmd}, reg));
    EXPECT_EQ(f.c->state().fileName, cmd);
    ASSERT_EQ(f.c->lines().count(), 1);
    EXPECT_EQ(f.c->lines().line(0), "from command line");
    EXPECT_EQ(f.c->history().item(1), cmd);
}

TEST(StartUp, StartUpFileWhenNoArgument)
{
    Fixture f;
    const QString start = f.writeFile("start.txt", "start-up file\r\n");
    f.setOption("s2", "1");
    f.setOption("s3", start);
    InstanceRegistry reg(f.path("run"));
    ASSERT_TRUE(f.c->startUp({}, reg));
    EXPECT_EQ(f.c->state().fileName, start);
}

TEST(StartUp, MissingCommandLineFileIsReportedAndStartUpGoesOn)
{
    Fixture f;
    InstanceRegistry reg(f.path("run"));
    const QString missing = f.path("nope.txt");
    ASSERT_TRUE(f.c->startUp({missing}, reg));
    ASSERT_EQ(f.sink.got.size(), 1u);
    EXPECT_EQ(f.sink.got[0].number, 53);
    EXPECT_EQ(f.sink.got[0].label, QStringLiteral("F1 fload　") + missing);
    EXPECT_EQ(f.c->state().fileName, "");
    EXPECT_EQ(f.c->undo().undoName(1), "起動新規");
}

TEST(StartUp, RefusedSecondCopyWritesNothing)
{
    Fixture f;
    f.setOption("s6", "1");
    f.settings->write("A1", "No", "1");
    f.settings->sync();
    const QByteArray before = Fixture::readFile(f.settings->path());
    InstanceRegistry first(f.path("run"));
    ASSERT_TRUE(first.acquire());

    InstanceRegistry second(f.path("run"));
    EXPECT_FALSE(f.c->startUp({}, second));
    EXPECT_EQ(f.c->exitState(), ExitState::Forced);
    EXPECT_TRUE(f.c->confirmClose());
    f.settings->sync();
    EXPECT_EQ(Fixture::readFile(f.settings->path()), before);
}

TEST(StartUp, SecondCopyIsOffsetAndSeventhFallsBackToOne)
{
    Fixture f;
    InstanceRegistry first(f.path("run"));
    ASSERT_TRUE(first.acquire());
    struct Case { const char* stored; int instance; int top; };
    for (const Case& c : {Case{"1", 1, 405}, Case{"2", 2, 705}, Case{"6", 1, 405}}) {
        f.settings->write("A1", "No", c.stored);
        MainController ctl(*f.settings, f.prompt, f.clipboard, f.path("home"));
        InstanceRegistry reg(f.path("run"));
        ASSERT_TRUE(ctl.startUp({}, reg));
        EXPECT_EQ(ctl.instanceNumber(), c.instance) << c.stored;
        EXPECT_EQ(ctl.view().geometryTwips().top, c.top) << c.stored;
        EXPECT_EQ(f.settings->read("A1", "No"), QString::number(c.instance + 1));
    }
}

TEST(StartUp, CorruptInstanceCounterIsReported)
{
    Fixture f;
    f.settings->write("A1", "No", "abc");
    InstanceRegistry reg(f.path("run"));
    EXPECT_TRUE(f.c->startUp({}, reg));
    ASSERT_FALSE(f.sink.got.empty());
    EXPECT_EQ(f.sink.got[0].label, "F1 Form_Load");
}

TEST(Exit, DeleteSettingsAnsweredYesNoCancel)
{
    {
        Fixture f;
        InstanceRegistry reg(f.path("run"));
        f.c->startUp({}, reg);
        f.c->requestExitDeletingSettings();
        f.prompt.pushAnswer(Answer::Yes);
        EXPECT_TRUE(f.c->confirmClose());
        EXPECT_TRUE(f.settings->section("F1").isEmpty());
        EXPECT_TRUE(f.settings->section("A1").isEmpty());
    }
    {
        Fixture f;
        InstanceRegistry reg(f.path("run"));
        f.c->startUp({}, reg);
        f.c->requestExitDeletingSettings();
        f.prompt.pushAnswer(Answer::Cancel);
        EXPECT_FALSE(f.c->confirmClose());
        EXPECT_EQ(f.settings->read("F1", "top"), "105");
        // A later plain exit does not ask about deletion.
        const size_t asked = f.prompt.asked().size();
        EXPECT_TRUE(f.c->confirmClose());
        EXPECT_EQ(f.prompt.asked().size(), asked);
    }
}

TEST(Exit, AskBeforeExitWhenConfigured)
{
    Fixture f;
    f.setOption("s5", "1");
    f.prompt.pushAnswer(Answer::No);
    EXPECT_FALSE(f.c->confirmClose());
    ASSERT_EQ(f.prompt.asked().size(), 1u);
    EXPECT_EQ(f.prompt.asked()[0].text, "「ペタリ.exe  」を終了しますか?");
}

TEST(Exit, ThreeHistoryEntriesAreStoredWithEmptyKeysAfter)
{
    Fixture f;
    for (const char* n : {"a.txt", "b.txt", "c.txt"})
        f.c->openDocument(f.writeFile(n, "x\r\n"));
    EXPECT_TRUE(f.c->confirmClose());
    EXPECT_EQ(f.settings->read("rireki", "1"), f.path("a.txt"));
    EXPECT_EQ(f.settings->read("rireki", "3"), f.path("c.txt"));
    for (int k = 4; k <= 11; ++k) {
        EXPECT_TRUE(f.settings->contains("rireki", QString::number(k)));
        EXPECT_EQ(f.settings->read("rireki", QString::number(k), "x"), "");
    }
}

// ---------------------------------------------------------------- lines and copying

TEST(Lines, InsertionPositionAndAdding)
{
    Fixture f;
    EXPECT_EQ(f.c->document().firstSelectedIndex(), 0);
    f.c->document().insertText("0\r\n1\r\n2\r\n3\r\n4\r\n5");
    f.select({3, 5});
    EXPECT_EQ(f.c->document().firstSelectedIndex(), 3);
    f.c->document().insertText("new");
    EXPECT_EQ(f.c->lines().line(3), "new");
    EXPECT_TRUE(f.c->lines().isSelected(4));
    f.c->document().selection().clearSelection();
    f.c->document().insertText("");
    EXPECT_EQ(f.c->lines().line(f.c->lines().count() - 1), "");
}

TEST(Lines, DeleteClampsTheTopLine)
{
    Fixture f;
    f.c->document().insertText("a\nb\nc\nd");
    f.c->view().scrollToTop(3);
    f.select({2, 3});
    f.c->document().removeSelected();
    EXPECT_EQ(f.c->lines().lines(), QStringList({"a", "b"}));
    EXPECT_EQ(f.c->view().topRow(), 1);
    f.c->document().selection().selectAll();
    f.c->document().removeSelected();
    EXPECT_EQ(f.c->lines().count(), 0);
}

TEST(Copy, ClickCopiesWithTheSavedOptions)
{
    Fixture f;
    f.c->document().insertText("abc\r\nひらがな");
    f.select({0});
    f.c->lineChosen(0);
    EXPECT_EQ(f.clipboard.text(), "abc");
    f.setOption("st_c10", "1");
    f.c->lineChosen(0);
    EXPECT_EQ(f.clipboard.text(), "abc\r\n");
    f.c->copyAgain(LineInvertBreak, LetterNone);
    EXPECT_EQ(f.clipboard.text(), "abc");
    f.setOption("st_c10", "0");
    f.setOption("5", "1");
    f.select({0, 1});
    f.c->lineChosen(0);
    EXPECT_EQ(f.clipboard.text(), "abc\r\nヒラガナ\r\n");
    f.c->copyAgain(LineNoJoinBreak, LetterNone);
    EXPECT_EQ(f.clipboard.text(), "abcヒラガナ");
}

TEST(Copy, NothingSelectedEmptiesTheClipboard)
{
    Fixture f;
    f.c->document().insertText("abc");
    f.clipboard.setText("old");
    f.c->copySelection(0, 0, 0);
    EXPECT_EQ(f.clipboard.text(), "");
    EXPECT_EQ(f.clipboard.clears(), 1);
}

TEST(Copy, SplitListPiecesAreJoinedAndOneShotsReuseTheLastList)
{
    Fixture f;
    f.c->document().setSplitPieces({"a", "b", "c"});
    f.c->document().splitSelection().select(0);
    f.c->document().splitSelection().select(2);
    f.c->copySelection(1, 0, 0);
    EXPECT_EQ(f.clipboard.text(), "ac");
    EXPECT_EQ(f.c->lastCopiedList(), 1);
    f.c->copyAgain(LineFull, LetterUpper);
    EXPECT_EQ(f.clipboard.text(), "ＡＣ");
}

TEST(Copy, StatusLine)
{
    Fixture f;
    f.c->document().insertText("a\nb\nc");
    EXPECT_EQ(f.c->statusText(), "");
    f.c->document().selection().select(1);
    f.c->document().selection().select(2);
    f.c->document().selection().setCurrentRow(2);
    EXPECT_EQ(f.c->statusText(), "メイン 3行目　選択行数 2行　　");
    f.c->document().selection().clearSelection();
    f.c->openDocument(f.writeFile("s.txt", "x\r\n"));
    EXPECT_EQ(f.c->statusText(), f.path("s.txt"));
}

// A row shows only the start of a very long line: the status line says how
// much a copy of one took, for as long as that selection stays.
TEST(Copy, StatusLineTellsHowLongAVeryLongCopiedLineWas)
{
    Fixture f;
    const QString longest = QString(3999, u'x') + QString::fromUtf16(u"😀");   // 4001 units, 4000 characters
    f.c->document().insertText(QString(4000, u'y') + "\n" + longest);
    f.c->document().selection().select(0);
    f.c->document().selection().setCurrentRow(0);
    f.c->lineChosen(0);
    EXPECT_EQ(f.c->statusText(), "メイン 1行目　選択行数 1行　　");
    f.c->document().selection().clearSelection();
    f.c->document().selection().select(1);
    f.c->document().selection().setCurrentRow(1);
    f.c->lineChosen(0);
    EXPECT_EQ(f.clipboard.text(), longest);
    EXPECT_EQ(f.c->statusText(), "メイン 2行目　選択行数 1行　　1行（4,000文字）をコピーしました。");
    f.c->document().selection().select(0);
    EXPECT_EQ(f.c->statusText(), "メイン 2行目　選択行数 2行　　");
    EXPECT_EQ(MainController::copiedAmount(2, QString(100000000, u'a')), "2行（100,000,000文字）をコピーしました。");
}

TEST(Menus, StatesFollowTheDocument)
{
    Fixture f;
    MenuState m = f.c->menuState();
    EXPECT_FALSE(m.hasPath);
    EXPECT_FALSE(m.hasLines);
    EXPECT_FALSE(m.canAddFavourite);
    EXPECT_EQ(m.editorCaption, "「テキストエディタ」を起動");
    f.c->openDocument(f.writeFile("m.txt", "a\r\nb\r\n"));
    f.select({0});
    m = f.c->menuState();
    EXPECT_TRUE(m.hasPath && m.hasLines && m.manyLines && m.hasSelection && m.oneSelected);
    EXPECT_FALSE(m.severalSelected);
    EXPECT_TRUE(m.canAddFavourite);
    EXPECT_EQ(m.addFavouriteCaption, "追加　(" + f.path("m.txt") + ")");
}

// ---------------------------------------------------------------- history, favourites, contents

TEST(History, KeepsItsFirstPlaceAndItsLimit)
{
    Fixture f;
    QStringList paths;
    for (int i = 0; i < 11; ++i)
        paths << f.writeFile(QStringLiteral("h%1.txt").arg(i), "x\r\n");
    f.c->openDocument(paths[0]);
    f.c->openDocument(paths[1]);
    f.c->openDocument(paths[0]);
    EXPECT_EQ(f.c->history().count(), 2);
    EXPECT_EQ(f.c->history().item(1), paths[1]);
    EXPECT_EQ(f.c->history().item(2), paths[0]);
    for (int i = 2; i < 11; ++i)
        f.c->openDocument(paths[i]);
    EXPECT_EQ(f.c->history().count(), 10);
    EXPECT_EQ(f.c->history().item(1), paths[10]);
    EXPECT_EQ(f.c->history().item(10), paths[1]);
}

TEST(History, MissingFileOffersRemoval)
{
    Fixture f;
    const QString p = f.writeFile("gone.txt", "x\r\n");
    f.c->openDocument(p);
    QFile::remove(p);
    f.prompt.pushAnswer(Answer::Yes);
    f.c->openHistory(1);
    EXPECT_EQ(f.c->history().count(), 0);
    EXPECT_TRUE(f.prompt.asked().back().text.startsWith("ファイルが見つかりません。\r\n" + p));
}

TEST(Favourites, AddAndOpen)
{
    Fixture f;
    const QString p = f.writeFile("fav.txt", "fav\r\n");
    f.c->addFavourite();   // untitled: nothing stored
    EXPECT_EQ(f.c->favourites().lastUsedSlot(), 0);
    f.c->openDocument(p);
    f.c->addFavourite();
    f.c->addFavourite();
    EXPECT_EQ(f.c->favourites().slot(1), p);
    EXPECT_EQ(f.c->favourites().lastUsedSlot(), 1);
    f.c->newDocument();
    f.c->openFavourite(1);
    EXPECT_EQ(f.c->state().fileName, p);
}

TEST(Toc, HeadingsOfTheExampleAndJumping)
{
    Fixture f;
    f.c->openDocument(f.writeFile("toc.txt", "a\r\nb\r\n\r\nc\r\n\r\n\r\nd\r\n"));
    EXPECT_EQ(f.c->tocHeadings(), QStringList({"a", "c", "d"}));
    EXPECT_EQ(f.c->tocLines(), (std::vector<int>{1, 4, 7}));
    f.c->jumpToHeading(1);
    EXPECT_EQ(f.c->view().topRow(), 3);
}

// ---------------------------------------------------------------- undo and redo through the window's logic

TEST(UndoRedo, DamagedOrMissingSnapshotsLeaveTheListAsItIs)
{
    Fixture f;
    // Every step from its file, each file on the disk before it is spoilt.
    f.c->undo().setMemoryBudget(0);
    f.c->openDocument(f.writeFile("u.txt", "one\r\n"));
    f.c->document().insertText("two");
    f.c->document().commitEdit(f.c->state().fileName, Commit::Modified, "　追加　", HexView::Keep);
    f.c->document().insertText("three");
    f.c->document().commitEdit(f.c->state().fileName, Commit::Modified, "　追加　", HexView::Keep);
    const QStringList now = f.c->lines().toStringList();
    f.c->document().waitForWrites();

    // Snapshot 1 damaged by another program: not valid text.
    f.writeFile(QDir(f.c->undo().snapshotPath(1)).path().mid(f.dir.path().size() + 1),
                QByteArray("\x81\xff\xfd", 3));
    f.c->undoRedo(UndoStep::Undo);
    ASSERT_EQ(f.sink.got.size(), 1u);
    EXPECT_EQ(f.sink.got[0].number, 75);
    EXPECT_EQ(f.c->lines().lines(), now);

    // Snapshot 0 deleted behind the program's back.
    QFile::remove(f.c->undo().snapshotPath(0));
    f.c->undoRedo(UndoStep::Undo);
    ASSERT_EQ(f.sink.got.size(), 2u);
    EXPECT_EQ(f.sink.got[1].number, 53);
    EXPECT_EQ(f.c->lines().lines(), now);

    // Redo passes the damaged snapshot again (reported), then reaches the
    // intact newest one.
    f.c->undoRedo(UndoStep::Redo);
    EXPECT_EQ(f.sink.got.size(), 3u);
    f.c->undoRedo(UndoStep::Redo);
    EXPECT_EQ(f.c->lines().lines(), now);
    EXPECT_EQ(f.sink.got.size(), 3u);
}

TEST(UndoRedo, CaptionsAfterOpenDeleteAndUndo)
{
    Fixture f;
    f.c->openDocument(f.writeFile("c.txt", "a\r\nb\r\n"));
    f.select({0});
    f.c->deleteLines();
    MenuState m = f.c->menuState();
    EXPECT_EQ(m.undoCaption, "戻す　(　削除　)　1");
    EXPECT_TRUE(m.canUndo);
    EXPECT_EQ(m.redoCaption, "進む　(　　　　)　0");
    EXPECT_FALSE(m.canRedo);
    f.c->undoRedo(UndoStep::Undo);
    EXPECT_EQ(f.c->lines().lines(), QStringList({"a", "b"}));
    m = f.c->menuState();
    EXPECT_EQ(m.undoCaption, "戻す　(　開く　)　0");
    EXPECT_FALSE(m.canUndo);
    EXPECT_EQ(m.redoCaption, "進む　(　削除　)　1");
    EXPECT_TRUE(m.canRedo);
    EXPECT_EQ(f.c->state().modified, 1);   // restoring leaves the document state alone
}

TEST(Editing, SortAndStampsCommitTheirOperation)
{
    Fixture f;
    f.c->document().insertText("b\nA\na");
    f.c->sortLines();
    EXPECT_EQ(f.c->lines().lines(), QStringList({"A", "a", "b"}));
    EXPECT_EQ(f.c->undo().undoName(f.c->undo().undoPosition()), "並べ替え");
    f.c->document().replaceLinesAsMade({});
    f.c->sortLines();   // an empty list still takes its snapshot
    EXPECT_EQ(f.c->undo().undoName(f.c->undo().undoPosition()), "並べ替え");

    f.c->state().modified = 0;
    f.c->stampDateTime(QDateTime(QDate(2026, 12, 7), QTime(9, 30, 5)));
    EXPECT_EQ(f.c->lines().count(), 35);
    EXPECT_TRUE(f.c->lines().toStringList().join("\n").contains("令和8年12月 7日"));
    EXPECT_EQ(f.c->state().fileName, "");
    EXPECT_EQ(f.c->undo().undoName(f.c->undo().undoPosition()), "日付時刻");
}

// ---------------------------------------------------------------- faults a new user met

TEST(StartUpFaults, BadCopyNumberIsReportedAndNothingStoredIsLost)
{
    for (const char* stored : {"abc", "300"}) {
        Fixture f;
        const QString doc = f.writeFile("doc.txt", "line\r\n");
        f.settings->write("A1", "No", stored);
        f.settings->write("rireki", "1", f.path("old.txt"));
        f.settings->write("okiniiri", "1", f.path("fav.txt"));
        f.settings->write("F1", "Width", "9000");
        InstanceRegistry registry(f.path("run"));
        EXPECT_TRUE(f.c->startUp({doc}, registry)) << stored;
        EXPECT_EQ(f.sink.got.size(), 1u) << stored;
        EXPECT_EQ(f.c->instanceNumber(), 0);
        EXPECT_EQ(f.c->state().fileName, doc) << "the command-line file still opens";
        ASSERT_TRUE(f.c->confirmClose());
        EXPECT_EQ(f.settings->read("rireki", "1"), f.path("old.txt")) << stored;
        EXPECT_EQ(f.settings->read("okiniiri", "1"), f.path("fav.txt")) << stored;
        EXPECT_EQ(f.settings->read("F1", "Width"), "9000") << stored;
    }
}

TEST(StartUpFaults, RelativePathsAreStoredAbsolute)
{
    Fixture f;
    f.writeFile("notes.txt", "a\r\n");
    const QString before = QDir::currentPath();
    QDir::setCurrent(f.path(""));
    f.c->openDocument("notes.txt");
    f.c->addFavourite();
    QDir::setCurrent(before);
    EXPECT_EQ(f.c->state().fileName, f.path("notes.txt"));
    EXPECT_EQ(f.c->history().item(1), f.path("notes.txt"));
    EXPECT_EQ(f.c->favourites().slot(1), f.path("notes.txt"));
}

TEST(DocumentFaults, SavedHexViewNamesTheViewedFile)
{
    Fixture f;
    const QString bin = f.writeFile("data.bin", "ABC");
    f.c->openDocument(bin);
    f.c->reloadAsHex();
    // A second save of the same view still names the file it shows.
    for (const char* out : {"out1.txt", "out2.txt"}) {
        f.prompt.pushFileName(f.path(out));
        f.c->saveAs();
        const QByteArray firstLine = Fixture::readFile(f.path(out)).split('\r').front();
        EXPECT_TRUE(firstLine.startsWith(QFile::encodeName(bin))) << out << " " << firstLine.constData();
    }
}

TEST(DocumentFaults, GeneratedDocumentStartsAsCp932)
{
    Fixture f;
    f.c->openDocument(f.writeFile("u.txt", "\xEF\xBB\xBF日本語\r\n"));
    ASSERT_NE(f.c->state().encoding, TextEncoding::Cp932);
    f.c->stampDateTime(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    EXPECT_EQ(f.c->state().encoding, TextEncoding::Cp932);
    f.prompt.pushFileName(f.path("stamp.txt"));
    f.c->saveAs();
    EXPECT_FALSE(Fixture::readFile(f.path("stamp.txt")).startsWith("\xEF\xBB\xBF"));
}
