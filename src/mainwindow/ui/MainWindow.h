#pragma once
#include "platform/ui/WindowPlace.h"
#include "mainwindow/Layout.h"
#include "mainwindow/MainView.h"
#include "services/ErrorReport.h"

#include <QMainWindow>
#include <QMap>
#include <QVector>
#include <functional>

class QAction;
class QApplication;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QTimer;
class QProgressDialog;
class QPushButton;
class QWidget;

namespace petari {

class InputArea;
class LineListView;
class MainController;

// The main window: controls and menus named as the rest of the program and
// its tests know them, bound to MainController.
class MainWindow : public QMainWindow, public MainView, public ErrorReportHost {
    Q_OBJECT
public:
    explicit MainWindow(MainController& controller, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainController& controller() { return c_; }
    QAction* action(const QString& name) const { return actions_.value(name); }
    QMenu* menu(const QString& name) const { return menus_.value(name); }
    LineListView* list(int index) const { return lists_.at(index); }
    InputArea* inputArea() const { return text1_; }
    QTimer* monitorTimer() const { return timer1_; }
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
    void applyState();
    void applyHistory();
    void applyFavourites();
    void applyToc();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QAction* addAction(QMenu* menu, const QString& name, const QString& caption);
    QMenu* addMenu(QMenu* parent, const QString& name, const QString& caption);
    void addSeparator(QMenu* menu, const QString& name);
    void buildControls();
    void buildMenus();
    void layoutControls();
    void applyLayout();
    void layoutFavouritesBar();
    void placeSplitList(QPoint releasedAt);
    void monitorTick();
    int outerHeightTwips() const;
    void popupRightClickMenu(QPoint globalPos);
    // The menu items that open the other windows, and the modeless ones that
    // close with this window.
    void connectSecondaryWindows();
    void closeModelessWindows();
    void showModeless(QWidget*& window, const std::function<QWidget*()>& make);

    MainController& c_;
    QMap<QString, QAction*> actions_;
    QMap<QString, QMenu*> menus_;
    QVector<LineListView*> lists_;
    InputArea* text1_ = nullptr;
    QTimer* timer1_ = nullptr;
    MainWindowLayout layout_;
    SplitterDrag drag_;
    QVector<QPushButton*> command1_;
    QVector<QPushButton*> command2_;
    QVector<QPushButton*> command3_;
    QFrame* line1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* tocLabel_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QWidget* picture1_ = nullptr;
    QProgressDialog* writeProgress_ = nullptr;
    bool dropDownOpen_ = false;
    bool splitListPlaced_ = false;
    QWidget* fileNameWindow_ = nullptr;
    QWidget* priceWindow_ = nullptr;
    WindowPlace place_;
};

// Creates the program's objects and the main window, runs start-up with the
// files named on the command line, and the event loop.
int runMainWindow(QApplication& app, const QStringList& files);

}  // namespace petari
