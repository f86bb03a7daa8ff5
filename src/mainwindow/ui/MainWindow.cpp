#include "mainwindow/ui/MainWindow.h"

#include "platform/ui/Widgets.h"
#include "platform/InstanceRegistry.h"
#include "platform/SettingsStore.h"
#include "copy/CopyEngine.h"
#include "editing/Favourites.h"
#include "editing/History.h"
#include "mainwindow/MainController.h"
#include "mainwindow/ui/InputArea.h"
#include "mainwindow/ui/LineListView.h"
#include "platform/Clipboard.h"
#include "platform/ProgramFolder.h"
#include "dialogs/ui/NoticeDialog.h"
#include "platform/ui/QtPrompt.h"
#include "mainwindow/Layout.h"
#include "editing/Splitting.h"
#include "services/Guard.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace petari {

namespace {

QString indexed(const char* base, int i) { return QString::fromLatin1(base) + QLatin1Char('_') + QString::number(i); }

// The table-of-contents box remembers that its list was dropped down until it
// loses the focus, so the release that chose an entry does nothing to the list.
class TocCombo : public QComboBox {
public:
    TocCombo(QWidget* parent, bool& flag) : QComboBox(parent), flag_(flag) {}
    void showPopup() override
    {
        flag_ = true;
        QComboBox::showPopup();
    }

protected:
    void focusOutEvent(QFocusEvent* e) override
    {
        flag_ = false;
        QComboBox::focusOutEvent(e);
    }

private:
    bool& flag_;
};

}  // namespace

MainWindow::MainWindow(MainController& controller, QWidget* parent) : QMainWindow(parent), c_(controller)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(MainController::caption());
    buildControls();
    buildMenus();
    connectSecondaryWindows();
    // Menu shortcuts belong to the window as well, so that they work from the
    // first key press whatever control has the focus (the input box keeps its
    // own undo and select-all), not only once a menu has been opened.
    for (QAction* a : std::as_const(actions_))
        if (!a->shortcut().isEmpty() && a->shortcutContext() == Qt::WindowShortcut)
            QWidget::addAction(a);
    resize(twipsToPixels(7000), twipsToPixels(5000));
    c_.setView(this);
    connect(&c_, &MainController::refreshed, this, &MainWindow::applyState);
    connect(&c_, &MainController::statusChanged, label2_, &QLabel::setText);
    connect(&c_, &MainController::historyChanged, this, &MainWindow::applyHistory);
    connect(&c_, &MainController::favouritesChanged, this, &MainWindow::applyFavourites);
    connect(&c_, &MainController::tocChanged, this, &MainWindow::applyToc);
    centralWidget()->setMouseTracking(true);
    centralWidget()->installEventFilter(this);
    line1_->setMouseTracking(true);
    line1_->setCursor(Qt::SizeVerCursor);
    line1_->installEventFilter(this);
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(200);
    connect(timer1_, &QTimer::timeout, this, &MainWindow::monitorTick);
    timer1_->start();
    applyHistory();
    applyFavourites();
    applyState();
}

MainWindow::~MainWindow() { c_.setView(nullptr); }

