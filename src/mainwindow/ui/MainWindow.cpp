#include "mainwindow/ui/MainWindow.h"

#include "platform/ui/KeyboardAccess.h"
#include "platform/ui/Widgets.h"
#include "platform/DesktopHooks.h"
#include "platform/InstanceChannel.h"
#include "platform/InstanceRegistry.h"
#include "platform/ui/AppIcon.h"
#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "mainwindow/MainController.h"
#include "mainwindow/ui/FilterBar.h"
#include "mainwindow/ui/InputArea.h"
#include "mainwindow/ui/LineListView.h"
#include "platform/Clipboard.h"
#include "platform/ProgramFolder.h"
#include "platform/RecentFiles.h"
#include "platform/TerminationSignals.h"
#include "dialogs/ui/NoticeDialog.h"
#include "platform/ui/QtPrompt.h"
#include "services/Guard.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSessionManager>
#include <QTimer>

namespace petari {

namespace {

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

MainWindow::MainWindow(MainController& controller, QWidget* parent) : QMainWindow(parent), controller_(controller)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(MainController::caption());
    buildControls();
    buildMenus();
    connectSecondaryWindows();
    // Menu shortcuts belong to the window as well, so that they work from the
    // first key press whatever control has the focus (the input box keeps its
    // own undo and select-all), not only once a menu has been opened.
    for (QAction* a : std::as_const(menuItems_))
        if (!a->shortcut().isEmpty() && a->shortcutContext() == Qt::WindowShortcut)
            QWidget::addAction(a);
    const TwipsRect& first = settings::mainWindowArea.byDefault;
    resize(twipsToPixels(first.width), twipsToPixels(first.height));
    controller_.setView(this);
    connect(&controller_, &MainController::refreshed, this, &MainWindow::applyState);
    connect(&controller_, &MainController::statusChanged, statusLine_, &QLabel::setText);
    connect(&controller_, &MainController::historyChanged, this, &MainWindow::applyHistory);
    connect(&controller_, &MainController::favouritesChanged, this, &MainWindow::applyFavourites);
    connect(&controller_, &MainController::tocChanged, this, &MainWindow::applyToc);
    centralWidget()->setMouseTracking(true);
    centralWidget()->installEventFilter(this);
    splitter_->setMouseTracking(true);
    splitter_->setCursor(Qt::SizeVerCursor);
    splitter_->installEventFilter(this);
    monitorTimer_ = new QTimer(this);
    monitorTimer_->setObjectName(QStringLiteral("monitorTimer"));
    monitorTimer_->setInterval(200);
    connect(monitorTimer_, &QTimer::timeout, this, &MainWindow::monitorTick);
    monitorTimer_->start();
    applyHistory();
    applyFavourites();
    applyState();
}

MainWindow::~MainWindow() { controller_.setView(nullptr); }

void MainWindow::buildControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    setCentralWidget(central);
    buildFavouritesBar(central);
    buildInputBox(central);
    buildTableOfContents(central);
    buildLists(central);
    buildFilterBar(central);
    statusLine_ = new QLabel(central);
    statusLine_->setObjectName(QStringLiteral("statusLine"));
    // Tab as the window reads: the favourites bar at the top, the buttons
    // left of the input box, the box, the table of contents, the filter box
    // and its check boxes while they show, the list.
    setReadingOrder({favouriteButtons_.last(), previousFileButton_, nextFileButton_, showClipboardButton_, addButton_,
                     replaceButton_, clearButton_, inputBox_, tocCombo_, filterBar_->box()});
    setReadingOrder({filterBar_->lastControl(), lineList_, splitList_});
}

