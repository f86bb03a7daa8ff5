#include "support/Fixture.h"

#include "dialogs/ui/NoticeDialog.h"
#include "editing/UndoChain.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/InputArea.h"
#include "mainwindow/ui/LineListView.h"
#include "platform/ui/JapaneseUi.h"
#include "platform/ui/QtPrompt.h"
#include "services/ErrorReport.h"
#include "services/ScriptedNoticePresenter.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace petari;
using petari::test::Fixture;

namespace {

struct Window {
    Fixture f;
    InstanceRegistry registry{f.path("run")};
    ScriptedNoticePresenter notices;
    std::unique_ptr<MainWindow> w;

    explicit Window(const QStringList& args = {}, std::function<void(Fixture&)> before = {})
    {
        if (before)
            before(f);
        w = std::make_unique<MainWindow>(*f.c);
        f.c->setNoticePresenter(&notices);
        f.c->startUp(args, registry);
        w->show();
        QApplication::setActiveWindow(w.get());
        w->lineList()->setFocus();
        QCoreApplication::processEvents();
    }
    ~Window() { f.c->setForcedExit(); w.reset(); }

    template <class T = QWidget>
    T* find(const char* name) const { return w->findChild<T*>(QString::fromLatin1(name)); }
    QAction* action(const char* name) const { return find<QAction>(name); }
    QMenu* menu(const char* name) const { return find<QMenu>(name); }
};

}  // namespace

TEST(MainWindowWidgets, EveryControlAndMenuItemIsThereByName)
{
    Window win;
    const char* widgets[] = {"inputArea",       "showClipboardButton", "addButton",        "replaceButton",
                             "clearButton",     "splitter",            "tocLabel",         "tocBox",
                             "lineList",        "splitList",           "sortList",         "statusLine",
                             "favouritesBar",   "favouritesLabel",     "favouriteButton1", "favouriteButton10",
                             "sameFolderLabel", "previousFileButton",  "nextFileButton"};
    for (const char* n : widgets)
        EXPECT_NE(win.find(n), nullptr) << n;
    EXPECT_EQ(win.w->windowTitle(), "ペタリ");
    EXPECT_EQ(win.find<QPushButton>("replaceButton")->text(), "書換");
    EXPECT_EQ(win.find<QWidget>("inputArea")->toolTip(), "追加する文字の入力場所です。");

    struct Item { const char* name; const char* caption; };
    const Item items[] = {
        // Each caption with its access key after it.
        {"newAction", "新規作成(&N)"}, {"openAction", "開く(&O)"}, {"reloadAsHexAction", "再読み込み(Binary)(&B)"},
        {"saveAction", "上書き保存(&S)"}, {"saveAsAction", "名前を付けて保存(&A)"},
        {"saveAsMacAction", "名前を付けて保存(Mac向け)(&M)"}, {"editorAction", "「テキストエディタ」を起動(&E)"},
        {"dateTimeAction", "日付と時刻(&D)"}, {"templateAction", "雛形を作成(&T)"}, {"quitAction", "終了(&X)"},
        {"quitDeletingSettingsAction", "レジストリを削除して終了(&G)"}, {"clearHistoryAction", "履歴のクリア(&C)"},
        {"addFavouriteAction", "追加　()(&A)"}, {"editFavouritesAction", "編集(&E)"}, {"deleteAction", "削除。(&D)"},
        {"modifyAction", "修正(&M)"}, {"sortAction", "順に並べる(&S)"}, {"selectAllAction", "全てを選択(&A)"},
        {"deselectAction", "選択を取り消す。(&N)"}, {"splitAction1", "分割　1　(英文に適しています。)(&1)"},
        {"splitAction5", "分割　５　(指定した文字で分けます。)(&5)"},
        {"breakSingleLineAction", "[改行 単]　一行選択時に改行を入れる。(&B)"}, {"hiraganaAction", "[あ]　ひらがな(&I)"},
        {"trimTrailingAction", "[→_]　後部のスペースを省く。(&T)"}, {"copyAgainAction", "再コピー(&R)"},
        {"rightClickCopyAction", "コピー時の変換(&C)"}, {"exportSettingsAction", "レジストリの保存(&S)"},
        {"settingsWindowAction", "設定画面(&O)"}, {"helpAction", "ヘルプを開く(&H)"}, {"versionAction", "バージョン情報(&A)"},
        {"historyItem11", ""}, {"favouriteItem11", ""},
        {"undoAction", "戻す　(起動新規)　0(&U)"}, {"redoAction", "進む　(　　　　)　0(&R)"},
    };
    for (const Item& i : items) {
        QAction* a = win.action(i.name);
        ASSERT_NE(a, nullptr) << i.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(i.caption)) << i.name;
    }
    for (const char* m : {"fileMenu", "historyMenu", "favouritesMenu", "editMenu", "settingsMenu", "copyMethodMenu",
                          "rightClickMenu", "helpMenu"})
        EXPECT_NE(win.menu(m), nullptr) << m;
    EXPECT_TRUE(win.action("rightClickCopyAction")->isChecked());
    // Every other window opens from its item; lines to change need lines.
    for (const char* item : {"templateAction", "randomAction", "tableAction", "fileNamesAction", "editFavouritesAction",
                             "settingsWindowAction", "exportSettingsAction", "importSettingsAction", "helpAction"})
        EXPECT_TRUE(win.action(item)->isEnabled()) << item;
    EXPECT_FALSE(win.action("addCharactersAction")->isEnabled());
    EXPECT_FALSE(win.action("addBlankLinesAction")->isEnabled());
}