void MainWindow::buildControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    setCentralWidget(central);
    const QFont mono = japaneseMonospace();

    picture1_ = new QWidget(central);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    auto* favLabel = new QLabel(QStringLiteral("お気に入り"), picture1_);
    favLabel->setObjectName(QStringLiteral("Label1_1"));
    QFont small = favLabel->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    favLabel->setFont(small);
    favLabel->setGeometry(1, 6, 56, 18);
    for (int i = 0; i < 10; ++i) {
        auto* b = new QPushButton(QString::number(i + 1), picture1_);
        b->setObjectName(indexed("Command2", i));
        b->setFont(mono);
        b->setEnabled(false);
        connect(b, &QPushButton::clicked, this, [this, i] { c_.openFavourite(i + 1); });
        command2_.append(b);
    }
    auto* folderLabel = new QLabel(QStringLiteral("同一フォルダ"), picture1_);
    folderLabel->setObjectName(QStringLiteral("Label3"));
    folderLabel->setFont(small);
    for (int i : {0, 2}) {
        auto* b = new QPushButton(i == 0 ? QStringLiteral("<") : QStringLiteral(">"), picture1_);
        b->setObjectName(indexed("Command3", i));
        connect(b, &QPushButton::clicked, this, [this, i] { c_.openNeighbour(i - 1); });
        command3_.append(b);
    }

    text1_ = new InputArea(central);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setFont(mono);
    text1_->setToolTip(QStringLiteral("追加する文字の入力場所です。"));

    const char* captions[] = {"確認", "追加", "書換", "消す"};
    const char* tips[] = {"クリップボードの内容を表示します。", "右の内容を下に追加します。",
                          "下の選択場所を右の内容に替えます。", "右の内容を消します。"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(captions[i]), central);
        b->setObjectName(indexed("Command1", i));
        b->setToolTip(QString::fromUtf8(tips[i]));
        command1_.append(b);
    }
    connect(command1_[0], &QPushButton::clicked, this, [this] {
        guarded(QStringLiteral("F1 Command1_Click"),
                [&] { text1_->setPlainText(c_.clipboard().text()); });
    });
    connect(command1_[1], &QPushButton::clicked, this, [this] { c_.addInput(text1_->toPlainText()); });
    connect(command1_[2], &QPushButton::clicked, this,
            [this] { c_.replaceSelection(text1_->toPlainText()); });
    connect(command1_[3], &QPushButton::clicked, this, [this] {
        guarded(QStringLiteral("F1 Command1_Click"), [&] {
            if (text1_->toPlainText() == QStringLiteral("隠し画面を開く"))
                c_.settings().write(QStringLiteral("F7"), QStringLiteral("Visible"), QStringLiteral("True"));
            text1_->clear();
        });
    });

    line1_ = new QFrame(central);
    line1_->setObjectName(QStringLiteral("Line1"));
    line1_->setFrameShape(QFrame::HLine);
    line1_->setFrameShadow(QFrame::Sunken);

    tocLabel_ = new QLabel(QStringLiteral("目次"), central);
    tocLabel_->setObjectName(QStringLiteral("Label1_0"));
    tocLabel_->setToolTip(QStringLiteral("改行だけの行の次の行が目次に成ります。"));
    combo1_ = new TocCombo(central, dropDownOpen_);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setToolTip(QStringLiteral("改行だけの行の次の行が目次に成ります。"));
    connect(combo1_, qOverload<int>(&QComboBox::activated), this, [this](int i) { c_.jumpToHeading(i); });

    for (int i = 0; i < 3; ++i) {
        auto* v = new LineListView(central);
        v->setObjectName(indexed("List1", i));
        v->setFont(mono);
        v->setModel(i == 1 ? &c_.splitList() : &c_.lines());
        if (i == 0)
            v->setSelectionModel(c_.lines().selectionModel());
        else if (i == 1)
            v->setSelectionModel(c_.splitList().selectionModel());
        v->setVisible(i == 0);
        lists_.append(v);
    }
    // The sorting helper list is never shown and holds nothing outside a sort.
    lists_[2]->setModel(nullptr);
    for (int i = 0; i < 2; ++i) {
        LineListView* v = lists_[i];
        connect(v, &LineListView::clickedLine, this, [this, i] { c_.lineChosen(i); });
        connect(v, &LineListView::copyRequested, this, [this, i] { c_.copySelection(i, 0, 0); c_.refreshStatus(); });
        connect(v, &LineListView::released, this, [this, i](Qt::MouseButton b, QPoint p) {
            guarded(QStringLiteral("F1 List1_MouseUp"), [&] {
                if (dropDownOpen_)
                    return;
                if (i == 0 && b == Qt::RightButton) {
                    popupRightClickMenu(lists_[0]->viewport()->mapToGlobal(p));
                    placeSplitList(p);
                }
                c_.refreshView();
            });
        });
    }
    connect(lists_[0], &LineListView::deleteRequested, &c_, &MainController::deleteLines);
    connect(lists_[0], &LineListView::filesDropped, this, [this](const QStringList& p) { c_.openDropped(p); });
    connect(lists_[0]->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { c_.refreshView(); });

    label2_ = new QLabel(central);
    label2_->setObjectName(QStringLiteral("Label2"));
}

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
    QMenu* file = addMenu(nullptr, QStringLiteral("mf01"), QStringLiteral("ファイル"));
    auto* mfnk = addAction(file, QStringLiteral("mfnk"), QStringLiteral("新規作成"));
    mfnk->setShortcut(QKeySequence::New);
    connect(mfnk, &QAction::triggered, &c_, &MainController::newDocument);
    auto* mfh = addAction(file, QStringLiteral("mfh"), QStringLiteral("開く"));
    mfh->setShortcut(QKeySequence::Open);
    connect(mfh, &QAction::triggered, &c_, &MainController::openWithDialog);
    connect(addAction(file, QStringLiteral("saiY"), QStringLiteral("再読み込み(Binary)")), &QAction::triggered,
            &c_, &MainController::reloadAsHex);
    auto* uHoson = addAction(file, QStringLiteral("uHoson"), QStringLiteral("上書き保存"));
    uHoson->setShortcut(QKeySequence::Save);
    connect(uHoson, &QAction::triggered, &c_, &MainController::saveOver);
    auto* mfho = addAction(file, QStringLiteral("mfho"), QStringLiteral("名前を付けて保存"));
    mfho->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(mfho, &QAction::triggered, &c_, &MainController::saveAs);
    connect(addAction(file, QStringLiteral("mfhoMac"), QStringLiteral("名前を付けて保存(Mac向け)")),
            &QAction::triggered, &c_, &MainController::saveAsMac);
    connect(addAction(file, QStringLiteral("memotyou"), QStringLiteral("「メモ帳」を起動")), &QAction::triggered,
            &c_, &MainController::startEditor);
    addSeparator(file, QStringLiteral("mf02"));
    connect(addAction(file, QStringLiteral("hizuke"), QStringLiteral("日付と時刻")), &QAction::triggered, this,
            [this] { c_.stampDateTime(); });
    for (const char* n : {"hina", "hyou", "ransu1", "fileMeiHyouji", "kakaku"}) {
        static const QMap<QString, QString> caps = {
            {"hina", "雛形を作成"}, {"hyou", "表の作成"},
            {"ransu1", "乱数の作成"}, {"fileMeiHyouji", "ファイル名の表示"}, {"kakaku", "価格"}};
        // These open windows that come later; until then they stay disabled.
        addAction(file, QString::fromLatin1(n), caps.value(QString::fromLatin1(n)))->setEnabled(false);
    }
    addSeparator(file, QStringLiteral("mf03"));
    auto* mfs = addAction(file, QStringLiteral("mfs"), QStringLiteral("終了"));
    mfs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(mfs, &QAction::triggered, this, &MainWindow::requestClose);
    connect(addAction(file, QStringLiteral("mfsr"), QStringLiteral("レジストリを削除して終了")),
            &QAction::triggered, &c_, &MainController::requestExitDeletingSettings);

    QMenu* rireki = addMenu(nullptr, QStringLiteral("rireki"), QStringLiteral("履歴"));
    connect(addAction(rireki, QStringLiteral("rirekic"), QStringLiteral("履歴のクリア")), &QAction::triggered,
            &c_, &MainController::clearHistory);
    addSeparator(rireki, QStringLiteral("rireki0"));
    for (int i = 1; i <= 11; ++i) {
        auto* a = addAction(rireki, indexed("rireki01", i), QString());
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { c_.openHistory(i); });
    }

    QMenu* okini = addMenu(nullptr, QStringLiteral("okini1"), QStringLiteral("お気に入り"));
    connect(addAction(okini, QStringLiteral("okinituika"), QStringLiteral("追加")), &QAction::triggered, &c_,
            &MainController::addFavourite);
    addAction(okini, QStringLiteral("okinihensyu"), QStringLiteral("編集"))->setEnabled(false);
    addSeparator(okini, QStringLiteral("okini2"));
    for (int i = 0; i <= 11; ++i) {
        auto* a = addAction(okini, indexed("okini", i), QString());
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { c_.openFavourite(i); });
    }

    QMenu* edit = addMenu(nullptr, QStringLiteral("mh01"), QStringLiteral("編集"));
    auto* undo = addAction(edit, indexed("modosusumu", 0), QStringLiteral("戻す"));
    undo->setShortcut(QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, [this] { c_.undoRedo(0); });
    auto* redo = addAction(edit, indexed("modosusumu", 1), QStringLiteral("進む"));
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(redo, &QAction::triggered, this, [this] { c_.undoRedo(1); });
    addSeparator(edit, QStringLiteral("yokobo5"));
    connect(addAction(edit, QStringLiteral("mhs"), QStringLiteral("削除。")), &QAction::triggered, &c_,
            &MainController::deleteLines);
    connect(addAction(edit, QStringLiteral("syusei"), QStringLiteral("修正")), &QAction::triggered, &c_,
            &MainController::modifySelection);
    addAction(edit, QStringLiteral("mojituika"), QStringLiteral("文字の追加"))->setEnabled(false);
    addAction(edit, QStringLiteral("kuugyoutuika"), QStringLiteral("空白行の追加"))->setEnabled(false);
    addSeparator(edit, QStringLiteral("yokobo4"));
    connect(addAction(edit, QStringLiteral("souto"), QStringLiteral("順に並べる")), &QAction::triggered, &c_,
            &MainController::sortLines);
    addSeparator(edit, QStringLiteral("yokobo01"));
    auto* subete = addAction(edit, QStringLiteral("subete"), QStringLiteral("全てを選択"));
    subete->setShortcut(QKeySequence::SelectAll);
    subete->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    lists_[0]->addAction(subete);
    connect(subete, &QAction::triggered, &c_, &MainController::selectAll);
    connect(addAction(edit, QStringLiteral("mhst"), QStringLiteral("選択を取り消す。")), &QAction::triggered, &c_,
            &MainController::deselectAll);

    QMenu* settei = addMenu(nullptr, QStringLiteral("settei0"), QStringLiteral("設定"));
    QMenu* copyMenu = addMenu(settei, QStringLiteral("settei02"), QStringLiteral("コピーの方法"));
    const char* splitCaptions[] = {"分割　1　(英文に適しています。)", "分割　２　(日本語に適しています。)",
                                   "分割　３　(文字の種類で分けます。)", "分割　４　(一文字づつ分けます。)",
                                   "分割　５　(指定した文字で分けます。)"};
    for (int i = 0; i < 5; ++i)
        connect(addAction(copyMenu, indexed("bnkt", i), QString::fromUtf8(splitCaptions[i])), &QAction::triggered,
                this, [this, i] { c_.splitCurrentLine(i); });
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
            c_.copyAgain(line, letter);
            c_.refreshStatus();
        });
    }
    connect(addAction(copyMenu, QStringLiteral("saicopy"), QStringLiteral("再コピー")), &QAction::triggered, this,
            [this] { c_.copyAgain(LineNone, LetterNone); });

    QMenu* rclick = addMenu(settei, QStringLiteral("r_cr1"), QStringLiteral("右クリック"));
    const char* rcaps[] = {"ファイル", "履歴", "お気に入り", "編集", "コピー時の変換"};
    for (int i = 0; i < 5; ++i) {
        auto* a = addAction(rclick, indexed("r_cr2", i), QString::fromUtf8(rcaps[i]));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, i] { c_.setRightClickChoice(i); });
    }
    connect(addAction(settei, indexed("rejiHozo", 0), QStringLiteral("レジストリの保存")), &QAction::triggered,
            &c_, &MainController::exportSettingsToFile);
    connect(addAction(settei, indexed("rejiHozo", 1), QStringLiteral("レジストリの読み込み")), &QAction::triggered,
            &c_, &MainController::importSettingsFromFile);
    addSeparator(settei, QStringLiteral("settei01"));
    addAction(settei, QStringLiteral("setti"), QStringLiteral("設定画面"));

    QMenu* help = addMenu(nullptr, QStringLiteral("mhelp"), QStringLiteral("ヘルプ"));
    connect(addAction(help, QStringLiteral("mhelph"), QStringLiteral("ヘルプを開く")), &QAction::triggered, &c_,
            &MainController::showHelp);
    connect(addAction(help, QStringLiteral("mhb"), QStringLiteral("バージョン情報")), &QAction::triggered, &c_,
            &MainController::showVersionInformation);
}

