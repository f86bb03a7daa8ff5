#include "platform/Clipboard.h"

#include "platform/ClipboardWatcher.h"
#include "platform/Failure.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>

#ifdef PETARI_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <cstdlib>
#endif

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

bool onWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

// Whether an X11 clipboard manager runs: Qt then hands our clipboard to it at exit.
bool x11ClipboardManagerRunning()
{
#ifdef PETARI_HAVE_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return false;
    xcb_connection_t* c = x11->connection();
    static const char name[] = "CLIPBOARD_MANAGER";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof name - 1, name), nullptr);
    if (!atom)
        return false;
    const xcb_atom_t a = atom->atom;
    std::free(atom);
    if (a == XCB_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, a), nullptr);
    const bool running = owner && owner->owner != XCB_NONE;
    std::free(owner);
    return running;
#else
    return false;
#endif
}
}  // namespace

SystemClipboard::SystemClipboard() = default;

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
    if (relayProgram_.isEmpty() || !onWayland())
        return;
    if (!watcher_)
        watcher_ = std::make_unique<ClipboardWatcher>();
    if (watcher_->active() || watcher_->failed())
        return;
    watcher_->start(QStringLiteral("wl-paste"), ClipboardWatcher::watchArguments(relayProgram_));
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
    QString program;
    QStringList arguments;
    if (onWayland()) {
        program = QStringLiteral("wl-copy");
        arguments = {QStringLiteral("--type"), QStringLiteral("text/plain;charset=utf-8")};
    } else if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (x11ClipboardManagerRunning())
            return;
        program = QStringLiteral("xclip");
        arguments = {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-i")};
    } else {
        return;
    }
    // Both read the text, take the clipboard and go on in the background, so
    // their first process ends at once.  The one left serving must not hold
    // our output open.
    QProcess keeper;
    keeper.setProgram(program);
    keeper.setArguments(arguments);
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
