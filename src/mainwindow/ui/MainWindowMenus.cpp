// MainWindow: the menu bar, each item a member named for what it does and
// bound to the controller; and the enabled states and captions of the items
// after every change.

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

QAction* MainWindow::addAction(QMenu* menu, const char* name, const QString& caption, char key)
{
    auto* a = menu->addAction(QString());
    a->setObjectName(QString::fromLatin1(name));
    menuItems_.append(a);
    accessKeys_.insert(a, key);
    setCaption(a, caption);
    return a;
}

void MainWindow::setCaption(QAction* item, const QString& caption)
{
    // An empty slot of the history or the favourites stays hidden and empty.
    item->setText(caption.isEmpty() ? QString() : withAccessKey(caption, accessKeys_.value(item)));
}

QMenu* MainWindow::addMenu(QMenu* parent, const char* name, const QString& caption, char key)
{
    const QString shown = withAccessKey(caption, key);
    QMenu* m = parent ? parent->addMenu(shown) : menuBar()->addMenu(shown);
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

void MainWindow::addSeparator(QMenu* menu, const char* name)
{
    QAction* s = menu->addSeparator();
    s->setObjectName(QString::fromLatin1(name));
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

void MainWindow::openMenuBar() { menuBar()->setActiveAction(fileMenu_->menuAction()); }

void MainWindow::buildFileMenu()
{
    fileMenu_ = addMenu(nullptr, "fileMenu", QStringLiteral("ファイル"), 'F');
    newAction_ = addAction(fileMenu_, "newAction", QStringLiteral("新規作成"), 'N');
    newAction_->setShortcut(QKeySequence::New);
    connect(newAction_, &QAction::triggered, &controller_, &MainController::newDocument);
    openAction_ = addAction(fileMenu_, "openAction", QStringLiteral("開く"), 'O');
    openAction_->setShortcut(QKeySequence::Open);
    connect(openAction_, &QAction::triggered, &controller_, &MainController::openWithDialog);
    reloadAsHexAction_ = addAction(fileMenu_, "reloadAsHexAction", QStringLiteral("再読み込み(Binary)"), 'B');
    connect(reloadAsHexAction_, &QAction::triggered, &controller_, &MainController::reloadAsHex);
    saveAction_ = addAction(fileMenu_, "saveAction", QStringLiteral("上書き保存"), 'S');
    saveAction_->setShortcut(QKeySequence::Save);
    connect(saveAction_, &QAction::triggered, &controller_, &MainController::saveOver);
    saveAsAction_ = addAction(fileMenu_, "saveAsAction", QStringLiteral("名前を付けて保存"), 'A');
    saveAsAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAsAction_, &QAction::triggered, &controller_, &MainController::saveAs);
    saveAsMacAction_ = addAction(fileMenu_, "saveAsMacAction", QStringLiteral("名前を付けて保存(Mac向け)"), 'M');
    connect(saveAsMacAction_, &QAction::triggered, &controller_, &MainController::saveAsMac);
    editorAction_ = addAction(fileMenu_, "editorAction", QStringLiteral("「メモ帳」を起動"), 'E');
    connect(editorAction_, &QAction::triggered, &controller_, &MainController::startEditor);
    addSeparator(fileMenu_, "fileToolsSeparator");
    dateTimeAction_ = addAction(fileMenu_, "dateTimeAction", QStringLiteral("日付と時刻"), 'D');
    connect(dateTimeAction_, &QAction::triggered, this, [this] { controller_.stampDateTime(); });
    // Each opens another window; connectSecondaryWindows binds and enables it.
    const struct { QAction** item; const char* name; const char* caption; char key; } openers[] = {
        {&templateAction_, "templateAction", "雛形を作成", 'T'}, {&tableAction_, "tableAction", "表の作成", 'L'},
        {&randomAction_, "randomAction", "乱数の作成", 'R'},
        {&fileNamesAction_, "fileNamesAction", "ファイル名の表示", 'F'}, {&priceAction_, "priceAction", "価格", 'P'}};
    for (const auto& o : openers) {
        *o.item = addAction(fileMenu_, o.name, QString::fromUtf8(o.caption), o.key);
        (*o.item)->setEnabled(false);
    }
    addSeparator(fileMenu_, "quitSeparator");
    quitAction_ = addAction(fileMenu_, "quitAction", QStringLiteral("終了"), 'X');
    quitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quitAction_, &QAction::triggered, this, &MainWindow::requestClose);
    quitDeletingSettingsAction_ =
        addAction(fileMenu_, "quitDeletingSettingsAction", QStringLiteral("レジストリを削除して終了"), 'G');
    connect(quitDeletingSettingsAction_, &QAction::triggered, &controller_,
            &MainController::requestExitDeletingSettings);
}

