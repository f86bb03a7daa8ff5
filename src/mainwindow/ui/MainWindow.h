#pragma once
#include "platform/ui/WindowPlace.h"
#include "mainwindow/Layout.h"
#include "dialogs/PasteOptions.h"
#include "mainwindow/MainView.h"
#include "platform/InstanceChannel.h"
#include "services/ErrorReport.h"

#include <QHash>
#include <QKeySequence>
#include <QMainWindow>
#include <QVector>
#include <array>
#include <deque>
#include <functional>

class QAction;
class QApplication;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QTimer;
class QProgressDialog;
class QSystemTrayIcon;
class QPushButton;
class QShortcut;
class QWidget;

namespace petari {

class DesktopHooks;
class FilterBar;
class InputArea;
class LineListView;
class MainController;

// The main window: it builds the controls and menus, each a member named for
// its role and given that name as its object name (lineList, replaceButton,
// openAction...), and binds them to MainController.  One
// responsibility to a file: MainWindow.cpp (the controls and what the
// controller asks of the window), MainWindowLists.cpp (the line lists and
// the right-click menu), MainWindowMenus.cpp (the menu bar and the states of
// its items), MainWindowSizing.cpp (layout, resizing and the splitter),
// MainWindowFilter.cpp (the 絞り込み box and F3), MainWindowSecondary.cpp
// (opening the other windows), MainWindowCalls.cpp (requests from a later
// start of the program) and MainWindowDesktop.cpp (pasting into other
// windows, the calling key, the tray).
class MainWindow : public QMainWindow, public MainView, public ErrorReportHost {
    Q_OBJECT
public:
    explicit MainWindow(MainController& controller, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainController& controller() { return controller_; }
    LineListView* lineList() const { return lineList_; }
    LineListView* splitList() const { return splitList_; }
    FilterBar* filterBar() const { return filterBar_; }
    InputArea* inputArea() const { return inputBox_; }
    QTimer* monitorTimer() const { return monitorTimer_; }
    const MainWindowLayout& currentLayout() const { return layout_; }

    // MainView
    int topRow() const override;
    void scrollToTop(int row) override;
    void setGeometryTwips(const TwipsRect& r) override;
    TwipsRect geometryTwips() const override;
    bool isNormalState() const override;
    bool reportsPosition() const override;
    void placeOnTop(bool on) override;
    void requestClose() override;
    void setSplitListVisible(bool on) override;
    bool isSplitListVisible() const override;
    void showWriteProgress(int done, int total) override;
    void hideWriteProgress() override;

    // ErrorReportHost
    int lineCount() const override;
    void stopClipboardMonitor() override;
    void startClipboardMonitor() override;
    void endProgram() override;

public slots:
    // The desktop ends the program (a signal, the end of the session): the
    // other windows close, the controller exits without questions, and so
    // does this window and every event loop.
    void endWithoutQuestions();
    void applyState();
    void applyHistory();
    void applyFavourites();
    void applyToc();
    // MainWindowCalls.cpp: later starts' requests (open their files, or come
    // to the front) from the channel; they wait while a question or a modal
    // window is open.
    void listenTo(InstanceChannel* channel);
    void comeToFront(const QByteArray& activationToken = QByteArray());
    // MainWindowDesktop.cpp: pasting into the previous window, the calling
    // key and the tray, as 設定画面 → 貼り付け has them.
    void setDesktopHooks(DesktopHooks* hooks, bool takesCallingKey);
    DesktopAbilities desktopAbilities() const;
    void applyDesktopOptions();
    QSystemTrayIcon* trayIcon() const { return tray_; }
    void callByKey();

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The controls, in the order of the focus chain.
    void buildControls();
    void buildFavouritesBar(QWidget* central);
    void buildInputBox(QWidget* central);
    void buildTableOfContents(QWidget* central);
    void buildLists(QWidget* central);
    // "確認" and "消す" beside the input box.
    void showClipboardText();
    void clearInput();
    void monitorTick();

    // MainWindowLists.cpp
    void connectList(LineListView* list, int listIndex);
    void listReleased(int listIndex, Qt::MouseButton button, QPoint pos);
    void popupRightClickMenu(QPoint globalPos);
    void placeSplitList(QPoint releasedAt);

    // MainWindowFilter.cpp
    void buildFilterBar(QWidget* central);
    // Ctrl+F: the box shows above the list with its text chosen, and filters.
    void openFilter();
    // Escape: every line again, the current line in view.
    void closeFilter();
    void filterEdited();
    void enterFilteredList();
    void findNext(bool forward);
    // The list after the shown lines changed: the current line in view when
    // it is shown, else the first line.
    void followFilter();

    // MainWindowMenus.cpp
    // Each menu and item shows its access key after its caption: "開く(O)".
    QAction* addAction(QMenu* menu, const char* name, const QString& caption, char key);
    QMenu* addMenu(QMenu* parent, const char* name, const QString& caption, char key);
    // A caption set at run time (a file name, the undo step), with the item's key.
    void setCaption(QAction* item, const QString& caption);
    void addSeparator(QMenu* menu, const char* name);
    void buildMenus();
    void buildFileMenu();
    void buildHistoryMenu();
    void buildFavouritesMenu();
    void buildEditMenu();
    void buildSettingsMenu();
    void buildCopyMenu();
    void buildCopyOptions();
    void buildHelpMenu();
    // F10 opens the first menu of the bar.
    void openMenuBar();

    // MainWindowSizing.cpp
    void layoutControls();
    void applyLayout();
    void layoutFavouritesBar();
    int outerHeightTwips() const;
    // The four buttons left of the input box, in the order of MainWindowLayout::buttons.
    std::array<QPushButton*, 4> inputButtons() const;

    void handlePendingRequests();
    void buildTray();
    bool closesToTray() const;
    void lineActivated(int listIndex, bool byKey);

    // MainWindowSecondary.cpp: the menu items that open the other windows,
    // and the modeless ones that close with this window.
    void connectSecondaryWindows();
    void closeModelessWindows();
    void showModeless(QWidget*& window, const std::function<QWidget*()>& make);

    MainController& controller_;
    // Every item of the menu bar, for the window-wide shortcuts, and the
    // access key each caption ends with.
    QVector<QAction*> menuItems_;
    QHash<const QAction*, char> accessKeys_;

    // The menu bar, in its order.
    QMenu* fileMenu_ = nullptr;                  // ファイル
    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* reloadAsHexAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* saveAsMacAction_ = nullptr;
    QAction* editorAction_ = nullptr;
    QAction* dateTimeAction_ = nullptr;
    QAction* templateAction_ = nullptr;          // the generator window's pages and the other windows
    QAction* tableAction_ = nullptr;
    QAction* randomAction_ = nullptr;
    QAction* fileNamesAction_ = nullptr;
    QAction* priceAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    QAction* quitDeletingSettingsAction_ = nullptr;
    QMenu* historyMenu_ = nullptr;               // 履歴
    QAction* clearHistoryAction_ = nullptr;
    std::array<QAction*, 11> historyActions_{};  // the recent files 1 to 11 (the 11th never shows)
    QMenu* favouritesMenu_ = nullptr;            // お気に入り
    QAction* addFavouriteAction_ = nullptr;
    QAction* editFavouritesAction_ = nullptr;
    std::array<QAction*, 12> favouriteActions_{}; // slots 0 to 11; 1 to 10 show when used
    QMenu* editMenu_ = nullptr;                  // 編集
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QAction* deleteAction_ = nullptr;
    QAction* modifyAction_ = nullptr;
    QAction* addCharactersAction_ = nullptr;
    QAction* addBlankLinesAction_ = nullptr;
    QAction* sortAction_ = nullptr;
    QAction* selectAllAction_ = nullptr;
    QAction* deselectAction_ = nullptr;
    QAction* filterAction_ = nullptr;
    QAction* findNextAction_ = nullptr;
    QAction* findPreviousAction_ = nullptr;
    QMenu* settingsMenu_ = nullptr;              // 設定
    QMenu* copyMethodMenu_ = nullptr;            // コピーの方法
    std::array<QAction*, 5> splitActions_{};     // 分割 1 to 5
    QAction* breakSingleLineAction_ = nullptr;
    QAction* noBreakSeveralLinesAction_ = nullptr;
    std::array<QAction*, 7> convertActions_{};   // [a] to [あ]
    QAction* trimLeadingAction_ = nullptr;
    QAction* trimTrailingAction_ = nullptr;
    QAction* copyAgainAction_ = nullptr;
    QMenu* rightClickMenu_ = nullptr;            // 右クリック
    std::array<QAction*, 5> rightClickActions_{};
    QAction* exportSettingsAction_ = nullptr;
    QAction* importSettingsAction_ = nullptr;
    QAction* settingsWindowAction_ = nullptr;
    QMenu* helpMenu_ = nullptr;                  // ヘルプ
    QAction* helpAction_ = nullptr;
    QAction* versionAction_ = nullptr;

    // The favourites bar: the ten favourite buttons "1" to "10" and the same-folder "<" ">".
    QWidget* favouritesBar_ = nullptr;
    QLabel* favouritesLabel_ = nullptr;          // "お気に入り"
    QVector<QPushButton*> favouriteButtons_;
    QLabel* sameFolderLabel_ = nullptr;          // "同一フォルダ"
    QPushButton* previousFileButton_ = nullptr;  // "<"
    QPushButton* nextFileButton_ = nullptr;      // ">"

    InputArea* inputBox_ = nullptr;
    QPushButton* showClipboardButton_ = nullptr; // "確認"
    QPushButton* addButton_ = nullptr;           // "追加"
    QPushButton* replaceButton_ = nullptr;       // "書換"
    QPushButton* clearButton_ = nullptr;         // "消す"
    QFrame* splitter_ = nullptr;                 // between the input box and the list
    QLabel* tocLabel_ = nullptr;                 // "目次"
    QComboBox* tocCombo_ = nullptr;
    LineListView* lineList_ = nullptr;           // the document's lines
    LineListView* splitList_ = nullptr;          // the pieces of a split
    FilterBar* filterBar_ = nullptr;             // 絞り込み, above the line list while open
    QShortcut* filterEscape_ = nullptr;          // Escape in the line list while it is open
    QLabel* statusLine_ = nullptr;
    QTimer* monitorTimer_ = nullptr;             // the clipboard monitor

    MainWindowLayout layout_;
    SplitterDrag drag_;
    QProgressDialog* writeProgress_ = nullptr;
    bool dropDownOpen_ = false;
    bool splitListPlaced_ = false;
    QWidget* fileNameWindow_ = nullptr;
    QWidget* priceWindow_ = nullptr;
    WindowPlace place_;
    InstanceChannel* channel_ = nullptr;
    bool handlingRequests_ = false;
    bool requestsRetry_ = false;
    DesktopHooks* hooks_ = nullptr;
    PasteOptions pasteOptions_;
    QKeySequence boundKey_;
    QSystemTrayIcon* tray_ = nullptr;
    bool calledByKey_ = false;
    bool takesCallingKey_ = false;
    // 終了 and the tray's 終了 end the program even when closing goes to the tray.
    bool quitting_ = false;
};

// The status line's word when a paste into the previous window could not be made.
QString pasteFailedText();

// Creates the program's objects and the main window, runs start-up with the
// files named on the command line, and the event loop.
int runMainWindow(QApplication& app, const QStringList& files);

}  // namespace petari
