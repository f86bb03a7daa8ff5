#include "platform/Clipboard.h"

#include "platform/ClipboardWatcher.h"
#include "platform/Failure.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>

namespace petari {

namespace {
QClipboard* board()
{
    QClipboard* cb = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                         ? QGuiApplication::clipboard()
                         : nullptr;
    if (!cb)
        throw Failure(err::ClipboardBusy);
    return cb;
}
}  // namespace

SystemClipboard::SystemClipboard(std::unique_ptr<ClipboardDesktop> desktop) : desktop_(std::move(desktop))
{
    if (!desktop_)
        desktop_ = std::make_unique<ClipboardDesktop>();
}

SystemClipboard::~SystemClipboard() = default;

void SystemClipboard::clear()
{
    board()->clear(QClipboard::Clipboard);
    copied_.clear();
}

QString SystemClipboard::text() const { return board()->text(QClipboard::Clipboard); }

void SystemClipboard::setText(const QString& text)
{
    board()->setText(text, QClipboard::Clipboard);
    copied_ = text;
}

void SystemClipboard::followChanges()
{
    if (changes_)
        return;
    QClipboard* cb = board();
    changes_ = std::make_unique<QObject>();
    QObject::connect(cb, &QClipboard::changed, changes_.get(), [this](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard)
            changed_ = true;
    });
}

QStringList SystemClipboard::monitorTexts()
{
    followChanges();
    if (watcher_ && watcher_->active())
        return watcher_->take();
    if (changed_) {
        changed_ = false;
        seen_ = board()->text(QClipboard::Clipboard);
    }
    return {seen_};
}

void SystemClipboard::watch(bool on)
{
    followChanges();
    if (!on) {
        if (watcher_)
            watcher_->stop();
        return;
    }
    const ClipboardCommand helper = desktop_->watchCommand(relayProgram_);
    if (helper.isEmpty())
        return;
    if (!watcher_)
        watcher_ = std::make_unique<ClipboardWatcher>();
    if (watcher_->active() || watcher_->failed())
        return;
    watcher_->start(helper.program, helper.arguments);
}

void SystemClipboard::keepAfterExit()
{
    if (watcher_)
        watcher_->stop();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    // Word that another program has taken the clipboard may still be queued.
    QCoreApplication::processEvents();
    if (copied_.isEmpty() || !board()->ownsClipboard())
        return;
    const ClipboardCommand keeperProgram = desktop_->keeperCommand();
    if (keeperProgram.isEmpty())
        return;
    // Both read the text, take the clipboard and go on in the background, so
    // their first process ends at once.  The one left serving must not hold
    // our output open.
    QProcess keeper;
    keeper.setProgram(keeperProgram.program);
    keeper.setArguments(keeperProgram.arguments);
    keeper.setStandardOutputFile(QProcess::nullDevice());
    keeper.setStandardErrorFile(QProcess::nullDevice());
    keeper.start();
    if (!keeper.waitForStarted(3000))
        return;
    keeper.write(copied_.toUtf8());
    keeper.closeWriteChannel();
    if (!keeper.waitForFinished(5000)) {
        keeper.kill();
        keeper.waitForFinished(1000);
    }
}

}  // namespace petari
