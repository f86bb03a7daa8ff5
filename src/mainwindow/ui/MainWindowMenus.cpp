// MainWindow: the menu bar, each item named as the tests and the settings of
// the right-click choice know it, bound to the controller; and the enabled
// states and captions of the items after every change.

#include "copy/CopyEngine.h"
#include "editing/Favourites.h"
#include "editing/History.h"
#include "mainwindow/MainController.h"
#include "mainwindow/ui/LineListView.h"
#include "mainwindow/ui/MainWindow.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace petari {

namespace {
QString indexed(const char* base, int i) { return QString::fromLatin1(base) + QLatin1Char('_') + QString::number(i); }
}  // namespace

QAction* MainWindow::addAction(QMenu* menu, const QString& name, const QString& caption)
{
    auto* a = menu->addAction(caption);
    a->setObjectName(name);
    actions_.insert(name, a);
    return a;
}

QMenu* MainWindow::addMenu(QMenu* parent, const QString& name, const QString& caption)
{
    QMenu* m = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
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
}

void MainWindow::buildFileMenu()
{
    QMenu* fileMenu = addMenu(nullptr, QStringLiteral("mf01"), QStringLiteral("ファイル"));
    auto* newItem = addAction(fileMenu, QStringLiteral("mfnk"), QStringLiteral("新規作成"));
    newItem->setShortcut(QKeySequence::New);
    connect(newItem, &QAction::triggered, &controller_, &MainController::newDocument);
    auto* openItem = addAction(fileMenu, QStringLiteral("mfh"), QStringLiteral("開く"));
    openItem->setShortcut(QKeySequence::Open);
    connect(openItem, &QAction::triggered, &controller_, &MainController::openWithDialog);
    connect(addAction(fileMenu, QStringLiteral("saiY"), QStringLiteral("再読み込み(Binary)")), &QAction::triggered,
            &controller_, &MainController::reloadAsHex);
    auto* saveItem = addAction(fileMenu, QStringLiteral("uHoson"), QStringLiteral("上書き保存"));
    saveItem->setShortcut(QKeySequence::Save);
    connect(saveItem, &QAction::triggered, &controller_, &MainController::saveOver);
    auto* saveAsItem = addAction(fileMenu, QStringLiteral("mfho"), QStringLiteral("名前を付けて保存"));
    saveAsItem->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAsItem, &QAction::triggered, &controller_, &MainController::saveAs);
    connect(addAction(fileMenu, QStringLiteral("mfhoMac"), QStringLiteral("名前を付けて保存(Mac向け)")),
            &QAction::triggered, &controller_, &MainController::saveAsMac);
    connect(addAction(fileMenu, QStringLiteral("memotyou"), QStringLiteral("「メモ帳」を起動")), &QAction::triggered,
            &controller_, &MainController::startEditor);
    addSeparator(fileMenu, QStringLiteral("mf02"));
    connect(addAction(fileMenu, QStringLiteral("hizuke"), QStringLiteral("日付と時刻")), &QAction::triggered, this,
            [this] { controller_.stampDateTime(); });
    for (const char* n : {"hina", "hyou", "ransu1", "fileMeiHyouji", "kakaku"}) {
        static const QMap<QString, QString> captions = {
            {"hina", "雛形を作成"}, {"hyou", "表の作成"},
            {"ransu1", "乱数の作成"}, {"fileMeiHyouji", "ファイル名の表示"}, {"kakaku", "価格"}};
        // Each opens another window; connectSecondaryWindows binds and enables it.
        addAction(fileMenu, QString::fromLatin1(n), captions.value(QString::fromLatin1(n)))->setEnabled(false);
    }
    addSeparator(fileMenu, QStringLiteral("mf03"));
    auto* quitItem = addAction(fileMenu, QStringLiteral("mfs"), QStringLiteral("終了"));
    quitItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quitItem, &QAction::triggered, this, &MainWindow::requestClose);
    connect(addAction(fileMenu, QStringLiteral("mfsr"), QStringLiteral("レジストリを削除して終了")),
            &QAction::triggered, &controller_, &MainController::requestExitDeletingSettings);
}

void MainWindow::buildHistoryMenu()
{
    QMenu* historyMenu = addMenu(nullptr, QStringLiteral("rireki"), QStringLiteral("履歴"));
    connect(addAction(historyMenu, QStringLiteral("rirekic"), QStringLiteral("履歴のクリア")), &QAction::triggered,
            &controller_, &MainController::clearHistory);
    addSeparator(historyMenu, QStringLiteral("rireki0"));
    for (int i = 1; i <= 11; ++i) {
        auto* a = addAction(historyMenu, indexed("rireki01", i), QString());
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { controller_.openHistory(i); });
    }
}