void MainWindow::buildFavouritesBar(QWidget* central)
{
    const QFont mono = japaneseMonospace();
    favouritesBar_ = new QWidget(central);
    favouritesBar_->setObjectName(QStringLiteral("favouritesBar"));
    favouritesLabel_ = new QLabel(QStringLiteral("お気に入り"), favouritesBar_);
    favouritesLabel_->setObjectName(QStringLiteral("favouritesLabel"));
    QFont small = favouritesLabel_->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    favouritesLabel_->setFont(small);
    favouritesLabel_->setGeometry(1, 6, 56, 18);
    for (int i = 0; i < kFavouriteButtons; ++i) {
        auto* b = new QPushButton(QString::number(i + 1), favouritesBar_);
        b->setObjectName(QStringLiteral("favouriteButton") + QString::number(i + 1));
        b->setFont(mono);
        b->setEnabled(false);
        // A bare number says little to a screen reader; the file is the tool tip.
        b->setAccessibleName(QStringLiteral("お気に入り") + QString::number(i + 1));
        connect(b, &QPushButton::clicked, this, [this, i] { controller_.openFavourite(i + 1); });
        favouriteButtons_.append(b);
    }
    sameFolderLabel_ = new QLabel(QStringLiteral("同一フォルダ"), favouritesBar_);
    sameFolderLabel_->setObjectName(QStringLiteral("sameFolderLabel"));
    sameFolderLabel_->setFont(small);
    previousFileButton_ = new QPushButton(QStringLiteral("<"), favouritesBar_);
    previousFileButton_->setObjectName(QStringLiteral("previousFileButton"));
    previousFileButton_->setAccessibleName(QStringLiteral("同一フォルダの前のファイル"));
    connect(previousFileButton_, &QPushButton::clicked, this, [this] { controller_.openNeighbour(-1); });
    nextFileButton_ = new QPushButton(QStringLiteral(">"), favouritesBar_);
    nextFileButton_->setObjectName(QStringLiteral("nextFileButton"));
    nextFileButton_->setAccessibleName(QStringLiteral("同一フォルダの次のファイル"));
    connect(nextFileButton_, &QPushButton::clicked, this, [this] { controller_.openNeighbour(+1); });
}

void MainWindow::buildInputBox(QWidget* central)
{
    inputBox_ = new InputArea(central);
    inputBox_->setObjectName(QStringLiteral("inputArea"));
    inputBox_->setFont(japaneseMonospace());
    inputBox_->setToolTip(QStringLiteral("追加する文字の入力場所です。"));
    inputBox_->setAccessibleName(QStringLiteral("入力場所"));

    auto button = [central](const char* name, const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, central);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        return b;
    };
    showClipboardButton_ = button("showClipboardButton", QStringLiteral("確認"), QStringLiteral("クリップボードの内容を表示します。"));
    addButton_ = button("addButton", QStringLiteral("追加"), QStringLiteral("右の内容を下に追加します。"));
    replaceButton_ = button("replaceButton", QStringLiteral("書換"), QStringLiteral("下の選択場所を右の内容に替えます。"));
    clearButton_ = button("clearButton", QStringLiteral("消す"), QStringLiteral("右の内容を消します。"));
    connect(showClipboardButton_, &QPushButton::clicked, this, &MainWindow::showClipboardText);
    connect(addButton_, &QPushButton::clicked, this, [this] { controller_.addInput(inputBox_->toPlainText()); });
    connect(replaceButton_, &QPushButton::clicked, this,
            [this] { controller_.replaceSelection(inputBox_->toPlainText()); });
    connect(clearButton_, &QPushButton::clicked, this, &MainWindow::clearInput);

    splitter_ = new QFrame(central);
    splitter_->setObjectName(QStringLiteral("splitter"));
    splitter_->setFrameShape(QFrame::HLine);
    splitter_->setFrameShadow(QFrame::Sunken);
}

void MainWindow::showClipboardText()
{
    guarded(QStringLiteral("F1 Command1_Click"), [&] { inputBox_->setPlainText(controller_.clipboard().text()); });
}

void MainWindow::clearInput()
{
    guarded(QStringLiteral("F1 Command1_Click"), [&] {
        // The hidden word that shows the 価格 command from the next start on.
        if (inputBox_->toPlainText() == QStringLiteral("隠し画面を開く"))
            controller_.settings().set(settings::priceMenuVisible, true);
        inputBox_->clear();
    });
}

void MainWindow::buildTableOfContents(QWidget* central)
{
    tocLabel_ = new QLabel(QStringLiteral("目次"), central);
    tocLabel_->setObjectName(QStringLiteral("tocLabel"));
    tocLabel_->setToolTip(QStringLiteral("改行だけの行の次の行が目次に成ります。"));
    tocCombo_ = new TocCombo(central, dropDownOpen_);
    tocCombo_->setObjectName(QStringLiteral("tocBox"));
    tocCombo_->setToolTip(QStringLiteral("改行だけの行の次の行が目次に成ります。"));
    nameAfter(tocLabel_, tocCombo_);
    connect(tocCombo_, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { controller_.jumpToHeading(i); });
}

