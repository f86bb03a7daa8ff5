// MainWindow: the menu bar, each item named as the tests and the settings of
// the right-click choice know it, bound to the controller; and the enabled
// states and captions of the items after every change.

#include "copy/CopyEngine.h"
#include "editing/Favourites.h"
#include "editing/History.h"
#include "mainwindow/MainController.h"
#include "mainwindow/ui/LineListView.h"
#include "mainwindow/ui/MainWindow.h"
#include "platform/ui/KeyboardAccess.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

namespace petari {

namespace {
QString indexed(const char* base, int i) { return QString::fromLatin1(base) + QLatin1Char('_') + QString::number(i); }
}  // namespace

QAction* MainWindow::addAction(QMenu* menu, const QString& name, const QString& caption, char key)
{
    auto* a = menu->addAction(QString());
    a->setObjectName(name);
    actions_.insert(name, a);
    accessKeys_.insert(name, key);
    setCaption(name, caption);
    return a;
}

void MainWindow::setCaption(const QString& name, const QString& caption)
{
    // An empty slot of the history or the favourites stays hidden and empty.
    actions_.value(name)->setText(caption.isEmpty() ? QString() : withAccessKey(caption, accessKeys_.value(name)));
}

QMenu* MainWindow::addMenu(QMenu* parent, const QString& name, const QString& caption, char key)
{
    const QString shown = withAccessKey(caption, key);
    QMenu* m = parent ? parent->addMenu(shown) : menuBar()->addMenu(shown);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    menus_.insert(name, m);
    return m;
}

void MainWindow::addSeparator(QMenu* menu, const QString& name)
{
    QAction* s = menu->addSeparator();
    s->setObjectName(name);
}

void MainWindow::buildMenus()
{
    buildFileMenu();
    buildHistoryMenu();
    buildFavouritesMenu();
    buildEditMenu();
    buildSettingsMenu();
    buildHelpMenu();
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, &MainWindow::openMenuBar);
}

void MainWindow::openMenuBar()
{
    menuBar()->setActiveAction(menus_.value(QStringLiteral("mf01"))->menuAction());
}

void MainWindow::buildFileMenu()
{
    QMenu* fileMenu = addMenu(nullptr, QStringLiteral("mf01"), QStringLiteral("ファイル"), 'F');
    auto* newItem = addAction(fileMenu, QStringLiteral("mfnk"), QStringLiteral("新規作成"), 'N');
    newItem->setShortcut(QKeySequence::New);
    connect(newItem, &QAction::triggered, &controller_, &MainController::newDocument);
    auto* openItem = addAction(fileMenu, QStringLiteral("mfh"), QStringLiteral("開く"), 'O');
    openItem->setShortcut(QKeySequence::Open);
    connect(openItem, &QAction::triggered, &controller_, &MainController::openWithDialog);
    connect(addAction(fileMenu, QStringLiteral("saiY"), QStringLiteral("再読み込み(Binary)"), 'B'), &QAction::triggered,
            &controller_, &MainController::reloadAsHex);
    auto* saveItem = addAction(fileMenu, QStringLiteral("uHoson"), QStringLiteral("上書き保存"), 'S');
    saveItem->setShortcut(QKeySequence::Save);
    connect(saveItem, &QAction::triggered, &controller_, &MainController::saveOver);
    auto* saveAsItem = addAction(fileMenu, QStringLiteral("mfho"), QStringLiteral("名前を付けて保存"), 'A');
    saveAsItem->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAsItem, &QAction::triggered, &controller_, &MainController::saveAs);
    connect(addAction(fileMenu, QStringLiteral("mfhoMac"), QStringLiteral("名前を付けて保存(Mac向け)"), 'M'),
            &QAction::triggered, &controller_, &MainController::saveAsMac);
    connect(addAction(fileMenu, QStringLiteral("memotyou"), QStringLiteral("「メモ帳」を起動"), 'E'),
            &QAction::triggered, &controller_, &MainController::startEditor);
    addSeparator(fileMenu, QStringLiteral("mf02"));
    connect(addAction(fileMenu, QStringLiteral("hizuke"), QStringLiteral("日付と時刻"), 'D'), &QAction::triggered, this,
            [this] { controller_.stampDateTime(); });
    struct Opener { const char* name; const char* caption; char key; };
    const Opener openers[] = {{"hina", "雛形を作成", 'T'}, {"hyou", "表の作成", 'L'}, {"ransu1", "乱数の作成", 'R'},
                              {"fileMeiHyouji", "ファイル名の表示", 'F'}, {"kakaku", "価格", 'P'}};
    // Each opens another window; connectSecondaryWindows binds and enables it.
    for (const Opener& o : openers)
        addAction(fileMenu, QString::fromLatin1(o.name), QString::fromUtf8(o.caption), o.key)->setEnabled(false);
    addSeparator(fileMenu, QStringLiteral("mf03"));
    auto* quitItem = addAction(fileMenu, QStringLiteral("mfs"), QStringLiteral("終了"), 'X');
    quitItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quitItem, &QAction::triggered, this, &MainWindow::requestClose);
    connect(addAction(fileMenu, QStringLiteral("mfsr"), QStringLiteral("レジストリを削除して終了"), 'G'),
            &QAction::triggered, &controller_, &MainController::requestExitDeletingSettings);
}