void MainWindow::buildFavouritesMenu()
{
    QMenu* favouritesMenu = addMenu(nullptr, QStringLiteral("okini1"), QStringLiteral("お気に入り"));
    connect(addAction(favouritesMenu, QStringLiteral("okinituika"), QStringLiteral("追加")), &QAction::triggered,
            &controller_, &MainController::addFavourite);
    addAction(favouritesMenu, QStringLiteral("okinihensyu"), QStringLiteral("編集"))->setEnabled(false);
    addSeparator(favouritesMenu, QStringLiteral("okini2"));
    for (int i = 0; i <= 11; ++i) {
        auto* a = addAction(favouritesMenu, indexed("okini", i), QString());
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { controller_.openFavourite(i); });
    }
}

void MainWindow::buildEditMenu()
{
    QMenu* editMenu = addMenu(nullptr, QStringLiteral("mh01"), QStringLiteral("編集"));
    auto* undoItem = addAction(editMenu, indexed("modosusumu", 0), QStringLiteral("戻す"));
    undoItem->setShortcut(QKeySequence::Undo);
    connect(undoItem, &QAction::triggered, this, [this] { controller_.undoRedo(0); });
    auto* redoItem = addAction(editMenu, indexed("modosusumu", 1), QStringLiteral("進む"));
    redoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(redoItem, &QAction::triggered, this, [this] { controller_.undoRedo(1); });
    addSeparator(editMenu, QStringLiteral("yokobo5"));
    connect(addAction(editMenu, QStringLiteral("mhs"), QStringLiteral("削除。")), &QAction::triggered, &controller_,
            &MainController::deleteLines);
    connect(addAction(editMenu, QStringLiteral("syusei"), QStringLiteral("修正")), &QAction::triggered, &controller_,
            &MainController::modifySelection);
    addAction(editMenu, QStringLiteral("mojituika"), QStringLiteral("文字の追加"))->setEnabled(false);
    addAction(editMenu, QStringLiteral("kuugyoutuika"), QStringLiteral("空白行の追加"))->setEnabled(false);
    addSeparator(editMenu, QStringLiteral("yokobo4"));
    connect(addAction(editMenu, QStringLiteral("souto"), QStringLiteral("順に並べる")), &QAction::triggered, &controller_,
            &MainController::sortLines);
    addSeparator(editMenu, QStringLiteral("yokobo01"));
    auto* selectAllItem = addAction(editMenu, QStringLiteral("subete"), QStringLiteral("全てを選択"));
    selectAllItem->setShortcut(QKeySequence::SelectAll);
    selectAllItem->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    lineList_->addAction(selectAllItem);
    connect(selectAllItem, &QAction::triggered, &controller_, &MainController::selectAll);
    connect(addAction(editMenu, QStringLiteral("mhst"), QStringLiteral("選択を取り消す。")), &QAction::triggered,
            &controller_, &MainController::deselectAll);
}

void MainWindow::buildSettingsMenu()
{
    QMenu* settingsMenu = addMenu(nullptr, QStringLiteral("settei0"), QStringLiteral("設定"));
    buildCopyMenu(settingsMenu);

    QMenu* rightClickMenu = addMenu(settingsMenu, QStringLiteral("r_cr1"), QStringLiteral("右クリック"));
    const char* rightClickCaptions[] = {"ファイル", "履歴", "お気に入り", "編集", "コピー時の変換"};
    for (int i = 0; i < 5; ++i) {
        auto* a = addAction(rightClickMenu, indexed("r_cr2", i), QString::fromUtf8(rightClickCaptions[i]));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, i] { controller_.setRightClickChoice(i); });
    }
    connect(addAction(settingsMenu, indexed("rejiHozo", 0), QStringLiteral("レジストリの保存")),
            &QAction::triggered, &controller_, &MainController::exportSettingsToFile);
    connect(addAction(settingsMenu, indexed("rejiHozo", 1), QStringLiteral("レジストリの読み込み")),
            &QAction::triggered, &controller_, &MainController::importSettingsFromFile);
    addSeparator(settingsMenu, QStringLiteral("settei01"));
    addAction(settingsMenu, QStringLiteral("setti"), QStringLiteral("設定画面"));
}