void MainWindow::popupRightClickMenu(QPoint globalPos)
{
    static const char* names[] = {"mf01", "rireki", "okini1", "mh01", "settei02"};
    const int tag = c_.rightClickChoice();
    if (tag < 0 || tag > 4)
        return;
    if (QMenu* m = menus_.value(QString::fromLatin1(names[tag])))
        m->exec(globalPos);
}

void MainWindow::applyState()
{
    const MenuState m = c_.menuState();
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
    command1_[2]->setEnabled(m.hasSelection);
    actions_.value(indexed("modosusumu", 0))->setText(m.undoCaption);
    actions_.value(indexed("modosusumu", 1))->setText(m.redoCaption);
    actions_.value(QStringLiteral("memotyou"))->setText(m.editorCaption);
    actions_.value(QStringLiteral("kaigyou_0"))->setText(m.copyCaptions.breakSingleLineItem);
    actions_.value(QStringLiteral("henkan2_0"))->setText(m.copyCaptions.trimLeadingItem);
    actions_.value(QStringLiteral("henkan2_1"))->setText(m.copyCaptions.trimTrailingItem);
    for (int i = 0; i < 5; ++i)
        actions_.value(indexed("r_cr2", i))->setChecked(i == c_.rightClickChoice());
    actions_.value(QStringLiteral("kakaku"))->setVisible(c_.priceMenuVisible());
    label2_->setText(c_.statusText());
}