namespace {
// The recent files and the favourites take the keys 1 to 9, then 0 for the tenth.
char numberKey(int i) { return char('0' + i % 10); }
}  // namespace

void MainWindow::buildHistoryMenu()
{
    QMenu* historyMenu = addMenu(nullptr, QStringLiteral("rireki"), QStringLiteral("履歴"), 'R');
    connect(addAction(historyMenu, QStringLiteral("rirekic"), QStringLiteral("履歴のクリア"), 'C'),
            &QAction::triggered, &controller_, &MainController::clearHistory);
    addSeparator(historyMenu, QStringLiteral("rireki0"));
    for (int i = 1; i <= 11; ++i) {
        auto* a = addAction(historyMenu, indexed("rireki01", i), QString(), numberKey(i));
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { controller_.openHistory(i); });
    }
}

void MainWindow::buildFavouritesMenu()
{
    QMenu* favouritesMenu = addMenu(nullptr, QStringLiteral("okini1"), QStringLiteral("お気に入り"), 'O');
    connect(addAction(favouritesMenu, QStringLiteral("okinituika"), QStringLiteral("追加"), 'A'), &QAction::triggered,
            &controller_, &MainController::addFavourite);
    addAction(favouritesMenu, QStringLiteral("okinihensyu"), QStringLiteral("編集"), 'E')->setEnabled(false);
    addSeparator(favouritesMenu, QStringLiteral("okini2"));
    for (int i = 0; i <= 11; ++i) {
        auto* a = addAction(favouritesMenu, indexed("okini", i), QString(), numberKey(i));
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { controller_.openFavourite(i); });
    }
}

void MainWindow::buildEditMenu()
{
    QMenu* editMenu = addMenu(nullptr, QStringLiteral("mh01"), QStringLiteral("編集"), 'E');
    auto* undoItem = addAction(editMenu, indexed("modosusumu", 0), QStringLiteral("戻す"), 'U');
    undoItem->setShortcut(QKeySequence::Undo);
    connect(undoItem, &QAction::triggered, this, [this] { controller_.undoRedo(UndoStep::Undo); });
    auto* redoItem = addAction(editMenu, indexed("modosusumu", 1), QStringLiteral("進む"), 'R');
    // Ctrl+Y as on Windows, Ctrl+Shift+Z as in most Linux programs.
    redoItem->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redoItem, &QAction::triggered, this, [this] { controller_.undoRedo(UndoStep::Redo); });
    addSeparator(editMenu, QStringLiteral("yokobo5"));
    connect(addAction(editMenu, QStringLiteral("mhs"), QStringLiteral("削除。"), 'D'), &QAction::triggered, &controller_,
            &MainController::deleteLines);
    connect(addAction(editMenu, QStringLiteral("syusei"), QStringLiteral("修正"), 'M'), &QAction::triggered,
            &controller_, &MainController::modifySelection);
    addAction(editMenu, QStringLiteral("mojituika"), QStringLiteral("文字の追加"), 'C')->setEnabled(false);
    addAction(editMenu, QStringLiteral("kuugyoutuika"), QStringLiteral("空白行の追加"), 'B')->setEnabled(false);
    addSeparator(editMenu, QStringLiteral("yokobo4"));
    connect(addAction(editMenu, QStringLiteral("souto"), QStringLiteral("順に並べる"), 'S'), &QAction::triggered,
            &controller_, &MainController::sortLines);
    addSeparator(editMenu, QStringLiteral("yokobo01"));
    auto* selectAllItem = addAction(editMenu, QStringLiteral("subete"), QStringLiteral("全てを選択"), 'A');
    selectAllItem->setShortcut(QKeySequence::SelectAll);
    selectAllItem->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    lineList_->addAction(selectAllItem);
    connect(selectAllItem, &QAction::triggered, &controller_, &MainController::selectAll);
    connect(addAction(editMenu, QStringLiteral("mhst"), QStringLiteral("選択を取り消す。"), 'N'), &QAction::triggered,
            &controller_, &MainController::deselectAll);
    addSeparator(editMenu, QStringLiteral("filterSeparator"));
    auto* filterItem = addAction(editMenu, QStringLiteral("filter"), QStringLiteral("絞り込み"), 'F');
    filterItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(filterItem, &QAction::triggered, this, &MainWindow::openFilter);
    auto* nextItem = addAction(editMenu, QStringLiteral("findNext"), QStringLiteral("次を検索"), 'G');
    nextItem->setShortcut(QKeySequence(Qt::Key_F3));
    connect(nextItem, &QAction::triggered, this, [this] { findNext(true); });
    auto* previousItem = addAction(editMenu, QStringLiteral("findPrevious"), QStringLiteral("前を検索"), 'V');
    previousItem->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    connect(previousItem, &QAction::triggered, this, [this] { findNext(false); });
}