// Each menu of the bar opens with Alt and its key; inside a menu every
// item shown has a key of its own.
TEST(MainWindowKeyboard, EveryMenuItemHasAnAccessKeyOfItsOwn)
{
    Window win({}, [](Fixture& f) { f.settings->write("F7", "Visible", "True"); });
    const std::pair<const char*, const char*> bar[] = {{"fileMenu", "ファイル(&F)"}, {"historyMenu", "履歴(&R)"},
                                                       {"favouritesMenu", "お気に入り(&O)"}, {"editMenu", "編集(&E)"},
                                                       {"settingsMenu", "設定(&S)"}, {"helpMenu", "ヘルプ(&H)"}};
    for (const auto& [name, title] : bar)
        EXPECT_EQ(win.menu(name)->title(), QString::fromUtf8(title)) << name;
    const QRegularExpression key(QStringLiteral("\\(&(.)\\)$"));
    for (QMenu* menu : win.w->findChildren<QMenu*>()) {
        QStringList keys;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible())
                continue;
            const QString k = key.match(a->text()).captured(1);
            EXPECT_FALSE(k.isEmpty()) << a->objectName().toStdString();
            EXPECT_FALSE(keys.contains(k)) << a->objectName().toStdString();
            keys << k;
        }
    }
    EXPECT_EQ(win.action("helpAction")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(win.action("redoAction")->shortcuts().contains(QKeySequence("Ctrl+Shift+Z")));
}

// A used favourites slot shows in the menu under its number and enables its
// button; the slots around it stay hidden.
TEST(MainWindowWidgets, AUsedFavouriteShowsInTheMenuAndOnItsButton)
{
    Window win({}, [](Fixture& f) { f.settings->write("okiniiri", "2", f.writeFile("fav.txt", "x\r\n")); });
    EXPECT_TRUE(win.action("favouriteItem2")->isVisible());
    EXPECT_TRUE(win.action("favouriteItem2")->text().endsWith("fav.txt(&2)"));
    EXPECT_FALSE(win.action("favouriteItem1")->isVisible());
    EXPECT_FALSE(win.action("favouriteItem3")->isVisible());
    EXPECT_TRUE(win.find<QPushButton>("favouriteButton2")->isEnabled());
    EXPECT_FALSE(win.find<QPushButton>("favouriteButton1")->isEnabled());
}

