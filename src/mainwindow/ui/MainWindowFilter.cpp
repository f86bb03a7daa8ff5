// MainWindow: the 絞り込み box above the document list and F3.  The filter
// itself, which lines are shown, is mainwindow/ListFilter; the list view
// shows what it keeps.

#include "mainwindow/ListFilter.h"
#include "mainwindow/MainController.h"
#include "mainwindow/ui/FilterBar.h"
#include "mainwindow/ui/LineListView.h"
#include "mainwindow/ui/MainWindow.h"
#include "services/Guard.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QShortcut>

namespace petari {

void MainWindow::buildFilterBar(QWidget* central)
{
    filterBar_ = new FilterBar(central);
    filterBar_->setVisible(false);
    lineList_->setFilter(&controller_.filter());
    connect(filterBar_, &FilterBar::queryEdited, this, &MainWindow::filterEdited);
    connect(filterBar_, &FilterBar::foldingChanged, this, [this] {
        guarded(QStringLiteral("F1 filter"), [&] {
            controller_.filter().setFolding(filterBar_->folding());
            followFilter();
        });
    });
    connect(filterBar_, &FilterBar::enterList, this, &MainWindow::enterFilteredList);
    connect(filterBar_, &FilterBar::closeRequested, this, &MainWindow::closeFilter);
    // Escape in the list closes the filter as it does in the box, while the
    // box is open; otherwise the key is the window's.
    filterEscape_ = new QShortcut(QKeySequence(Qt::Key_Escape), lineList_, nullptr, nullptr, Qt::WidgetShortcut);
    filterEscape_->setEnabled(false);
    connect(filterEscape_, &QShortcut::activated, this, &MainWindow::closeFilter);
}

void MainWindow::openFilter()
{
    const bool wasOpen = filterBar_->isVisible();
    filterBar_->setVisible(true);
    filterEscape_->setEnabled(true);
    if (!wasOpen) {
        applyLayout();
        controller_.filter().setFolding(filterBar_->folding());
        controller_.filter().prepare();
    }
    filterBar_->box()->setFocus(Qt::ShortcutFocusReason);
    filterBar_->box()->selectAll();
    // The text kept from the last time filters again.
    filterEdited();
}

void MainWindow::closeFilter()
{
    guarded(QStringLiteral("F1 filter"), [&] {
        const bool hadFocus = filterBar_->isAncestorOf(QApplication::focusWidget());
        controller_.filter().close();
        filterBar_->setVisible(false);
        filterEscape_->setEnabled(false);
        applyLayout();
        if (hadFocus)
            lineList_->setFocus(Qt::OtherFocusReason);
        const QModelIndex current = lineList_->currentIndex();
        if (current.isValid())
            lineList_->scrollTo(current, QAbstractItemView::PositionAtCenter);
    });
}

void MainWindow::filterEdited()
{
    guarded(QStringLiteral("F1 filter"), [&] {
        controller_.filter().setFolding(filterBar_->folding());
        controller_.filter().setQuery(filterBar_->query());
        followFilter();
    });
}

void MainWindow::followFilter()
{
    const QModelIndex current = lineList_->currentIndex();
    if (current.isValid() && lineList_->shownRow(current.row()) >= 0)
        lineList_->scrollTo(current, QAbstractItemView::EnsureVisible);
    else
        lineList_->verticalScrollBar()->setValue(0);
}

void MainWindow::enterFilteredList()
{
    guarded(QStringLiteral("F1 filter"), [&] {
        if (!controller_.chooseFirstShownLine())
            return;
        lineList_->setFocus(Qt::OtherFocusReason);
        lineList_->scrollTo(lineList_->currentIndex());
    });
}

void MainWindow::findNext(bool forward)
{
    if (!controller_.filter().hasWords()) {
        openFilter();
        return;
    }
    if (controller_.findNext(forward) < 0) {
        QApplication::beep();
        return;
    }
    lineList_->scrollTo(lineList_->currentIndex());
}

}  // namespace petari