void MainWindow::applyHistory()
{
    const History& h = c_.history();
    for (int i = 1; i <= 11; ++i) {
        QAction* a = actions_.value(indexed("rireki01", i));
        a->setText(h.item(i));
        a->setVisible(h.isVisible(i) && i <= 10);
    }
    actions_.value(QStringLiteral("rirekic"))->setEnabled(h.canClear());
}

void MainWindow::applyFavourites()
{
    const Favourites& f = c_.favourites();
    for (int k = 1; k <= 10; ++k) {
        const QString path = f.slot(k);
        QAction* a = actions_.value(indexed("okini", k));
        a->setText(path);
        a->setVisible(!path.isEmpty());
        command2_[k - 1]->setEnabled(!path.isEmpty());
        command2_[k - 1]->setToolTip(f.toolTip(k));
    }
    layoutControls();
}

void MainWindow::applyToc()
{
    combo1_->clear();
    combo1_->addItems(c_.tocHeadings());
    combo1_->setCurrentIndex(-1);
}

int MainWindow::topRow() const
{
    const QModelIndex i = lists_[0]->indexAt(QPoint(1, 1));
    return i.isValid() ? i.row() : 0;
}

void MainWindow::scrollToTop(int row)
{
    if (row >= 0 && row < c_.lines().count())
        lists_[0]->scrollTo(c_.lines().index(row), QAbstractItemView::PositionAtTop);
}

