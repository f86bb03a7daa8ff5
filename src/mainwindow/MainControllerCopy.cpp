// MainController: copying the chosen lines to the clipboard, and the
// clipboard monitor that brings new clipboard text into the input box.

#include "mainwindow/MainController.h"
#include "mainwindow/MainControllerKeys.h"

#include "platform/Clipboard.h"
#include "services/Guard.h"

#include <QLocale>

#include <algorithm>

namespace petari {

using namespace mainwindowkeys;

// ---------------------------------------------------------------- clipboard monitor

std::optional<QString> MainController::monitorTick(const QString& inputText, bool composing)
{
    std::optional<QString> result;
    if (monitorSuspended_)
        return result;
    guarded(label("Timer1_Timer"), [&] {
        clipboard_.watch(monitor_.mode() != 0);
        // While the user composes, copies made meanwhile wait their turn.
        if (monitor_.mode() == 0 || composing)
            return;
        // Several copies since the last tick each count, in their order.
        QString input = inputText;
        for (const QString& t : clipboard_.monitorTexts()) {
            if (const auto next = monitor_.tick(t, input, false)) {
                input = *next;
                result = input;
            }
        }
    });
    return result;
}

// ---------------------------------------------------------------- copying

QString MainController::copiedAmount(int lines, QStringView text)
{
    const qsizetype characters =
        text.size() - std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLowSurrogate(); });
    const QLocale grouped(QLocale::English);
    return grouped.toString(lines) + QStringLiteral("行（") + grouped.toString(qint64(characters)) +
           QStringLiteral("文字）をコピーしました。");
}

void MainController::copySelection(int listIndex, int lineOption, int letterOption)
{
    guarded(label("mcopy"), [&] {
        copyNote_.clear();
        clipboard_.clear();
        const LineList& list = listIndex == 1 ? document_.splitList() : document_.lines();
        const std::vector<int> rows = list.selectedRows();
        if (rows.empty())
            return;
        lastList_ = listIndex;
        // The lines are borrowed from the version shown, held here until the
        // text is built: a hundred thousand of them need no copy each.
        const LineText shown = list.lines();
        const QStringList selected = shown.borrowLines(rows);
        const QString text = buildCopyText(selected, listIndex == 0, lineOption, letterOption,
                                           CopyOptions::fromSettings(settings_));
        clipboard_.setText(text);
        // A row shows only the start of a very long line: the status line
        // says how much went to the clipboard.
        if (std::any_of(selected.begin(), selected.end(),
                        [](const QString& line) { return line.size() > LineList::kShownUnits; })) {
            copyNote_ = copiedAmount(int(rows.size()), text);
            copyNoteRows_ = int(rows.size());
        }
    });
}

void MainController::lineChosen(int listIndex)
{
    guarded(label("List1_Click"), [&] {
        if (document_.lines().currentRow() >= 0 || listIndex == 1)
            copySelection(listIndex, 0, 0);
        if (listIndex == 0)
            view_->setSplitListVisible(false);
        refreshStatus();
    });
}

void MainController::copyAgain(int lineOption, int letterOption)
{
    guarded(label("henkan_Click"), [&] { copySelection(lastList_, lineOption, letterOption); });
}

void MainController::setRightClickChoice(int index)
{
    guarded(label("r_cr2_Click"), [&] {
        rightClick_ = index;
        emit refreshed();
    });
}

}  // namespace petari
