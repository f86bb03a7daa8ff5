// MainWindow: where the controls go when the window is resized, when the
// splitter between the input box and the list is dragged, and on the
// favourites bar.  The rules themselves are in mainwindow/Layout.h, in twips.

#include "mainwindow/MainController.h"
#include "editing/Favourites.h"
#include "mainwindow/ui/FilterBar.h"
#include "mainwindow/ui/InputArea.h"
#include "mainwindow/ui/LineListView.h"
#include "mainwindow/ui/MainWindow.h"
#include "services/Guard.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace petari {

std::array<QPushButton*, 4> MainWindow::inputButtons() const
{
    return {showClipboardButton_, addButton_, replaceButton_, clearButton_};
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
    place(favouritesBar_, layout_.favouritesBar);
    const std::array<QPushButton*, 4> buttons = inputButtons();
    for (int i = 0; i < 4; ++i) {
        place(buttons[i], layout_.buttons[i]);
        buttons[i]->setVisible(layout_.buttonVisible[i]);
    }
    place(inputBox_, layout_.inputArea);
    place(splitter_, {layout_.splitterLeft, layout_.splitterY - 15,
                      layout_.splitterRight - layout_.splitterLeft, 30});
    place(tocLabel_, layout_.tocLabel);
    place(tocCombo_, layout_.toc);
    place(lineList_, layout_.lineList);
    if (filterBar_->isVisible()) {
        // The box takes the top of the list's place while it is open.
        const QRect list = lineList_->geometry();
        const int h = std::min(filterBar_->heightForWidth(list.width()), list.height() / 2);
        filterBar_->setGeometry(list.x(), list.y(), list.width(), h);
        lineList_->setGeometry(list.x(), list.y() + h, list.width(), std::max(1, list.height() - h));
    }
    place(statusLine_, layout_.statusLine);
    layoutFavouritesBar();
}

void MainWindow::layoutFavouritesBar()
{
    guarded(QStringLiteral("F1 Picture1_Resize"), [&] {
        std::array<bool, kFavouriteButtons> enabled{};
        for (int i = 0; i < kFavouriteButtons; ++i)
            enabled[i] = favouriteButtons_[i]->isEnabled();
        const FavouritesBarLayout bar = favouritesBarLayout(pixelsToTwips(favouritesBar_->width()),
                                                            controller_.favourites().lastUsedSlot(), enabled);
        for (int i = 0; i < kFavouriteButtons; ++i) {
            favouriteButtons_[i]->setGeometry(twipsToPixels(bar.buttonLeft[i]), 2, twipsToPixels(360),
                                              twipsToPixels(320));
            favouriteButtons_[i]->setVisible(bar.buttonVisible[i]);
        }
        previousFileButton_->setGeometry(twipsToPixels(bar.previousLeft), 2, twipsToPixels(360), twipsToPixels(320));
        nextFileButton_->setGeometry(twipsToPixels(bar.nextLeft), 2, twipsToPixels(360), twipsToPixels(320));
        // Beside the folder buttons, on whichever side has room.
        const int w = sameFolderLabel_->sizeHint().width();
        const int before = twipsToPixels(bar.previousLeft) - w - 4;
        const int lastButton = twipsToPixels(bar.buttonLeft[kFavouriteButtons - 1] + 375);
        const int x = before > lastButton ? before : twipsToPixels(bar.nextLeft + 380);
        sameFolderLabel_->setGeometry(x, 6, w, 18);
        favouritesLabel_->setVisible(bar.buttonLeft[0] > 0);
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched != centralWidget() && watched != splitter_)
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

}  // namespace petari