void MainWindow::setGeometryTwips(const TwipsRect& stored)
{
    // A stored place from another screen, or a size no window can have,
    // must still give a visible window of a usable size.
    place_.restore(*this, stored, 3000, 2250);
}

TwipsRect MainWindow::geometryTwips() const { return place_.current(*this); }

bool MainWindow::isNormalState() const { return !(isMinimized() || isMaximized() || isFullScreen()); }

bool MainWindow::reportsPosition() const { return WindowPlace::worthStoring(); }

void MainWindow::placeOnTop(bool on)
{
    if (on == windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        return;
    // Changing a window's flags hides it: a window that was shown must be
    // shown again, or the program would run on with no window at all.
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible)
        show();
}

int MainWindow::lineCount() const { return c_.lines().count(); }

void MainWindow::stopClipboardMonitor() { timer1_->stop(); }

void MainWindow::startClipboardMonitor() { timer1_->start(200); }

void MainWindow::endProgram()
{
    c_.setForcedExit();
    close();
    endEventLoops();
}

void MainWindow::requestClose() { QTimer::singleShot(0, this, &QWidget::close); }

void MainWindow::setSplitListVisible(bool on)
{
    // Until the first right-click places it, the piece list opens over the
    // main list, clear of its top left corner.
    if (on && !splitListPlaced_)
        placeSplitList(QPoint(0, 0));
    lists_[1]->setVisible(on);
    if (on)
        lists_[1]->raise();
}

