// MainController: what the window shows of the document: the enabled state
// and captions of the menus, the status line, the table of contents.

#include "mainwindow/MainController.h"
#include "mainwindow/MainControllerKeys.h"
#include "platform/SettingsSchema.h"

#include "editing/Favourites.h"
#include "editing/History.h"
#include "editing/UndoChain.h"
#include "mainwindow/ListFilter.h"
#include "platform/SettingsStore.h"
#include "services/Guard.h"

namespace petari {

using namespace mainwindowkeys;

void MainController::jumpToHeading(int index)
{
    guarded(label("Combo1_Click"), [&] {
        const std::vector<int>& lines = document_.tocLines();
        if (index >= 0 && index < static_cast<int>(lines.size()))
            view_->scrollToTop(lines[static_cast<size_t>(index)] - 1);
    });
}

MenuState MainController::menuState() const
{
    MenuState m;
    const int n = document_.lines().count();
    const int s = document_.lines().selectedCount();
    m.hasPath = !document_.state().fileName.isEmpty();
    m.hasLines = n > 0;
    m.manyLines = n > 1;
    m.filtering = filter_->isFiltering();
    m.hasSelection = s > 0;
    m.oneSelected = s == 1;
    m.severalSelected = s > 1;
    m.canClearHistory = history_->canClear();
    m.canAddFavourite = favourites_->canAdd(document_.state().fileName);
    m.addFavouriteCaption = Favourites::addCaption(document_.state().fileName);
    m.canUndo = document_.undo().canUndo();
    m.canRedo = document_.undo().canRedo();
    m.undoCaption = document_.undo().undoCaption();
    m.redoCaption = document_.undo().redoCaption();
    m.editorCaption = editorCaption();
    m.copyCaptions = copyMenuCaptions();
    return m;
}

QString MainController::statusText() const
{
    const int s = document_.lines().selectedCount();
    // While filtered the line counts come first: "絞り込み 1000行中 12行".
    QString t = filter_->isFiltering() ? QStringLiteral("絞り込み ") + QString::number(filter_->totalCount()) +
                                             QStringLiteral("行中 ") + QString::number(filter_->shownCount()) +
                                             QStringLiteral("行")
                                       : QString();
    if (s == 0)
        return t.isEmpty() ? document_.state().fileName : t;
    if (!t.isEmpty())
        t += QStringLiteral("　");
    t += QStringLiteral("メイン ") + QString::number(document_.lines().currentRow() + 1) +
         QStringLiteral("行目　選択行数 ") + QString::number(s) + QStringLiteral("行　　");
    const int splitSelected = document_.splitList().selectedCount();
    if (view_->isSplitListVisible() && splitSelected > 0)
        t += QStringLiteral("分割 ") + QString::number(document_.splitList().currentRow() + 1) +
             QStringLiteral("行目　選択行数 ") + QString::number(splitSelected) + QStringLiteral("行");
    const int copiedFrom = lastList_ == 1 ? splitSelected : s;
    if (!copyNote_.isEmpty() && copiedFrom == copyNoteRows_)
        t += (t.endsWith(QStringLiteral("　")) ? QString() : QStringLiteral("　　")) + copyNote_;
    return t;
}

CopyMenuCaptions MainController::copyMenuCaptions() const
{
    return petari::copyMenuCaptions(CopyOptions::fromSettings(settings_));
}

QString MainController::editorCaption() const
{
    return QStringLiteral("「") + settings_.get(settings::editorName) + QStringLiteral("」を起動");
}

void MainController::refreshView()
{
    guarded(label("hyouji"), [&] {
        emit refreshed();
        refreshStatus();
    });
}

void MainController::refreshStatus()
{
    guarded(label("hyouji_SB"), [&] { emit statusChanged(statusText()); });
}

}  // namespace petari
