#include "mainwindow/Layout.h"

#include <algorithm>

namespace petari {

bool MainWindowLayout::operator==(const MainWindowLayout& o) const
{
    return inputArea == o.inputArea && lineList == o.lineList && tocLabel == o.tocLabel
           && toc == o.toc && statusLine == o.statusLine && favouritesBar == o.favouritesBar
           && splitterY == o.splitterY && splitterLeft == o.splitterLeft
           && splitterRight == o.splitterRight && buttons == o.buttons
           && buttonVisible == o.buttonVisible;
}

bool FavouritesBarLayout::operator==(const FavouritesBarLayout& o) const
{
    return previousLeft == o.previousLeft && nextLeft == o.nextLeft
           && buttonLeft == o.buttonLeft && buttonVisible == o.buttonVisible;
}

MainWindowLayout resizedLayout(const MainWindowLayout& current, int innerHeight, int outerWidth)
{
    MainWindowLayout l = current;
    if (l.splitterY + 1400 < innerHeight) {
        l.lineList.height = innerHeight - l.splitterY - 900;
        l.statusLine.top = innerHeight - 300;
    }
    if (outerWidth > 1800) {
        l.lineList.width = outerWidth - 150;
        l.inputArea.width = outerWidth - 980;
        l.toc.width = outerWidth - 750;
        l.statusLine.width = outerWidth - 150;
        l.splitterRight = outerWidth - 150;
        l.favouritesBar.width = outerWidth - 150;
    }
    return l;
}

bool splitterPointerShown(int splitterY, int y)
{
    return splitterY - 25 < y && y < splitterY + 25;
}

bool withinSplitterBand(int y, int outerHeight)
{
    return y >= 1200 && y <= outerHeight - 2000;
}

MainWindowLayout dragSplitter(const MainWindowLayout& current, int y, int outerHeight)
{
    MainWindowLayout l = current;
    l.splitterY = y;
    l.tocLabel.top = y + 100;
    l.toc.top = y + 100;
    l.lineList.top = y + 500;
    l.lineList.height = outerHeight - y - 1700;
    l.inputArea.height = y - 600;
    // "確認" always stays; the other three sit below it beside the input
    // area and go when the input area becomes too short for them.
    for (int i = 1; i < 4; ++i)
        l.buttonVisible[i] = l.buttons[i].top < y;
    return l;
}

bool SplitterDrag::mouseMove(int y, int outerHeight, MainWindowLayout& layout)
{
    bool moved = false;
    if (!withinSplitterBand(y, outerHeight)) {
        dragging_ = false;
    } else if (dragging_) {
        layout = dragSplitter(layout, y, outerHeight);
        moved = true;
    }
    // Judged against the splitter's new place, so that the pointer keeps its
    // shape while the splitter follows the mouse.
    resizePointer_ = splitterPointerShown(layout.splitterY, y);
    return moved;
}

void SplitterDrag::mousePress()
{
    if (resizePointer_)
        dragging_ = true;
}

void SplitterDrag::mouseRelease()
{
    dragging_ = false;
}

FavouritesBarLayout favouritesBarLayout(int barWidth, int lastUsedSlot,
                                   const std::array<bool, kFavouriteButtons>& buttonEnabled)
{
    FavouritesBarLayout b;
    if (barWidth >= 6730) {
        b.previousLeft = 5880;
        b.nextLeft = 6255;
    } else {
        b.previousLeft = barWidth - 850;
        b.nextLeft = barWidth - 475;
    }

    const int offset = barWidth >= 4621 ? 850 : 0;
    for (int i = 0; i < kFavouriteButtons; ++i) {
        b.buttonLeft[i] = i * 375 + offset;
        b.buttonVisible[i] = buttonEnabled[i] || b.buttonLeft[i] + 380 < b.previousLeft;
    }

    const int k = std::max(0, lastUsedSlot);
    if (k < kFavouriteButtons && b.previousLeft < b.buttonLeft[k]) {
        b.previousLeft = b.buttonLeft[k];
        b.nextLeft = b.previousLeft + 375;
    }
    return b;
}

TwipsRect splitListPlacement(const TwipsRect& mainList, const TwipsRect& piece, int x, int y)
{
    TwipsRect p = piece;
    // "Half of the size is over 500" with halves that may end in .5, kept in
    // whole twips by comparing the doubled value.
    if (mainList.height > 1000)
        p.height = mainList.height / 2;
    if (mainList.width > 1000)
        p.width = mainList.width / 2;

    if (2LL * y > mainList.height)
        p.top = mainList.top + 100;
    else
        p.top = mainList.top + mainList.height - p.height - 100;

    if (2LL * x > mainList.width)
        p.left = mainList.left + 100;
    else
        p.left = mainList.left + mainList.width - p.width - 300;
    return p;
}

}  // namespace petari
