// MainWindow: the line lists, one with the document's lines and one with the
// pieces of a split, what a click, a key or a drop on them does, and
// the right-click menu.

#include "mainwindow/MainController.h"
#include "mainwindow/ui/LineListView.h"
#include "mainwindow/ui/MainWindow.h"
#include "platform/ui/Widgets.h"
#include "services/Guard.h"

#include <QMenu>

namespace petari {

void MainWindow::buildLists(QWidget* central)
{
    const QFont mono = japaneseMonospace();
    lineList_ = new LineListView(central);
    lineList_->setObjectName(QStringLiteral("lineList"));
    lineList_->setFont(mono);
    lineList_->setModel(controller_.document().linesModel());
    lineList_->setSelectionModel(controller_.lines().selectionModel());
    lineList_->setVisible(true);
    lineList_->setAccessibleName(QStringLiteral("行の一覧"));

    splitList_ = new LineListView(central);
    splitList_->setObjectName(QStringLiteral("splitList"));
    splitList_->setFont(mono);
    splitList_->setModel(controller_.document().splitModel());
    splitList_->setSelectionModel(controller_.splitList().selectionModel());
    splitList_->setVisible(false);
    splitList_->setAccessibleName(QStringLiteral("分割した行"));

    // The sorting helper is never shown and holds nothing outside a sort:
    // it is there by name only.
    auto* sortList = new LineListView(central);
    sortList->setObjectName(QStringLiteral("sortList"));
    sortList->setFont(mono);
    sortList->setVisible(false);
    sortList->setAccessibleName(QStringLiteral("並べ替え用の一覧"));

    connectList(lineList_, 0);
    connectList(splitList_, 1);
    connect(lineList_, &LineListView::deleteRequested, &controller_, &MainController::deleteLines);
    // The keyboard's right click, at the current line.
    connect(lineList_, &LineListView::menuKeyPressed, this,
            [this] { listReleased(0, Qt::RightButton, lineList_->currentLinePoint()); });
    connect(lineList_, &LineListView::filesDropped, this,
            [this](const QStringList& p) { controller_.openDropped(p); });
    connect(lineList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { controller_.refreshView(); });
}

void MainWindow::connectList(LineListView* list, int listIndex)
{
    connect(list, &LineListView::clickedLine, this, [this, listIndex] { controller_.lineChosen(listIndex); });
    connect(list, &LineListView::activatedLine, this,
            [this, listIndex](bool byKey) { lineActivated(listIndex, byKey); });
    connect(list, &LineListView::copyRequested, this, [this, listIndex] {
        controller_.copySelection(listIndex, 0, 0);
        controller_.refreshStatus();
    });
    connect(list, &LineListView::released, this,
            [this, listIndex](Qt::MouseButton b, QPoint p) { listReleased(listIndex, b, p); });
}

void MainWindow::listReleased(int listIndex, Qt::MouseButton button, QPoint pos)
{
    guarded(QStringLiteral("F1 List1_MouseUp"), [&] {
        if (dropDownOpen_)
            return;
        if (listIndex == 0 && button == Qt::RightButton) {
            popupRightClickMenu(lineList_->viewport()->mapToGlobal(pos));
            placeSplitList(pos);
        }
        controller_.refreshView();
    });
}

void MainWindow::popupRightClickMenu(QPoint globalPos)
{
    // The menu the user chose under 設定 → 右クリック.
    const std::array<QMenu*, 5> menus = {fileMenu_, historyMenu_, favouritesMenu_, editMenu_, copyMethodMenu_};
    const int choice = controller_.rightClickChoice();
    if (choice < 0 || choice >= int(menus.size()))
        return;
    menus[choice]->exec(globalPos);
}

int MainWindow::topRow() const
{
    const QModelIndex i = lineList_->indexAt(QPoint(1, 1));
    return i.isValid() ? i.row() : 0;
}

void MainWindow::scrollToTop(int row)
{
    if (row >= 0 && row < controller_.lines().count())
        lineList_->scrollTo(controller_.lines().index(row), QAbstractItemView::PositionAtTop);
}

void MainWindow::setSplitListVisible(bool on)
{
    // Until the first right-click places it, the piece list opens over the
    // main list, clear of its top left corner.
    if (on && !splitListPlaced_)
        placeSplitList(QPoint(0, 0));
    splitList_->setVisible(on);
    if (on)
        splitList_->raise();
}

bool MainWindow::isSplitListVisible() const { return splitList_->isVisible(); }

void MainWindow::placeSplitList(QPoint releasedAt)
{
    guarded(QStringLiteral("F1 l11basyo"), [&] {
        const TwipsRect main = layout_.lineList;
        QRect cur = splitList_->geometry();
        TwipsRect piece{pixelsToTwips(cur.x()), pixelsToTwips(cur.y()), pixelsToTwips(cur.width()),
                        pixelsToTwips(cur.height())};
        const TwipsRect r = splitListPlacement(main, piece, pixelsToTwips(releasedAt.x()), pixelsToTwips(releasedAt.y()));
        splitList_->setGeometry(twipsToPixels(r.left), twipsToPixels(r.top), std::max(1, twipsToPixels(r.width)),
                                std::max(1, twipsToPixels(r.height)));
        splitList_->raise();
        splitListPlaced_ = true;
    });
}

}  // namespace petari
