// MainController: the commands that open a file: by name, from the same
// folder, dropped, from the history and from the favourites; and the
// external editor on the open file.

#include "mainwindow/MainController.h"
#include "mainwindow/MainControllerKeys.h"
#include "platform/SettingsSchema.h"

#include "editing/Favourites.h"
#include "editing/History.h"
#include "platform/ExternalProgram.h"
#include "platform/Failure.h"
#include "platform/SettingsStore.h"
#include "platform/StringUtils.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"

#include <QDir>
#include <QFileInfo>

namespace petari {

using namespace mainwindowkeys;

void MainController::openDocument(const QString& path) { document_.open(path); }

void MainController::startEditor()
{
    guarded(label("memotyou_Click"), [&] {
        const QString exe = settings_.get(settings::editorPath);
        QStringList args;
        if (!document_.state().fileName.isEmpty())
            args << document_.state().fileName;
        const auto failure = [exe](const QString& said) {
            return Failure(err::FileNotFound, QStringLiteral("テキストエディタを起動できません　") + exe +
                                                  (said.isEmpty() ? QString() : QStringLiteral("\r\n") + said));
        };
        // xdg-open, the default, starts even where no editor is to be had,
        // and only then fails: that is reported as a failure to start.
        const QString where = label("memotyou_Click");
        if (!startWatched(exe, args, this, [where, failure](const QString& said) {
                guarded(where, [&] { throw failure(said); });
            }))
            throw failure(QString());
    });
}

void MainController::openNeighbour(int step)
{
    guarded(label("Command3_Click"), [&] {
        if (document_.state().fileName.isEmpty())
            return;
        const QFileInfo fi(document_.state().fileName);
        const QDir dir = fi.absoluteDir();
        const QStringList files = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
        if (files.isEmpty())
            return;
        qsizetype p = files.indexOf(pathTail(QDir::fromNativeSeparators(document_.state().fileName)));
        if (p < 0)
            p = files.size();
        qsizetype target = p + step;
        if (target < 0)
            target = files.size() - 1;
        if (target > files.size() - 1)
            target = 0;
        openDocument(dir.filePath(files.at(target)));
    });
}

void MainController::openDropped(const QStringList& paths)
{
    guarded(label("List1_OLEDragDrop"), [&] {
        if (!paths.isEmpty())
            openDocument(paths.front());
    });
}

// ---------------------------------------------------------------- history and favourites

void MainController::addToHistory(const QString& path)
{
    guarded(label("rirekituika"), [&] {
        if (history_->add(path)) {
            emit historyChanged();
            storeLists();
        }
    });
}

void MainController::openHistory(int index)
{
    guarded(label("rireki01_Click"), [&] {
        const QString path = history_->item(index);
        if (QFileInfo::exists(path)) {
            openDocument(path);
            return;
        }
        if (prompt_.askYesNo(caption(), History::missingFileQuestion(path), Icon::Question) == Answer::Yes) {
            history_->removeAt(index);
            emit historyChanged();
            storeLists();
            refreshView();
        }
    });
}

void MainController::clearHistory()
{
    guarded(label("rirekic_Click"), [&] {
        history_->clear();
        emit historyChanged();
        storeLists();
        refreshView();
    });
}

void MainController::addFavourite()
{
    guarded(label("okinituika_Click"), [&] {
        favourites_->add(document_.state().fileName);
        emit favouritesChanged();
        storeLists();
        refreshView();
    });
}

void MainController::openFavourite(int slot)
{
    const QString path = favourites_->slot(slot);
    if (!path.isEmpty())
        openDocument(path);
}

}  // namespace petari