bool MainWindow::isSplitListVisible() const { return lists_[1]->isVisible(); }

void MainWindow::showWriteProgress(int done, int total)
{
    if (!writeProgress_) {
        writeProgress_ = new QProgressDialog(this);
        writeProgress_->setObjectName(QStringLiteral("writeProgress"));
        writeProgress_->setWindowTitle(MainController::caption());
        writeProgress_->setLabelText(QStringLiteral("元に戻すデータとバックアップを書き込んでいます。"));
        writeProgress_->setCancelButton(nullptr);
        writeProgress_->setMinimumDuration(0);
        writeProgress_->setWindowModality(Qt::ApplicationModal);
    }
    writeProgress_->setMaximum(std::max(total, 1));
    writeProgress_->setValue(std::min(done, std::max(total, 1) - 1));
    writeProgress_->show();
    // Drawn, but no click reaches the window while it waits.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::hideWriteProgress()
{
    if (writeProgress_)
        writeProgress_->hide();
}

void MainWindow::closeEvent(QCloseEvent* e)
{
    closeModelessWindows();
    if (c_.confirmClose())
        e->accept();
    else
        e->ignore();
}

void MainWindow::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    guarded(QStringLiteral("F1 Form_Resize"), [&] { layoutControls(); });
}

int MainWindow::outerHeightTwips() const { return pixelsToTwips(frameGeometry().height()); }

void MainWindow::layoutControls()
{
    if (!centralWidget())
        return;
    const int W = pixelsToTwips(width());
    const int H = pixelsToTwips(centralWidget()->height());
    if (layout_.lineList.width == 0) {
        // The window as designed, before any resize rule applies.
        const int w = std::max(W, 1800);
        const int y = 1900;
        layout_.favouritesBar = {60, 0, w - 150, 360};
        for (int i = 0; i < 4; ++i)
            layout_.buttons[i] = {60, 420 + i * 360, 780, 330};
        layout_.inputArea = {900, 420, w - 980, y - 600};
        layout_.splitterY = y;
        layout_.splitterLeft = 60;
        layout_.splitterRight = w - 150;
        layout_.tocLabel = {60, y + 100, 500, 300};
        layout_.toc = {600, y + 100, w - 750, 330};
        layout_.lineList = {60, y + 500, w - 150, std::max(H - y - 900, 300)};
        layout_.statusLine = {60, H - 300, w - 150, 300};
    }
    layout_ = resizedLayout(layout_, H, W);
    applyLayout();
}

void MainWindow::applyLayout()
{
    auto place = [](QWidget* w, const TwipsRect& r) {
        w->setGeometry(twipsToPixels(r.left), twipsToPixels(r.top), std::max(1, twipsToPixels(r.width)),
                       std::max(1, twipsToPixels(r.height)));
    };
    place(picture1_, layout_.favouritesBar);
    for (int i = 0; i < 4; ++i) {
        place(command1_[i], layout_.buttons[i]);
        command1_[i]->setVisible(layout_.buttonVisible[i]);
    }
    place(text1_, layout_.inputArea);
    place(line1_, {layout_.splitterLeft, layout_.splitterY - 15,
                   layout_.splitterRight - layout_.splitterLeft, 30});
    place(tocLabel_, layout_.tocLabel);
    place(combo1_, layout_.toc);
    place(lists_[0], layout_.lineList);
    place(label2_, layout_.statusLine);
    layoutFavouritesBar();
}