namespace {
// The recent files and the favourites take the keys 1 to 9, then 0 for the tenth.
char numberKey(int i) { return char('0' + i % 10); }
// The object name of a numbered item: "historyItem1".
QByteArray numbered(const char* base, int i) { return QByteArray(base) + QByteArray::number(i); }
}  // namespace

void MainWindow::buildHistoryMenu()
{
    historyMenu_ = addMenu(nullptr, "historyMenu", QStringLiteral("履歴"), 'R');
    clearHistoryAction_ = addAction(historyMenu_, "clearHistoryAction", QStringLiteral("履歴のクリア"), 'C');
    connect(clearHistoryAction_, &QAction::triggered, &controller_, &MainController::clearHistory);
    addSeparator(historyMenu_, "historySeparator");
    for (int i = 1; i <= int(historyActions_.size()); ++i) {
        QAction* a = addAction(historyMenu_, numbered("historyItem", i).constData(), QString(), numberKey(i));
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { controller_.openHistory(i); });
        historyActions_[i - 1] = a;
    }
}

void MainWindow::buildFavouritesMenu()
{
    favouritesMenu_ = addMenu(nullptr, "favouritesMenu", QStringLiteral("お気に入り"), 'O');
    addFavouriteAction_ = addAction(favouritesMenu_, "addFavouriteAction", QStringLiteral("追加"), 'A');
    connect(addFavouriteAction_, &QAction::triggered, &controller_, &MainController::addFavourite);
    editFavouritesAction_ = addAction(favouritesMenu_, "editFavouritesAction", QStringLiteral("編集"), 'E');
    editFavouritesAction_->setEnabled(false);
    addSeparator(favouritesMenu_, "favouritesSeparator");
    for (int i = 0; i < int(favouriteActions_.size()); ++i) {
        QAction* a = addAction(favouritesMenu_, numbered("favouriteItem", i).constData(), QString(), numberKey(i));
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { controller_.openFavourite(i); });
        favouriteActions_[i] = a;
    }
}