void MainWindow::buildCopyMenu(QMenu* settingsMenu)
{
    QMenu* copyMenu = addMenu(settingsMenu, QStringLiteral("settei02"), QStringLiteral("コピーの方法"));
    const char* splitCaptions[] = {"分割　1　(英文に適しています。)", "分割　２　(日本語に適しています。)",
                                   "分割　３　(文字の種類で分けます。)", "分割　４　(一文字づつ分けます。)",
                                   "分割　５　(指定した文字で分けます。)"};
    for (int i = 0; i < 5; ++i)
        connect(addAction(copyMenu, indexed("bnkt", i), QString::fromUtf8(splitCaptions[i])), &QAction::triggered,
                this, [this, i] { controller_.splitCurrentLine(i); });
    addSeparator(copyMenu, QStringLiteral("mhs01"));
    struct OneShot { const char* name; int index; const char* caption; int line; int letter; };
    const OneShot oneShots[] = {
        {"kaigyou", 0, "[改行 単] １行選択時に改行を入れる", LineInvertBreak, LetterNone},
        {"kaigyou", 1, "[×改行 複]　複数行の選択時に改行を入れない。", LineNoJoinBreak, LetterNone},
        {nullptr, 0, "henkan01", 0, 0},
        {"henkan", 0, "[a]　半角　小文字", LineHalf, LetterLower},
        {"henkan", 1, "[A]　半角　大文字", LineHalf, LetterUpper},
        {"henkan", 2, "[ａ]　全角　小文字", LineFull, LetterLower},
        {"henkan", 3, "[Ａ]　全角　大文字", LineFull, LetterUpper},
        {"henkan", 4, "[ｶ]　半角　カタカナ", LineHalf, LetterKatakana},
        {"henkan", 5, "[カ]　全角　カタカナ", LineFull, LetterKatakana},
        {"henkan", 6, "[あ]　ひらがな", LineFull, LetterHiragana},
        {nullptr, 0, "yokobo2", 0, 0},
        {"henkan2", 0, "[_←] 前部のスペースを省く。", LineInvertLeading, LetterNone},
        {"henkan2", 1, "[→_] 後部のスペースを省く。", LineInvertTrailing, LetterNone},
        {nullptr, 0, "mf027", 0, 0},
    };
    for (const OneShot& o : oneShots) {
        if (!o.name) {
            addSeparator(copyMenu, QString::fromLatin1(o.caption));
            continue;
        }
        auto* a = addAction(copyMenu, indexed(o.name, o.index), QString::fromUtf8(o.caption));
        const int line = o.line, letter = o.letter;
        connect(a, &QAction::triggered, this, [this, line, letter] {
            controller_.copyAgain(line, letter);
            controller_.refreshStatus();
        });
    }
    connect(addAction(copyMenu, QStringLiteral("saicopy"), QStringLiteral("再コピー")), &QAction::triggered, this,
            [this] { controller_.copyAgain(LineNone, LetterNone); });
}

void MainWindow::buildHelpMenu()
{
    QMenu* helpMenu = addMenu(nullptr, QStringLiteral("mhelp"), QStringLiteral("ヘルプ"));
    connect(addAction(helpMenu, QStringLiteral("mhelph"), QStringLiteral("ヘルプを開く")), &QAction::triggered,
            &controller_, &MainController::showHelp);
    connect(addAction(helpMenu, QStringLiteral("mhb"), QStringLiteral("バージョン情報")), &QAction::triggered,
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
    actions_.value(QStringLiteral("okinituika"))->setText(m.addFavouriteCaption);
    enable("mhst", m.hasSelection);
    enable("mhs", m.hasSelection);
    enable("syusei", m.hasSelection);
    enable("subete", m.hasLines);
    enable("mojituika", m.hasLines);
    enable("kuugyoutuika", m.hasLines);
    enable("souto", m.manyLines);
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
    actions_.value(indexed("modosusumu", 0))->setText(m.undoCaption);
    actions_.value(indexed("modosusumu", 1))->setText(m.redoCaption);
    actions_.value(QStringLiteral("memotyou"))->setText(m.editorCaption);
    actions_.value(QStringLiteral("kaigyou_0"))->setText(m.copyCaptions.breakSingleLineItem);
    actions_.value(QStringLiteral("henkan2_0"))->setText(m.copyCaptions.trimLeadingItem);
    actions_.value(QStringLiteral("henkan2_1"))->setText(m.copyCaptions.trimTrailingItem);
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
        a->setText(h.item(i));
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
        a->setText(path);
        a->setVisible(!path.isEmpty());
        favouriteButtons_[k - 1]->setEnabled(!path.isEmpty());
        favouriteButtons_[k - 1]->setToolTip(f.toolTip(k));
    }
    layoutControls();
}

}  // namespace petari