TEST(MainWindowWidgets, StandardShortcutsAreOnTheMenus)
{
    Window win;
    EXPECT_EQ(win.action("newAction")->shortcut(), QKeySequence(QKeySequence::New));
    EXPECT_EQ(win.action("openAction")->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(win.action("saveAction")->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(win.action("saveAsAction")->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_EQ(win.action("quitAction")->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(win.action("undoAction")->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(win.action("redoAction")->shortcut(), QKeySequence("Ctrl+Y"));
}

TEST(MainWindowWidgets, KeyboardAndMouseCopyThroughTheCopyEngine)
{
    Window win({}, [](Fixture& f) {
        f.setOption("3", "1");   // saved: to full width
        const QString p = f.writeFile("doc.txt", "abc\r\nxyz\r\nlast\r\n");
        f.settings->write("F5", "s2", "1");
        f.settings->write("F5", "s3", p);
    });
    LineListView* list = win.w->lineList();
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(win.f.c->lines().count(), 3);

    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(win.f.clipboard.text(), "ａｂｃ");
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(win.f.clipboard.text(), "ｘｙｚ");
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(win.f.clipboard.text(), "ｌａｓｔ");

    win.f.clipboard.setText("other");
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(win.f.clipboard.text(), "ｌａｓｔ");

    const QRect first = list->visualRect(win.f.c->lines().index(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(win.f.clipboard.text(), "ａｂｃ");
    EXPECT_EQ(win.find<QLabel>("statusLine")->text(), "メイン 1行目　選択行数 1行　　");

    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(win.f.c->lines().selectedCount(), 3);
}

TEST(MainWindowWidgets, AddReplaceAndDeleteFromTheWindow)
{
    Window win;
    auto* inputBox = win.find<InputArea>("inputArea");
    inputBox->setPlainText("one\ntwo");
    QTest::mouseClick(win.find<QPushButton>("addButton"), Qt::LeftButton);
    EXPECT_EQ(win.f.c->lines().lines(), QStringList({"one", "two"}));
    EXPECT_EQ(win.f.c->state().modified, 1);
    EXPECT_EQ(win.action("undoAction")->text(), "戻す　(　追加　)　1(&U)");

    win.f.select({0});
    inputBox->setPlainText("ONE");
    QTest::mouseClick(win.find<QPushButton>("replaceButton"), Qt::LeftButton);
    EXPECT_EQ(win.f.c->lines().lines(), QStringList({"ONE", "two"}));

    win.f.select({1});
    QTest::keyClick(win.w->lineList(), Qt::Key_Delete);
    EXPECT_EQ(win.f.c->lines().lines(), QStringList({"ONE"}));

    win.action("undoAction")->trigger();
    EXPECT_EQ(win.f.c->lines().lines(), QStringList({"ONE", "two"}));

    inputBox->setPlainText("隠し画面を開く");
    QTest::mouseClick(win.find<QPushButton>("clearButton"), Qt::LeftButton);
    EXPECT_EQ(inputBox->toPlainText(), "");
    EXPECT_EQ(win.f.settings->read("F7", "Visible"), "True");
}

TEST(MainWindowWidgets, ClipboardMonitorFillsTheInputBoxButNotWhileComposing)
{
    Window win;
    win.f.c->setMonitorMode(2);
    auto* inputBox = win.find<InputArea>("inputArea");
    inputBox->setPlainText("a");
    win.f.clipboard.setText("b");
    QMetaObject::invokeMethod(win.w->monitorTimer(), "timeout");
    EXPECT_EQ(inputBox->toPlainText(), "ab");
    QMetaObject::invokeMethod(win.w->monitorTimer(), "timeout");
    EXPECT_EQ(inputBox->toPlainText(), "ab");

    // Composing with an input method: the box is left alone until it ends.
    inputBox->setFocus();
    QInputMethodEvent preedit(QStringLiteral("にほん"), {});
    QCoreApplication::sendEvent(inputBox, &preedit);
    ASSERT_TRUE(inputBox->composing());
    win.f.clipboard.setText("c");
    QMetaObject::invokeMethod(win.w->monitorTimer(), "timeout");
    EXPECT_FALSE(inputBox->toPlainText().endsWith("c"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本"));
    QCoreApplication::sendEvent(inputBox, &commit);
    QMetaObject::invokeMethod(win.w->monitorTimer(), "timeout");
    EXPECT_TRUE(inputBox->toPlainText().endsWith("c"));
    EXPECT_TRUE(inputBox->toPlainText().contains("日本"));
}

TEST(MainWindowWidgets, TableOfContentsAndSplitList)
{
    Window win;
    win.f.c->openDocument(win.f.writeFile("toc.txt", "a\r\nb\r\n\r\nc ab\r\n"));
    auto* combo = win.find<QComboBox>("tocBox");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(1), "c ab");

    win.f.select({3});
    win.action("splitAction1")->trigger();
    EXPECT_TRUE(win.w->splitList()->isVisible());
    EXPECT_EQ(win.f.c->splitList().lines(), QStringList({"c ", "ab"}));
    const QRect piece = win.w->splitList()->visualRect(win.f.c->splitList().index(1));
    QTest::mouseClick(win.w->splitList()->viewport(), Qt::LeftButton, {}, piece.center());
    EXPECT_EQ(win.f.clipboard.text(), "ab");
    const QRect line = win.w->lineList()->visualRect(win.f.c->lines().index(0));
    QTest::mouseClick(win.w->lineList()->viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_FALSE(win.w->splitList()->isVisible());
}

TEST(MainWindowWidgets, SplitterDragStaysInItsBand)
{
    Window win;
    win.w->resize(600, 500);
    QCoreApplication::processEvents();
    QWidget* area = win.w->centralWidget();
    const int y = twipsToPixels(win.w->currentLayout().splitterY);
    QMouseEvent hover(QEvent::MouseMove, QPointF(300, y), QPointF(300, y), Qt::NoButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(area, &hover);
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(300, y));
    QMouseEvent move(QEvent::MouseMove, QPointF(300, y + 40), QPointF(300, y + 40), Qt::NoButton,
                     Qt::LeftButton, {});
    QCoreApplication::sendEvent(area, &move);
    EXPECT_EQ(win.w->currentLayout().splitterY, pixelsToTwips(y + 40));
    QMouseEvent tooHigh(QEvent::MouseMove, QPointF(300, 10), QPointF(300, 10), Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(area, &tooHigh);
    EXPECT_EQ(win.w->currentLayout().splitterY, pixelsToTwips(y + 40));
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(300, 10));
}

TEST(MainWindowWidgets, EndingFromAnUnexpectedErrorClosesWithoutAskingAboutChanges)
{
    // Ending the program ends the event loops for good, so it runs in a
    // process of its own: started afresh, since a forked child lacks the
    // threads the parent runs (the snapshot writer's, the search's) and may
    // crash on them.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Window win;
            win.f.c->document().insertText("unsaved");
            win.f.c->document().commitEdit("", Commit::Modified, "　追加　", HexView::Keep);
            ErrorReport report(win.notices, *win.w);
            setErrorSink(&report);
            win.notices.pushButton(0);   // "はい": end the program
            guarded("F1 mcopy", [] { throw std::runtime_error("unexpected"); });
            const bool ok = !win.w->isVisible() && win.f.prompt.asked().empty() &&
                            win.notices.requests().size() == 1 && win.notices.requests()[0].mode == "1";
            // _Exit: the document's writer thread may still be at work,
            // and exit's static destructors would pull data from under it.
            std::_Exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(MainWindowWidgets, FirstStartSizeAndItsRoundTripAtExit)
{
    Window win;
    // 7000 × 5000 twips at 15 twips to the pixel.
    EXPECT_EQ(win.w->size(), QSize(467, 333));
    EXPECT_EQ(win.f.settings->read("A1", "No"), "1");
    win.w->close();
    EXPECT_FALSE(win.w->isVisible());
    EXPECT_EQ(win.f.settings->read("F1", "Width"), "7000");
    EXPECT_EQ(win.f.settings->read("F1", "Height"), "5000");
    EXPECT_EQ(win.f.settings->read("A1", "No"), "0");
}

TEST(MainWindowWidgets, CloseWithUnsavedChangesCanBeCancelled)
{
    Window win;
    win.f.c->document().insertText("unsaved");
    win.f.c->document().commitEdit("", Commit::Modified, "　追加　", HexView::Keep);
    win.f.prompt.pushAnswer(Answer::Cancel);
    win.w->close();
    EXPECT_TRUE(win.w->isVisible());
    EXPECT_EQ(win.f.c->lines().count(), 1);
}

// Faults a new user met in the main window, each through real key events.
namespace {
Window* openWithThreeLines(std::unique_ptr<Window>& holder)
{
    holder = std::make_unique<Window>(QStringList(), [](Fixture& f) {
        f.settings->write("F5", "s2", "1");
        f.settings->write("F5", "s3", f.writeFile("three.txt", "one\r\ntwo\r\nthree\r\n"));
    });
    return holder.get();
}
}  // namespace

TEST(MainWindowFaults, FirstKeyAfterStartActsAsOnAnyLine)
{
    for (Qt::Key key : {Qt::Key_End, Qt::Key_PageDown}) {
        std::unique_ptr<Window> holder;
        Window& win = *openWithThreeLines(holder);
        QTest::keyClick(win.w->lineList(), key);
        EXPECT_EQ(win.f.clipboard.text(), "three") << key;
        EXPECT_EQ(win.f.c->lines().currentRow(), 2) << key;
    }
    std::unique_ptr<Window> holder;
    Window& win = *openWithThreeLines(holder);
    QTest::keyClick(win.w->lineList(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(win.f.c->lines().currentRow(), 2);
}

TEST(MainWindowFaults, ShortcutsWorkFromTheFirstKeyPress)
{
    std::unique_ptr<Window> holder;
    Window& win = *openWithThreeLines(holder);
    LineListView* list = win.w->lineList();
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(win.f.c->lines().lines(), QStringList({"two", "three"}));
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(win.f.c->lines().lines(), QStringList({"one", "two", "three"}));
    QTest::keyClick(list, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(win.f.c->lines().lines(), QStringList({"two", "three"}));
    // From the table of contents too, not only from the list.
    win.find<QComboBox>("tocBox")->setFocus();
    QTest::keyClick(win.find<QComboBox>("tocBox"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(win.f.c->lines().count(), 3);
}

TEST(MainWindowFaults, AlwaysOnTopWindowStaysShownAroundANoticeDialog)
{
    Window win({}, [](Fixture& f) { f.settings->write("F5", "s4", "1"); });
    ASSERT_TRUE(win.w->isVisible());
    EXPECT_TRUE(win.w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // The real dialog, not the scripted one, opened from the help menu.
    QtNoticePresenter presenter(win.w.get(), win.f.settings.get(), &win.f.c->document());
    win.f.c->setNoticePresenter(&presenter);
    bool seenWhileOpen = false;
    QTimer::singleShot(0, [&] {
        seenWhileOpen = win.w->isVisible();
        if (auto* d = qobject_cast<NoticeDialog*>(QApplication::activeModalWidget()))
            d->button(0)->click();
    });
    win.action("versionAction")->trigger();
    win.f.c->setNoticePresenter(&win.notices);
    EXPECT_TRUE(seenWhileOpen);
    EXPECT_TRUE(win.w->isVisible());
    EXPECT_TRUE(win.w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST(MainWindowFaults, PriceItemShownAtStartWhenStoredVisible)
{
    Window win({}, [](Fixture& f) { f.settings->write("F7", "Visible", "True"); });
    EXPECT_TRUE(win.action("priceAction")->isVisible());
}

TEST(MainWindowFaults, SplitListOpensOverTheMainList)
{
    std::unique_ptr<Window> holder;
    Window& win = *openWithThreeLines(holder);
    QTest::keyClick(win.w->lineList(), Qt::Key_Down);
    win.action("splitAction4")->trigger();
    ASSERT_TRUE(win.w->splitList()->isVisible());
    EXPECT_TRUE(win.w->lineList()->geometry().contains(win.w->splitList()->geometry()))
        << win.w->lineList()->geometry().x() << "," << win.w->lineList()->geometry().y() << " / "
        << win.w->splitList()->geometry().x() << "," << win.w->splitList()->geometry().y();
}

TEST(MainWindowFaults, QuestionsHaveJapaneseButtons)
{
    ASSERT_TRUE(installJapaneseTranslation(*QCoreApplication::instance()))
        << "Qt's Japanese translation (qt6-translations-l10n) is not installed";
    Window win;
    QtPrompt prompt;
    Document asked(*win.f.settings, prompt, win.f.path("home"));
    asked.replaceLinesAsMade({"x"});
    asked.state().modified = 1;
    QStringList captions;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton* b : box->buttons())
            captions << b->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(asked.confirmDiscard(), DiscardAnswer::KeepDocument);
    captions.sort();
    EXPECT_EQ(captions, QStringList({"いいえ", "はい", "キャンセル"}));
}

// Each of the other windows opens from its menu item with the document it
// works on; the modeless ones close with the main window.
TEST(MainWindowSecondaries, ModelessWindowsOpenFromTheMenuAndCloseWithTheMainWindow)
{
    Window win;
    for (const char* item : {"fileNamesAction", "priceAction"})
        win.action(item)->trigger();
    auto* form6 = win.w->findChild<QWidget*>("Form6");
    auto* form7 = win.w->findChild<QWidget*>("Form7");
    ASSERT_NE(form6, nullptr);
    ASSERT_NE(form7, nullptr);
    EXPECT_TRUE(form6->isVisible());
    EXPECT_TRUE(form7->isVisible());
    // One window each, however often the item is chosen.
    win.action("priceAction")->trigger();
    EXPECT_EQ(win.w->findChildren<QWidget*>("Form7").size(), 1);
    // The price window fills the main list; closing it records the change.
    auto* price = form7->findChild<QComboBox*>("Combo1")->lineEdit();
    price->clear();
    QTest::keyClicks(price, "100");
    QTest::mouseClick(form7->findChild<QPushButton*>("Command2_0"), Qt::LeftButton);
    EXPECT_EQ(win.f.c->lines().count(), 20);
    EXPECT_EQ(win.f.c->lines().line(2), QStringLiteral("  \u00A5330-"));   // 100 × 3 × 1.1, padded to 2,200
    win.f.prompt.pushAnswer(Answer::No);   // the list made by the price window is not saved
    win.w->close();
    EXPECT_FALSE(form6->isVisible());
    EXPECT_FALSE(form7->isVisible());
    EXPECT_TRUE(win.f.c->undo().undoCaption().startsWith(QStringLiteral("戻す　(　価格　)")));
}

TEST(MainWindowSecondaries, ModalWindowsOpenFromTheirMenuItems)
{
    std::unique_ptr<Window> holder;
    Window& win = *openWithThreeLines(holder);
    const struct {
        const char* item;
        const char* window;
        const char* caption;
    } cases[] = {
        {"templateAction", "Form2", "雛形"},
        {"randomAction", "Form2", "乱数"},
        {"addCharactersAction", "Form2", "文字の追加"},
        {"addBlankLinesAction", "Form2", "空行の追加"},
        {"editFavouritesAction", "Form2", "お気に入りの編集"},
        {"tableAction", "Form3", "表の作成"},
        {"settingsWindowAction", "Form5", "設定"},
    };
    for (const auto& c : cases) {
        QString seen;
        QTimer::singleShot(0, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (w && w->objectName() == QLatin1String(c.window))
                seen = w->windowTitle();
            if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
            else if (w)
                w->close();
        });
        win.action(c.item)->trigger();
        EXPECT_EQ(seen, QString::fromUtf8(c.caption)) << c.item;
    }
    // The template page fills the list from the menu's window.
    QTimer::singleShot(0, [&] {
        if (auto* w = QApplication::activeModalWidget())
            if (auto* ok = w->findChild<QPushButton*>("Command1_0"))
                ok->click();
    });
    win.action("templateAction")->trigger();
    EXPECT_EQ(win.f.c->lines().line(0), "001");
    EXPECT_TRUE(win.f.c->undo().undoCaption().startsWith("戻す　(　雛形　)"));
}

TEST(MainWindowSecondaries, SettingsFromTheDialogApplyToTheNextCopy)
{
    std::unique_ptr<Window> holder;
    Window& win = *openWithThreeLines(holder);
    QTimer::singleShot(0, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w)
            return;
        for (const char* box : {"Check2_1", "Check2_3"}) {   // "[A]", "[全]"
            auto* b = w->findChild<QCheckBox*>(box);
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
        }
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("ＯＫ"))
                b->click();
    });
    win.action("settingsWindowAction")->trigger();
    const QRect first = win.w->lineList()->visualRect(win.f.c->lines().index(0));
    QTest::mouseClick(win.w->lineList()->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(win.f.clipboard.text(), "ＯＮＥ");
}