void MainWindow::buildSettingsMenu()
{
    QMenu* settingsMenu = addMenu(nullptr, QStringLiteral("settei0"), QStringLiteral("設定"), 'S');
    buildCopyMenu(settingsMenu);

    QMenu* rightClickMenu = addMenu(settingsMenu, QStringLiteral("r_cr1"), QStringLiteral("右クリック"), 'R');
    // The keys of the menus they stand for.
    const char* rightClickCaptions[] = {"ファイル", "履歴", "お気に入り", "編集", "コピー時の変換"};
    const char rightClickKeys[] = {'F', 'R', 'O', 'E', 'C'};
    for (int i = 0; i < 5; ++i) {
        auto* a = addAction(rightClickMenu, indexed("r_cr2", i), QString::fromUtf8(rightClickCaptions[i]),
                            rightClickKeys[i]);
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, i] { controller_.setRightClickChoice(i); });
    }
    connect(addAction(settingsMenu, indexed("rejiHozo", 0), QStringLiteral("レジストリの保存"), 'S'),
            &QAction::triggered, &controller_, &MainController::exportSettingsToFile);
    connect(addAction(settingsMenu, indexed("rejiHozo", 1), QStringLiteral("レジストリの読み込み"), 'L'),
            &QAction::triggered, &controller_, &MainController::importSettingsFromFile);
    addSeparator(settingsMenu, QStringLiteral("settei01"));
    addAction(settingsMenu, QStringLiteral("setti"), QStringLiteral("設定画面"), 'O');
}

void MainWindow::buildCopyMenu(QMenu* settingsMenu)
{
    QMenu* copyMenu = addMenu(settingsMenu, QStringLiteral("settei02"), QStringLiteral("コピーの方法"), 'C');
    const char* splitCaptions[] = {"分割　1　(英文に適しています。)", "分割　２　(日本語に適しています。)",
                                   "分割　３　(文字の種類で分けます。)", "分割　４　(一文字づつ分けます。)",
                                   "分割　５　(指定した文字で分けます。)"};
    for (int i = 0; i < 5; ++i)
        connect(addAction(copyMenu, indexed("bnkt", i), QString::fromUtf8(splitCaptions[i]), char('1' + i)),
                &QAction::triggered, this, [this, i] { controller_.splitCurrentLine(i); });
    addSeparator(copyMenu, QStringLiteral("mhs01"));
    // The keys: B/N for the line break, the case and script by a letter of
    // its English name (A lower, C capitals, W wide, Z zenkaku, H half-width
    // katakana, K katakana, I hiragana), L/T for leading and trailing spaces.
    struct OneShot { const char* name; int index; const char* caption; int line; int letter; char key; };
    const OneShot oneShots[] = {
        {"kaigyou", 0, "[改行 単] １行選択時に改行を入れる", LineInvertBreak, LetterNone, 'B'},
        {"kaigyou", 1, "[×改行 複]　複数行の選択時に改行を入れない。", LineNoJoinBreak, LetterNone, 'N'},
        {nullptr, 0, "henkan01", 0, 0, 0},
        {"henkan", 0, "[a]　半角　小文字", LineHalf, LetterLower, 'A'},
        {"henkan", 1, "[A]　半角　大文字", LineHalf, LetterUpper, 'C'},
        {"henkan", 2, "[ａ]　全角　小文字", LineFull, LetterLower, 'W'},
        {"henkan", 3, "[Ａ]　全角　大文字", LineFull, LetterUpper, 'Z'},
        {"henkan", 4, "[ｶ]　半角　カタカナ", LineHalf, LetterKatakana, 'H'},
        {"henkan", 5, "[カ]　全角　カタカナ", LineFull, LetterKatakana, 'K'},
        {"henkan", 6, "[あ]　ひらがな", LineFull, LetterHiragana, 'I'},
        {nullptr, 0, "yokobo2", 0, 0, 0},
        {"henkan2", 0, "[_←] 前部のスペースを省く。", LineInvertLeading, LetterNone, 'L'},
        {"henkan2", 1, "[→_] 後部のスペースを省く。", LineInvertTrailing, LetterNone, 'T'},
        {nullptr, 0, "mf027", 0, 0, 0},
    };
    for (const OneShot& o : oneShots) {
        if (!o.name) {
            addSeparator(copyMenu, QString::fromLatin1(o.caption));
            continue;
        }
        auto* a = addAction(copyMenu, indexed(o.name, o.index), QString::fromUtf8(o.caption), o.key);
        const int line = o.line, letter = o.letter;
        connect(a, &QAction::triggered, this, [this, line, letter] {
            controller_.copyAgain(line, letter);
            controller_.refreshStatus();
        });
    }
    connect(addAction(copyMenu, QStringLiteral("saicopy"), QStringLiteral("再コピー"), 'R'), &QAction::triggered, this,
            [this] { controller_.copyAgain(LineNone, LetterNone); });
}