void MainWindow::buildEditMenu()
{
    editMenu_ = addMenu(nullptr, "editMenu", QStringLiteral("編集"), 'E');
    undoAction_ = addAction(editMenu_, "undoAction", QStringLiteral("戻す"), 'U');
    undoAction_->setShortcut(QKeySequence::Undo);
    connect(undoAction_, &QAction::triggered, this, [this] { controller_.undoRedo(UndoStep::Undo); });
    redoAction_ = addAction(editMenu_, "redoAction", QStringLiteral("進む"), 'R');
    // Ctrl+Y as on Windows, Ctrl+Shift+Z as in most Linux programs.
    redoAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redoAction_, &QAction::triggered, this, [this] { controller_.undoRedo(UndoStep::Redo); });
    addSeparator(editMenu_, "undoSeparator");
    deleteAction_ = addAction(editMenu_, "deleteAction", QStringLiteral("削除。"), 'D');
    connect(deleteAction_, &QAction::triggered, &controller_, &MainController::deleteLines);
    modifyAction_ = addAction(editMenu_, "modifyAction", QStringLiteral("修正"), 'M');
    connect(modifyAction_, &QAction::triggered, &controller_, &MainController::modifySelection);
    addCharactersAction_ = addAction(editMenu_, "addCharactersAction", QStringLiteral("文字の追加"), 'C');
    addCharactersAction_->setEnabled(false);
    addBlankLinesAction_ = addAction(editMenu_, "addBlankLinesAction", QStringLiteral("空白行の追加"), 'B');
    addBlankLinesAction_->setEnabled(false);
    addSeparator(editMenu_, "sortSeparator");
    sortAction_ = addAction(editMenu_, "sortAction", QStringLiteral("順に並べる"), 'S');
    connect(sortAction_, &QAction::triggered, &controller_, &MainController::sortLines);
    addSeparator(editMenu_, "selectionSeparator");
    selectAllAction_ = addAction(editMenu_, "selectAllAction", QStringLiteral("全てを選択"), 'A');
    selectAllAction_->setShortcut(QKeySequence::SelectAll);
    selectAllAction_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    lineList_->addAction(selectAllAction_);
    connect(selectAllAction_, &QAction::triggered, &controller_, &MainController::selectAll);
    deselectAction_ = addAction(editMenu_, "deselectAction", QStringLiteral("選択を取り消す。"), 'N');
    connect(deselectAction_, &QAction::triggered, &controller_, &MainController::deselectAll);
    addSeparator(editMenu_, "filterSeparator");
    filterAction_ = addAction(editMenu_, "filterAction", QStringLiteral("絞り込み"), 'F');
    filterAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(filterAction_, &QAction::triggered, this, &MainWindow::openFilter);
    findNextAction_ = addAction(editMenu_, "findNextAction", QStringLiteral("次を検索"), 'G');
    findNextAction_->setShortcut(QKeySequence(Qt::Key_F3));
    connect(findNextAction_, &QAction::triggered, this, [this] { findNext(true); });
    findPreviousAction_ = addAction(editMenu_, "findPreviousAction", QStringLiteral("前を検索"), 'V');
    findPreviousAction_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    connect(findPreviousAction_, &QAction::triggered, this, [this] { findNext(false); });
}

void MainWindow::buildSettingsMenu()
{
    settingsMenu_ = addMenu(nullptr, "settingsMenu", QStringLiteral("設定"), 'S');
    buildCopyMenu();

    rightClickMenu_ = addMenu(settingsMenu_, "rightClickMenu", QStringLiteral("右クリック"), 'R');
    // The keys of the menus they stand for.
    const struct { const char* name; const char* caption; char key; } rightClickItems[] = {
        {"rightClickFileAction", "ファイル", 'F'}, {"rightClickHistoryAction", "履歴", 'R'},
        {"rightClickFavouritesAction", "お気に入り", 'O'}, {"rightClickEditAction", "編集", 'E'},
        {"rightClickCopyAction", "コピー時の変換", 'C'}};
    for (int i = 0; i < int(rightClickActions_.size()); ++i) {
        const auto& r = rightClickItems[i];
        QAction* a = addAction(rightClickMenu_, r.name, QString::fromUtf8(r.caption), r.key);
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, i] { controller_.setRightClickChoice(i); });
        rightClickActions_[i] = a;
    }
    exportSettingsAction_ = addAction(settingsMenu_, "exportSettingsAction", QStringLiteral("レジストリの保存"), 'S');
    connect(exportSettingsAction_, &QAction::triggered, &controller_, &MainController::exportSettingsToFile);
    importSettingsAction_ =
        addAction(settingsMenu_, "importSettingsAction", QStringLiteral("レジストリの読み込み"), 'L');
    connect(importSettingsAction_, &QAction::triggered, &controller_, &MainController::importSettingsFromFile);
    addSeparator(settingsMenu_, "settingsWindowSeparator");
    settingsWindowAction_ = addAction(settingsMenu_, "settingsWindowAction", QStringLiteral("設定画面"), 'O');
}

