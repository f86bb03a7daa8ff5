// MainController: start-up and exit, and the settings they read and write.

#include "mainwindow/MainController.h"
#include "mainwindow/MainControllerKeys.h"

#include "document/FileName.h"
#include "editing/Favourites.h"
#include "editing/History.h"
#include "editing/UndoChain.h"
#include "platform/Failure.h"
#include "platform/InstanceChannel.h"
#include "platform/InstanceRegistry.h"
#include "platform/LineBreak.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "platform/TerminationSignals.h"
#include "platform/Twips.h"
#include "platform/UserPrompt.h"
#include "price/PriceSettings.h"
#include "services/Guard.h"
#include "services/ProgramInfo.h"
#include "services/SettingsExport.h"
#include "services/VersionInfo.h"

#include <QFileInfo>

#include <climits>

namespace petari {

using namespace mainwindowkeys;

bool MainController::startUp(const QStringList& arguments, InstanceRegistry& registry)
{
    bool proceed = true;
    guarded(label("Form_Load"), [&] {
        const bool othersRunning = registry.othersRunning();
        if (settings_.get(settings::refuseSecondCopy) && othersRunning &&
            (!handOver_ || handOver_(handOverRequest(arguments)))) {
            exitState_ = ExitState::Forced;
            proceed = false;
            return;
        }
        registry.acquire();
        // A settings path that is no file was never opened: say so, once.
        if (!settings_.refusal().isEmpty())
            prompt_.showMessage(caption(), settings_.refusal(), Icon::Exclamation);

        // A stored copy number that is not a number is reported, and this
        // copy goes on as the first one: the user's lists and file still load.
        instance_ = 0;
        guarded(label("Form_Load"), [&] {
            const QString stored = settings_.get(settings::instanceCounter);
            bool ok = false;
            const int no = stored.trimmed().toInt(&ok);
            if (!ok || no < 0 || no > 255)
                throw Failure(err::Overflow, QStringLiteral("A1/No の値が不正です: ") + stored);
            instance_ = othersRunning ? no : 0;
            if (instance_ > 5)
                instance_ = 1;
        });
        settings_.set(settings::instanceCounter, QString::number(instance_ + 1));
        // Each running copy undoes through a snapshot folder of its own.
        document_.undo().setCopyNumber(instance_);
        priceVisible_ = petari::priceMenuVisible(settings_);

        readWindowSettings();
        startedUp_ = true;

        // Each argument is one path already, so a path with blanks stays whole.
        if (!arguments.isEmpty() && !arguments.front().isEmpty()) {
            openDocument(arguments.front());
        } else if (const StartupFile file = storedStartupFile(settings_, programFolder_); file.open) {
            // A first start shows the read-me tour; an installed copy finds it
            // in the installation's data folder.
            if (!file.path.isEmpty())
                openDocument(file.path);
        }
        // A copy told to end while its file was read only ends.
        if (document_.state().fileName.isEmpty() && !terminationRequested()) {
            document_.takeStartupSnapshot();
            document_.rebuildToc();
        }
        refreshView();
        if (arguments.size() > 1)
            emit statusChanged(notOpenedText(arguments.mid(1)));
        if (presenter_ && !terminationRequested())
            showVersionNotice(settings_, *presenter_);
    });
    return proceed;
}

QString notOpenedText(const QStringList& files)
{
    QStringList names;
    for (const QString& f : files)
        names << QFileInfo(f).fileName();
    return names.join(QStringLiteral("、")) + QStringLiteral(" は開いていません（一度に開くファイルはひとつです）");
}

InstanceRequest MainController::handOverRequest(const QStringList& arguments)
{
    InstanceRequest r;
    if (!arguments.isEmpty() && !arguments.front().isEmpty()) {
        r.kind = InstanceRequest::Open;
        r.file = absoluteFileName(arguments.front());
    }
    r.activationToken = startActivationToken();
    return r;
}

void MainController::readMonitorMode()
{
    // Here only the text "1" turns a mode on, as it always has.
    for (int i = 0; i < 3; ++i)
        if (settings_.text(settings::clipboardMonitor.at(i)) == QLatin1String("1"))
            monitor_.setMode(i + 1);
}

void MainController::readWindowSettings()
{
    settingsUnread_ = !guarded(label("RgsYomi"), [&] {
        const settings::WindowArea& area = settings::mainWindowArea;
        TwipsRect r;
        r.top = settings_.get(area.top()) + instance_ * 300;
        r.left = settings_.get(area.left()) + instance_ * 300;
        r.height = settings_.get(area.height());
        r.width = settings_.get(area.width());
        view_->setGeometryTwips(r);
        readMonitorMode();
        // A number outside 0..4 pops up no menu; held just outside, it stays so.
        rightClick_ = settings_.get(settings::rightClickMenu);
        history_->load(settings_);
        emit historyChanged();
        document_.setAlwaysOnTop(settings_.get(settings::alwaysOnTop));
        favourites_->load(settings_);
        emit favouritesChanged();
        emit refreshed();
    });
}

void MainController::writeWindowSettings()
{
    // What start-up could not read is still the user's: never overwrite it
    // with the empty lists and default place this run began with.
    if (settingsUnread_)
        return;
    guarded(label("RgsKaki"), [&] {
        if (view_->isNormalState()) {
            const TwipsRect r = view_->geometryTwips();
            // Where the desktop never tells a window its place, the stored one stays.
            if (view_->reportsPosition()) {
                settings_.set(settings::mainWindowArea.top(), r.top);
                settings_.set(settings::mainWindowArea.left(), r.left);
            }
            settings_.set(settings::mainWindowArea.height(), r.height);
            settings_.set(settings::mainWindowArea.width(), r.width);
        }
        settings_.set(settings::rightClickMenu, rightClick_);
        history_->save(settings_);
        favourites_->save(settings_);
        if (settings_.get(settings::versionRevision) < programinfo::revision) {
            settings_.set(settings::versionMajor, programinfo::majorVersion);
            settings_.set(settings::versionMinor, programinfo::minorVersion);
            settings_.set(settings::versionRevision, programinfo::revision);
        }
        settings_.sync();
    });
}

void MainController::storeLists()
{
    if (settingsUnread_ || !startedUp_)
        return;
    guarded(label("RgsKaki"), [&] {
        history_->save(settings_);
        favourites_->save(settings_);
        settings_.sync();
    });
}

void MainController::exitWithoutQuestions()
{
    if (exitState_ == ExitState::Forced)
        return;
    exitState_ = ExitState::Forced;
    ErrorSink* const sink = errorSink();
    setErrorSink(nullptr);
    guarded(label("Form_QueryUnload"), [&] {
        if (document_.state().modified != 0) {
            document_.takeBackup();
            document_.state().modified = 0;
        }
        if (startedUp_) {
            writeWindowSettings();
            if (instance_ == 0)
                settings_.set(settings::instanceCounter, QStringLiteral("0"));
            settings_.sync();
        }
        document_.waitForWrites();
    });
    setErrorSink(sink);
}

void MainController::requestExitDeletingSettings()
{
    deleteSettingsOnExit_ = true;
    view_->requestClose();
}

bool MainController::confirmClose()
{
    bool mayClose = false;
    const bool ran = guarded(label("Form_QueryUnload"), [&] {
        if (exitState_ == ExitState::Forced) {
            mayClose = true;
            return;
        }
        if (document_.confirmDiscard() == DiscardAnswer::KeepDocument) {
            deleteSettingsOnExit_ = false;
            return;
        }
        if (settings_.get(settings::askOnExit)) {
            const QString q = QStringLiteral("「") + programInformation(QStringLiteral("0")) +
                              QStringLiteral("」を終了しますか?");
            if (prompt_.askYesNo(caption(), q, Icon::Question) != Answer::Yes) {
                deleteSettingsOnExit_ = false;
                return;
            }
        }
        writeWindowSettings();
        if (instance_ == 0)
            settings_.set(settings::instanceCounter, QStringLiteral("0"));
        if (deleteSettingsOnExit_) {
            const QString q = QStringLiteral("レジストリを削除しますか?") + kLineBreak + kLineBreak +
                              QStringLiteral("　レジストリを保存したい場合には、[キャンセル]で戻り[設定]→[レジストリの保存]で保存が出来ます。");
            const Answer a = prompt_.askYesNoCancel(caption(), q, Icon::Question);
            if (a == Answer::Cancel) {
                deleteSettingsOnExit_ = false;
                return;
            }
            if (a == Answer::Yes)
                settings_.deleteAll();
        }
        settings_.sync();
        // Once, and where: a read-only settings file loses every change.
        // (A path that is no file was reported at the start.)
        if (!settings_.isWritable() && settings_.refusal().isEmpty())
            guarded(label("RgsKaki"), [&] {
                throw Failure(err::PermissionDenied,
                              QStringLiteral("設定を保存できませんでした。") + QChar(0x3000) + settings_.path());
            });
        // Every snapshot and backup is on the disk when the program ends.
        document_.waitForWrites();
        mayClose = true;
    });
    if (!ran)
        deleteSettingsOnExit_ = false;
    return mayClose;
}

void MainController::exportSettingsToFile()
{
    guarded(label("rejiHozo_Click"),
            [&] {
                exportSettings(settings_, prompt_, programFolder_, [this] { writeWindowSettings(); },
                               [this] { document_.takeBackup(); });
            });
}

void MainController::importSettingsFromFile()
{
    guarded(label("rejiHozo_Click"), [&] {
        if (importSettings(settings_, prompt_) != SettingsImport::Cancelled)
            pickUpSettings(true);
    });
}

void MainController::pickUpSettings(bool windowToo)
{
    // Unticking every monitor box leaves no key at 1: the monitor stops.
    monitor_.setMode(0);
    readMonitorMode();
    if (windowToo)
        readWindowSettings();
    else
        document_.setAlwaysOnTop(settings_.get(settings::alwaysOnTop));
    refreshView();
}


}  // namespace petari
