// The Wayland side of DesktopHooks.  A Wayland client can neither learn which
// window had the focus nor give the focus to another: where the compositor is
// sway (or another that speaks sway's IPC), its IPC socket tells both, and
// wtype types the paste key through the virtual-keyboard protocol.  Elsewhere
// the program copies only.  The calling key comes through the portal's
// GlobalShortcuts wherever the desktop offers it.

#include "platform/DesktopHooks.h"
#include "platform/wayland/PortalShortcut.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QtEndian>

#include <functional>

namespace petari {

namespace {

constexpr quint32 kRunCommand = 0;
constexpr quint32 kSubscribe = 2;
constexpr quint32 kWindowEvent = 0x80000003;
const QByteArray kMagic = QByteArrayLiteral("i3-ipc");

QByteArray ipcMessage(quint32 type, const QByteArray& payload)
{
    QByteArray m = kMagic;
    char numbers[8];
    qToLittleEndian<quint32>(quint32(payload.size()), numbers);
    qToLittleEndian<quint32>(type, numbers + 4);
    return m + QByteArray(numbers, 8) + payload;
}

// wtype's arguments for the paste key: modifiers held (-M) around the key.
QStringList wtypeArguments(PasteKey how)
{
    QStringList modifiers{QStringLiteral("ctrl")};
    QString key = QStringLiteral("v");
    if (how == PasteKey::CtrlShiftV)
        modifiers << QStringLiteral("shift");
    if (how == PasteKey::ShiftInsert) {
        modifiers = QStringList{QStringLiteral("shift")};
        key = QStringLiteral("Insert");
    }
    QStringList args;
    for (const QString& m : modifiers)
        args << QStringLiteral("-M") << m;
    args << QStringLiteral("-k") << key;
    for (auto m = modifiers.crbegin(); m != modifiers.crend(); ++m)
        args << QStringLiteral("-m") << *m;
    return args;
}

// Any Wayland desktop: the calling key where the portal offers one.
class WaylandHooks : public DesktopHooks {
public:
    WaylandHooks() { connect(&portal_, &PortalShortcut::activated, this, &DesktopHooks::keyPressed); }
    bool canBindKey() const override { return PortalShortcut::available(); }
    bool bindKey(const QKeySequence& key) override
    {
        if (!key.isEmpty() && !canBindKey())
            return false;
        portal_.bind(key.isEmpty() ? QKeyCombination() : key[0], key.isEmpty());
        return true;
    }

private:
    PortalShortcut portal_;
};

class SwayHooks : public WaylandHooks {
public:
    explicit SwayHooks(const QString& socketPath) : path_(socketPath)
    {
        wtype_ = QStandardPaths::findExecutable(QStringLiteral("wtype"));
        events_ = new QLocalSocket(this);
        connect(events_, &QLocalSocket::readyRead, this, &SwayHooks::readEvents);
        events_->connectToServer(path_);
        if (events_->waitForConnected(2000)) {
            events_->write(ipcMessage(kSubscribe, QByteArrayLiteral("[\"window\"]")));
            events_->flush();
        }
    }

    bool canPaste() const override { return !wtype_.isEmpty() && events_->state() == QLocalSocket::ConnectedState; }

    void pasteToPrevious(const QString& text, const QStringList& terminals) override
    {
        if (!canPaste() || previousId_ < 0) {
            emit pasted(false);
            return;
        }
        const PasteKey how = pasteKeyFor({previousClass_}, terminals);
        if (how == PasteKey::ShiftInsert)
            setPrimarySelection(text);
        const qint64 target = previousId_;
        focusedId_ = -1;
        run(QStringLiteral("[con_id=%1] focus").arg(target));
        waitFocused(target, 0, [this, how](bool focused) {
            if (!focused) {
                emit pasted(false);
                return;
            }
            // A virtual keyboard is new to the compositor each time: a pause
            // lets the window take its key map before the first key.
            const QStringList args = QStringList{QStringLiteral("-s"), QStringLiteral("200")} + wtypeArguments(how);
            auto* p = new QProcess(this);
            connect(p, &QProcess::finished, this, [this, p](int code, QProcess::ExitStatus status) {
                emit pasted(status == QProcess::NormalExit && code == 0);
                p->deleteLater();
            });
            connect(p, &QProcess::errorOccurred, this, [this, p](QProcess::ProcessError e) {
                if (e == QProcess::FailedToStart) {
                    emit pasted(false);
                    p->deleteLater();
                }
            });
            p->start(wtype_, args);
        });
    }

    void focusPrevious() override
    {
        if (previousId_ >= 0)
            run(QStringLiteral("[con_id=%1] focus").arg(previousId_));
    }

    void activate(QWindow* window) override
    {
        Q_UNUSED(window);
        run(QStringLiteral("[pid=%1] focus").arg(QCoreApplication::applicationPid()));
    }

private:
    void run(const QString& command)
    {
        // Commands on a connection of their own: the event connection's
        // replies and events would mix.
        auto* s = new QLocalSocket(this);
        connect(s, &QLocalSocket::readyRead, s, [s] { s->disconnectFromServer(); });
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QLocalSocket::errorOccurred, s, &QObject::deleteLater);
        s->connectToServer(path_);
        s->write(ipcMessage(kRunCommand, command.toUtf8()));
        s->flush();
    }

    void waitFocused(qint64 id, int tries, const std::function<void(bool)>& then)
    {
        if (focusedId_ == id) {
            QTimer::singleShot(60, this, [then] { then(true); });
            return;
        }
        if (tries >= 50) {
            then(false);
            return;
        }
        QTimer::singleShot(40, this, [this, id, tries, then] { waitFocused(id, tries + 1, then); });
    }

    void readEvents()
    {
        buffer_ += events_->readAll();
        for (;;) {
            if (buffer_.size() < 14)
                return;
            if (!buffer_.startsWith(kMagic)) {
                buffer_.clear();
                return;
            }
            const quint32 length = qFromLittleEndian<quint32>(buffer_.constData() + 6);
            const quint32 type = qFromLittleEndian<quint32>(buffer_.constData() + 10);
            if (quint32(buffer_.size()) < 14 + length)
                return;
            const QByteArray payload = buffer_.mid(14, length);
            buffer_.remove(0, 14 + length);
            if (type == kWindowEvent)
                windowEvent(QJsonDocument::fromJson(payload).object());
        }
    }

    void windowEvent(const QJsonObject& event)
    {
        if (event.value(QLatin1String("change")).toString() != QLatin1String("focus"))
            return;
        const QJsonObject c = event.value(QLatin1String("container")).toObject();
        focusedId_ = c.value(QLatin1String("id")).toInteger(-1);
        if (c.value(QLatin1String("pid")).toInteger() == QCoreApplication::applicationPid())
            return;
        previousId_ = focusedId_;
        previousClass_ = c.value(QLatin1String("app_id")).toString();
        if (previousClass_.isEmpty())   // an X11 window through Xwayland
            previousClass_ = c.value(QLatin1String("window_properties")).toObject().value(QLatin1String("class")).toString();
    }

    QString path_;
    QString wtype_;
    QLocalSocket* events_ = nullptr;
    QByteArray buffer_;
    qint64 previousId_ = -1;
    QString previousClass_;
    qint64 focusedId_ = -1;
};

}  // namespace

std::unique_ptr<DesktopHooks> makeWaylandHooks()
{
    const QString sway = qEnvironmentVariable("SWAYSOCK");
    if (sway.isEmpty())
        return std::make_unique<WaylandHooks>();
    return std::make_unique<SwayHooks>(sway);
}

}  // namespace petari