void MainWindow::layoutFavouritesBar()
{
    guarded(QStringLiteral("F1 Picture1_Resize"), [&] {
        std::array<bool, kFavouriteButtons> enabled{};
        for (int i = 0; i < kFavouriteButtons; ++i)
            enabled[i] = command2_[i]->isEnabled();
        const FavouritesBarLayout bar =
            favouritesBarLayout(pixelsToTwips(picture1_->width()), c_.favourites().lastUsedSlot(), enabled);
        for (int i = 0; i < kFavouriteButtons; ++i) {
            command2_[i]->setGeometry(twipsToPixels(bar.buttonLeft[i]), 2, twipsToPixels(360), twipsToPixels(320));
            command2_[i]->setVisible(bar.buttonVisible[i]);
        }
        command3_[0]->setGeometry(twipsToPixels(bar.previousLeft), 2, twipsToPixels(360), twipsToPixels(320));
        command3_[1]->setGeometry(twipsToPixels(bar.nextLeft), 2, twipsToPixels(360), twipsToPixels(320));
        if (QLabel* l3 = picture1_->findChild<QLabel*>(QStringLiteral("Label3"))) {
            // Beside the folder buttons, on whichever side has room.
            const int w = l3->sizeHint().width();
            const int before = twipsToPixels(bar.previousLeft) - w - 4;
            const int lastButton = twipsToPixels(bar.buttonLeft[kFavouriteButtons - 1] + 375);
            const int x = before > lastButton ? before : twipsToPixels(bar.nextLeft + 380);
            l3->setGeometry(x, 6, w, 18);
        }
        if (QLabel* l1 = picture1_->findChild<QLabel*>(QStringLiteral("Label1_1")))
            l1->setVisible(bar.buttonLeft[0] > 0);
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched != centralWidget() && watched != line1_)
        return QMainWindow::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::MouseMove: {
        guarded(QStringLiteral("F1 Form_MouseMove"), [&] {
            // The splitter line itself is a child: its points count as the window's.
            const QPoint p = static_cast<QWidget*>(watched)->mapTo(
                centralWidget(), static_cast<QMouseEvent*>(e)->position().toPoint());
            const int y = pixelsToTwips(p.y());
            if (drag_.mouseMove(y, outerHeightTwips(), layout_))
                applyLayout();
            centralWidget()->setCursor(drag_.resizePointer() ? Qt::SizeVerCursor : Qt::ArrowCursor);
        });
        break;
    }
    case QEvent::MouseButtonPress:
        drag_.mousePress();
        break;
    case QEvent::MouseButtonRelease:
        drag_.mouseRelease();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, e);
}

void MainWindow::placeSplitList(QPoint releasedAt)
{
    guarded(QStringLiteral("F1 l11basyo"), [&] {
        const TwipsRect main = layout_.lineList;
        QRect cur = lists_[1]->geometry();
        TwipsRect piece{pixelsToTwips(cur.x()), pixelsToTwips(cur.y()), pixelsToTwips(cur.width()),
                        pixelsToTwips(cur.height())};
        const TwipsRect r = splitListPlacement(main, piece, pixelsToTwips(releasedAt.x()), pixelsToTwips(releasedAt.y()));
        lists_[1]->setGeometry(twipsToPixels(r.left), twipsToPixels(r.top), std::max(1, twipsToPixels(r.width)),
                               std::max(1, twipsToPixels(r.height)));
        lists_[1]->raise();
        splitListPlaced_ = true;
    });
}

void MainWindow::monitorTick()
{
    if (const auto next = c_.monitorTick(text1_->toPlainText(), text1_->composing()))
        text1_->setPlainText(*next);
}

// ---------------------------------------------------------------- program entry

int runMainWindow(QApplication& app, const QStringList& files)
{
    SettingsStore settings;
    QtPrompt prompt;
    SystemClipboard clipboard;
    // wl-paste's watch mode runs this program's relay mode for each copy.
    clipboard.setRelayProgram(QCoreApplication::applicationFilePath());
    InstanceRegistry registry;
    MainController controller(settings, prompt, clipboard, programFolder());
    int rc = 0;
    {
        MainWindow w(controller);
        prompt.setParent(&w);
        QtNoticePresenter presenter(&w, &settings, &controller.document());
        controller.setNoticePresenter(&presenter);
        ErrorReport report(presenter, w);
        report.setPlainPrompt(&prompt);
        ScopedErrorSink scope(&report);
        if (controller.startUp(files, registry)) {
            w.show();
            w.list(0)->setFocus();
            rc = app.exec();
            clipboard.keepAfterExit();
        }
        prompt.setParent(nullptr);
        controller.setNoticePresenter(nullptr);
    }
    return rc;
}

}  // namespace petari
