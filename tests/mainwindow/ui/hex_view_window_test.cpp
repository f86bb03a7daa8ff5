// The hexadecimal view through the main window's menus: whatever the undo
// chain brings back, a view of a file's bytes is never written over it.
#include "support/Fixture.h"

#include "mainwindow/ui/LineListView.h"
#include "mainwindow/ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace petari;
using petari::test::Fixture;

namespace {

const QByteArray kBinary("BIN\0\1\2data", 10);

struct HexWindow {
    Fixture f;
    InstanceRegistry registry{f.path("run")};
    QString viewed = f.writeFile("hx.txt", kBinary);
    std::unique_ptr<MainWindow> w;

    HexWindow()
    {
        w = std::make_unique<MainWindow>(*f.c);
        f.c->startUp({viewed}, registry);
        w->show();
        QApplication::setActiveWindow(w.get());
        QCoreApplication::processEvents();
    }
    ~HexWindow() { f.c->setForcedExit(); w.reset(); }

    void menu(const char* item) { w->findChild<QAction*>(QString::fromLatin1(item))->trigger(); }

    // ファイル → 再読み込み(Binary); a click on line 1, the view's only
    // line; 編集 → 削除.
    void reloadAsHexAndDeleteTheFirstLine()
    {
        menu("reloadAsHexAction");
        LineListView* list = w->lineList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(f.c->lines().index(0)).center());
        ASSERT_TRUE(f.c->lines().isSelected(0));
        menu("deleteAction");
        ASSERT_EQ(f.c->lines().count(), 0);
    }

    // The save that followed asked for a name beside the viewed file.
    void expectTheSaveDialogAndTheFileUntouched()
    {
        ASSERT_FALSE(f.prompt.asked().empty());
        EXPECT_EQ(f.prompt.asked().back().kind, ScriptedPrompt::Asked::Save);
        EXPECT_EQ(f.prompt.asked().back().suggested, f.path("バイナリ表示001.txt"));
        EXPECT_EQ(Fixture::readFile(viewed), kBinary);
    }
};

}  // namespace

TEST(HexViewWindow, SaveAfterUndoOrRedoAsksForANewFile)
{
    for (const bool redo : {false, true}) {
        SCOPED_TRACE(redo ? "redo" : "undo");
        HexWindow win;
        win.reloadAsHexAndDeleteTheFirstLine();
        win.menu("undoAction");
        ASSERT_EQ(win.f.c->lines().count(), 1);
        if (redo)
            win.menu("redoAction");
        EXPECT_TRUE(win.f.c->state().hexView);
        win.menu("saveAction");   // the dialog is cancelled
        win.expectTheSaveDialogAndTheFileUntouched();
    }
}

TEST(HexViewWindow, ExitSavingAfterUndoWritesTheViewElsewhere)
{
    HexWindow win;
    win.reloadAsHexAndDeleteTheFirstLine();
    win.menu("undoAction");
    win.f.prompt.pushAnswer(Answer::Yes);   // save the changes?
    win.f.prompt.pushFileName(win.f.path("dump.txt"));
    win.w->close();
    win.expectTheSaveDialogAndTheFileUntouched();
    const QByteArray dump = Fixture::readFile(win.f.path("dump.txt"));
    EXPECT_TRUE(dump.contains("00000000 42 49 4E 00 01 02 64 61 74 61")) << dump.toStdString();
}
