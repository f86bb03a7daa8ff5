// MainController: 絞り込み, the document list showing only the lines that
// hold the words of the filter box, and F3 going from one such line to the
// next without filtering.

#include "mainwindow/MainController.h"
#include "mainwindow/MainControllerKeys.h"

#include "mainwindow/ListFilter.h"
#include "services/Guard.h"

namespace petari {

using namespace mainwindowkeys;

namespace {
// The line becomes the only chosen one and the current one, as a key
// moving onto it makes it.
void makeChosen(LineSelection lines, int row)
{
    lines.clearSelection();
    lines.setCurrentRow(row);
    lines.select(row);
}
}  // namespace

bool MainController::chooseFirstShownLine()
{
    const int row = filter_->realRow(0);
    if (row < 0)
        return false;
    makeChosen(document_.selection(), row);
    lineChosen(0);
    return true;
}

int MainController::findNext(bool forward)
{
    int row = -1;
    guarded(label("findNext"), [&] {
        row = filter_->nextMatch(document_.lines().currentRow(), forward);
        if (row < 0)
            return;
        makeChosen(document_.selection(), row);
        lineChosen(0);
    });
    return row;
}

}  // namespace petari