void MainWindow::buildCopyMenu()
{
    copyMethodMenu_ = addMenu(settingsMenu_, "copyMethodMenu", QStringLiteral("コピーの方法"), 'C');
    const char* splitCaptions[] = {"分割　1　(英文に適しています。)", "分割　２　(日本語に適しています。)",
                                   "分割　３　(文字の種類で分けます。)", "分割　４　(一文字づつ分けます。)",
                                   "分割　５　(指定した文字で分けます。)"};
    for (int i = 0; i < int(splitActions_.size()); ++i) {
        splitActions_[i] = addAction(copyMethodMenu_, numbered("splitAction", i + 1).constData(),
                                     QString::fromUtf8(splitCaptions[i]), char('1' + i));
        connect(splitActions_[i], &QAction::triggered, this, [this, i] { controller_.splitCurrentLine(i); });
    }
    addSeparator(copyMethodMenu_, "splitSeparator");
    buildCopyOptions();
    copyAgainAction_ = addAction(copyMethodMenu_, "copyAgainAction", QStringLiteral("再コピー"), 'R');
    connect(copyAgainAction_, &QAction::triggered, this, [this] { controller_.copyAgain(LineNone, LetterNone); });
}

void MainWindow::buildCopyOptions()
{
    // The keys: B/N for the line break, the case and script by a letter of
    // its English name (A lower, C capitals, W wide, Z zenkaku, H half-width
    // katakana, K katakana, I hiragana), L/T for leading and trailing spaces.
    // A row without an item is a separator.
    struct OneShot { QAction** item; const char* name; const char* caption; int line; int letter; char key; };
    const OneShot oneShots[] = {
        {&breakSingleLineAction_, "breakSingleLineAction", "[改行 単] １行選択時に改行を入れる", LineInvertBreak,
         LetterNone, 'B'},
        {&noBreakSeveralLinesAction_, "noBreakSeveralLinesAction", "[×改行 複]　複数行の選択時に改行を入れない。",
         LineNoJoinBreak, LetterNone, 'N'},
        {nullptr, "breakSeparator", nullptr, 0, 0, 0},
        {&convertActions_[0], "halfLowerAction", "[a]　半角　小文字", LineHalf, LetterLower, 'A'},
        {&convertActions_[1], "halfUpperAction", "[A]　半角　大文字", LineHalf, LetterUpper, 'C'},
        {&convertActions_[2], "fullLowerAction", "[ａ]　全角　小文字", LineFull, LetterLower, 'W'},
        {&convertActions_[3], "fullUpperAction", "[Ａ]　全角　大文字", LineFull, LetterUpper, 'Z'},
        {&convertActions_[4], "halfKatakanaAction", "[ｶ]　半角　カタカナ", LineHalf, LetterKatakana, 'H'},
        {&convertActions_[5], "fullKatakanaAction", "[カ]　全角　カタカナ", LineFull, LetterKatakana, 'K'},
        {&convertActions_[6], "hiraganaAction", "[あ]　ひらがな", LineFull, LetterHiragana, 'I'},
        {nullptr, "convertSeparator", nullptr, 0, 0, 0},
        {&trimLeadingAction_, "trimLeadingAction", "[_←] 前部のスペースを省く。", LineInvertLeading, LetterNone, 'L'},
        {&trimTrailingAction_, "trimTrailingAction", "[→_] 後部のスペースを省く。", LineInvertTrailing, LetterNone,
         'T'},
        {nullptr, "trimSeparator", nullptr, 0, 0, 0},
    };
    for (const OneShot& o : oneShots) {
        if (!o.item) {
            addSeparator(copyMethodMenu_, o.name);
            continue;
        }
        *o.item = addAction(copyMethodMenu_, o.name, QString::fromUtf8(o.caption), o.key);
        const int line = o.line, letter = o.letter;
        connect(*o.item, &QAction::triggered, this, [this, line, letter] {
            controller_.copyAgain(line, letter);
            controller_.refreshStatus();
        });
    }
}