void MainWindow::applyToc()
{
    tocCombo_->clear();
    tocCombo_->addItems(controller_.tocHeadings());
    tocCombo_->setCurrentIndex(-1);
}

void MainWindow::setGeometryTwips(const TwipsRect& stored)
{
    // A stored place from another screen, or a size no window can have,
    // must still give a visible window that shows the list and the input area.
    place_.restore(*this, stored, kMinimumWidth,
                   kMinimumInnerHeight + pixelsToTwips(menuBar()->sizeHint().height()));
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

int MainWindow::lineCount() const { return controller_.lines().count(); }

void MainWindow::stopClipboardMonitor() { monitorTimer_->stop(); }

void MainWindow::startClipboardMonitor() { monitorTimer_->start(200); }

void MainWindow::endProgram()
{
    controller_.setForcedExit();
    close();
    endEventLoops();
}

void MainWindow::endWithoutQuestions()
{
    closeModelessWindows();
    controller_.exitWithoutQuestions();
    // Not into the tray: the desktop is ending the program.
    quitting_ = true;
    close();
    endEventLoops();
}

void MainWindow::requestClose()
{
    QTimer::singleShot(0, this, [this] {
        quitting_ = true;
        close();
    });
}

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
    const bool quitting = quitting_;
    quitting_ = false;
    // Into the tray: the clipboard monitor goes on running.
    if (!quitting && closesToTray()) {
        hide();
        e->ignore();
        return;
    }
    closeModelessWindows();
    if (controller_.confirmClose())
        e->accept();
    else
        e->ignore();
}

void MainWindow::monitorTick()
{
    if (const auto next = controller_.monitorTick(inputBox_->toPlainText(), inputBox_->composing()))
        inputBox_->setPlainText(*next);
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
    InstanceChannel channel(InstanceRegistry::defaultFolder());
    MainController controller(settings, prompt, clipboard, programFolder());
    controller.setHandOver([&channel](const InstanceRequest& r) { return channel.send(r); });
    QApplication::setWindowIcon(applicationIcon());
    int rc = 0;
    {
        MainWindow w(controller);
        prompt.setParent(&w);
        QtNoticePresenter presenter(&w, &settings, &controller.document());
        controller.setNoticePresenter(&presenter);
        ErrorReport report(presenter, w);
        report.setPlainPrompt(&prompt);
        ScopedErrorSink scope(&report);
        TerminationSignals endSignals;
        QObject::connect(&endSignals, &TerminationSignals::received, &w, &MainWindow::endWithoutQuestions);
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &w,
                         [&w](QSessionManager&) { w.endWithoutQuestions(); });
        // Like gedit's and Kate's, the files opened and saved here reach the
        // desktop's recent list; a list that cannot be written costs nothing.
        const auto recent = [](const QString& path) {
            QString why;
            if (!addRecentFile(path, recentFilesPath(), QDateTime::currentDateTimeUtc(), &why))
                qWarning("petari: %s", qPrintable(why));
        };
        QObject::connect(&controller.document(), &Document::fileOpened, &w, recent);
        QObject::connect(&controller.document(), &Document::fileSaved, &w, recent);
        // After start-up, which may end this copy before it grabs a key.
        std::unique_ptr<DesktopHooks> hooks;
        if (controller.startUp(files, registry)) {
            // Later starts reach this copy here (petari FILE with duplicates
            // refused, petari --show); the first copy to run takes the channel.
            w.listenTo(&channel);
            channel.listen();
            // The calling key belongs to the copy that later starts reach.
            hooks = DesktopHooks::forThisDesktop();
            w.setDesktopHooks(hooks.get(), channel.isListening());
            w.show();
            w.lineList()->setFocus();
            rc = app.exec();
            clipboard.keepAfterExit();
        }
        prompt.setParent(nullptr);
        controller.setNoticePresenter(nullptr);
    }
    return rc;
}

}  // namespace petari
