#include "platform/ClipboardWatcher.h"

#include <QProcess>

#include <csignal>
#include <sys/prctl.h>

namespace petari {

ClipboardWatcher::ClipboardWatcher(QObject* parent) : QObject(parent) {}

ClipboardWatcher::~ClipboardWatcher() { stop(); }

QStringList ClipboardWatcher::watchArguments(const QString& relayProgram)
{
    // "text" lets wl-paste choose UTF-8 plain text first; copies that hold no
    // text (an image) run nothing.
    return {QStringLiteral("--type"), QStringLiteral("text"), QStringLiteral("--watch"), relayProgram,
            QString::fromLatin1(kClipboardRelaySwitch)};
}

void ClipboardWatcher::start(const QString& program, const QStringList& arguments)
{
    stop();
    failed_ = false;
    reader_ = RelayFrameReader();
    process_ = new QProcess(this);
    process_->setProgram(program);
    process_->setArguments(arguments);
    // Its complaints (a desktop without data-control) go where ours go.
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->setStandardInputFile(QProcess::nullDevice());
    // A watcher left behind by a crashed copy of this program would run a
    // relay for every copy until the session ends.
    process_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    connect(process_, &QProcess::readyReadStandardOutput, this, &ClipboardWatcher::readOutput);
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError) {
        if (!stopping_)
            failed_ = true;
    });
    connect(process_, &QProcess::finished, this, [this] {
        if (!stopping_)
            failed_ = true;
    });
    process_->start();
}

void ClipboardWatcher::stop()
{
    if (!process_)
        return;
    stopping_ = true;
    process_->disconnect(this);
    if (process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished(1000);
    }
    delete process_;
    process_ = nullptr;
    stopping_ = false;
    pending_.clear();
    latest_.reset();
}

bool ClipboardWatcher::active() const
{
    return process_ && !failed_ && process_->state() != QProcess::NotRunning;
}

void ClipboardWatcher::readOutput()
{
    reader_.feed(process_->readAllStandardOutput());
    const QList<QByteArray> frames = reader_.takeFrames();
    for (const QByteArray& f : frames)
        pending_.append(QString::fromUtf8(f));
    if (!frames.isEmpty()) {
        latest_ = pending_.last();
        emit textArrived();
    }
}

QStringList ClipboardWatcher::take()
{
    if (pending_.isEmpty())
        return latest_ ? QStringList{*latest_} : QStringList{};
    QStringList out;
    out.swap(pending_);
    return out;
}

}  // namespace petari