void MainWindow::buildHelpMenu()
{
    helpMenu_ = addMenu(nullptr, "helpMenu", QStringLiteral("ヘルプ"), 'H');
    helpAction_ = addAction(helpMenu_, "helpAction", QStringLiteral("ヘルプを開く"), 'H');
    helpAction_->setShortcut(QKeySequence(Qt::Key_F1));
    connect(helpAction_, &QAction::triggered, &controller_, &MainController::showHelp);
    versionAction_ = addAction(helpMenu_, "versionAction", QStringLiteral("バージョン情報"), 'A');
    connect(versionAction_, &QAction::triggered, &controller_, &MainController::showVersionInformation);
}

void MainWindow::applyState()
{
    const MenuState m = controller_.menuState();
    reloadAsHexAction_->setEnabled(m.hasPath);
    saveAction_->setEnabled(m.hasPath);
    saveAsAction_->setEnabled(m.hasLines);
    saveAsMacAction_->setEnabled(m.hasLines);
    clearHistoryAction_->setEnabled(m.canClearHistory);
    addFavouriteAction_->setEnabled(m.canAddFavourite);
    setCaption(addFavouriteAction_, m.addFavouriteCaption);
    for (QAction* a : {deselectAction_, deleteAction_, modifyAction_, trimLeadingAction_, trimTrailingAction_,
                       copyAgainAction_})
        a->setEnabled(m.hasSelection);
    selectAllAction_->setEnabled(m.hasLines);
    addCharactersAction_->setEnabled(m.hasLines && !m.filtering);
    addBlankLinesAction_->setEnabled(m.hasLines && !m.filtering);
    sortAction_->setEnabled(m.manyLines && !m.filtering);
    findNextAction_->setEnabled(m.hasLines);
    findPreviousAction_->setEnabled(m.hasLines);
    for (QAction* a : splitActions_)
        a->setEnabled(m.hasSelection);
    undoAction_->setEnabled(m.canUndo);
    redoAction_->setEnabled(m.canRedo);
    for (QAction* a : convertActions_)
        a->setEnabled(m.hasSelection);
    breakSingleLineAction_->setEnabled(m.oneSelected);
    noBreakSeveralLinesAction_->setEnabled(m.severalSelected);
    replaceButton_->setEnabled(m.hasSelection);
    setCaption(undoAction_, m.undoCaption);
    setCaption(redoAction_, m.redoCaption);
    setCaption(editorAction_, m.editorCaption);
    setCaption(breakSingleLineAction_, m.copyCaptions.breakSingleLineItem);
    setCaption(trimLeadingAction_, m.copyCaptions.trimLeadingItem);
    setCaption(trimTrailingAction_, m.copyCaptions.trimTrailingItem);
    for (int i = 0; i < int(rightClickActions_.size()); ++i)
        rightClickActions_[i]->setChecked(i == controller_.rightClickChoice());
    priceAction_->setVisible(controller_.priceMenuVisible());
    statusLine_->setText(controller_.statusText());
}

void MainWindow::applyHistory()
{
    const History& h = controller_.history();
    for (int i = 1; i <= int(historyActions_.size()); ++i) {
        QAction* a = historyActions_[i - 1];
        setCaption(a, h.item(i));
        a->setVisible(h.isVisible(i) && i <= 10);
    }
    clearHistoryAction_->setEnabled(h.canClear());
}

void MainWindow::applyFavourites()
{
    const Favourites& f = controller_.favourites();
    for (int k = 1; k <= 10; ++k) {
        const QString path = f.slot(k);
        QAction* a = favouriteActions_[k];
        setCaption(a, path);
        a->setVisible(!path.isEmpty());
        favouriteButtons_[k - 1]->setEnabled(!path.isEmpty());
        favouriteButtons_[k - 1]->setToolTip(f.toolTip(k));
    }
    layoutControls();
}

}  // namespace petari