void MainWindow::buildHelpMenu()
{
    QMenu* helpMenu = addMenu(nullptr, QStringLiteral("mhelp"), QStringLiteral("ヘルプ"), 'H');
    auto* helpItem = addAction(helpMenu, QStringLiteral("mhelph"), QStringLiteral("ヘルプを開く"), 'H');
    helpItem->setShortcut(QKeySequence(Qt::Key_F1));
    connect(helpItem, &QAction::triggered, &controller_, &MainController::showHelp);
    connect(addAction(helpMenu, QStringLiteral("mhb"), QStringLiteral("バージョン情報"), 'A'), &QAction::triggered,
            &controller_, &MainController::showVersionInformation);
}

void MainWindow::applyState()
{
    const MenuState m = controller_.menuState();
    auto enable = [this](const char* name, bool on) {
        if (QAction* a = actions_.value(QString::fromLatin1(name)))
            a->setEnabled(on);
    };
    enable("saiY", m.hasPath);
    enable("uHoson", m.hasPath);
    enable("mfho", m.hasLines);
    enable("mfhoMac", m.hasLines);
    enable("rirekic", m.canClearHistory);
    enable("okinituika", m.canAddFavourite);
    setCaption(QStringLiteral("okinituika"), m.addFavouriteCaption);
    enable("mhst", m.hasSelection);
    enable("mhs", m.hasSelection);
    enable("syusei", m.hasSelection);
    enable("subete", m.hasLines);
    enable("mojituika", m.hasLines && !m.filtering);
    enable("kuugyoutuika", m.hasLines && !m.filtering);
    enable("souto", m.manyLines && !m.filtering);
    enable("findNext", m.hasLines);
    enable("findPrevious", m.hasLines);
    for (int i = 0; i < 5; ++i)
        actions_.value(indexed("bnkt", i))->setEnabled(m.hasSelection);
    actions_.value(indexed("modosusumu", 0))->setEnabled(m.canUndo);
    actions_.value(indexed("modosusumu", 1))->setEnabled(m.canRedo);
    for (int i = 0; i < 7; ++i)
        actions_.value(indexed("henkan", i))->setEnabled(m.hasSelection);
    enable("henkan2_0", m.hasSelection);
    enable("henkan2_1", m.hasSelection);
    enable("saicopy", m.hasSelection);
    enable("kaigyou_0", m.oneSelected);
    enable("kaigyou_1", m.severalSelected);
    replaceButton_->setEnabled(m.hasSelection);
    setCaption(indexed("modosusumu", 0), m.undoCaption);
    setCaption(indexed("modosusumu", 1), m.redoCaption);
    setCaption(QStringLiteral("memotyou"), m.editorCaption);
    setCaption(QStringLiteral("kaigyou_0"), m.copyCaptions.breakSingleLineItem);
    setCaption(QStringLiteral("henkan2_0"), m.copyCaptions.trimLeadingItem);
    setCaption(QStringLiteral("henkan2_1"), m.copyCaptions.trimTrailingItem);
    for (int i = 0; i < 5; ++i)
        actions_.value(indexed("r_cr2", i))->setChecked(i == controller_.rightClickChoice());
    actions_.value(QStringLiteral("kakaku"))->setVisible(controller_.priceMenuVisible());
    statusLine_->setText(controller_.statusText());
}

void MainWindow::applyHistory()
{
    const History& h = controller_.history();
    for (int i = 1; i <= 11; ++i) {
        QAction* a = actions_.value(indexed("rireki01", i));
        setCaption(a->objectName(), h.item(i));
        a->setVisible(h.isVisible(i) && i <= 10);
    }
    actions_.value(QStringLiteral("rirekic"))->setEnabled(h.canClear());
}

void MainWindow::applyFavourites()
{
    const Favourites& f = controller_.favourites();
    for (int k = 1; k <= 10; ++k) {
        const QString path = f.slot(k);
        QAction* a = actions_.value(indexed("okini", k));
        setCaption(a->objectName(), path);
        a->setVisible(!path.isEmpty());
        favouriteButtons_[k - 1]->setEnabled(!path.isEmpty());
        favouriteButtons_[k - 1]->setToolTip(f.toolTip(k));
    }
    layoutControls();
}

}  // namespace petari
