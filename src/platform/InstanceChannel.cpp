#include "platform/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace petari {

namespace {

constexpr quint32 kProtocol = 1;
// A request is a path and a token: anything longer is not one of ours.
constexpr int kMaxRequest = 64 * 1024;
// A display name longer than this goes into the socket's name as a digest:
// a socket's whole path must stay within 107 bytes.
constexpr int kMaxDisplayKey = 40;
const char kTaken = '1';
const char kRefused = '0';

bool isOurSocket(const QString& path)
{
    struct stat st {};
    return lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISSOCK(st.st_mode) &&
           st.st_uid == getuid();
}

// Creates the folder with mode 0700, and gives a folder of ours that an
// earlier version made with the umask's mode back to this user alone.  The
// folder is opened without following a link, so no link is changed.
void makeOwnFolder(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    mkdir(name.constData(), 0700);
    const int fd = open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat st {};
    if (fstat(fd, &st) == 0 && st.st_uid == getuid() && (st.st_mode & 077) != 0)
        fchmod(fd, 0700);
    ::close(fd);
}

}  // namespace

QByteArray startActivationToken()
{
    const QByteArray wayland = qgetenv("XDG_ACTIVATION_TOKEN");
    return wayland.isEmpty() ? qgetenv("DESKTOP_STARTUP_ID") : wayland;
}

QByteArray encodeInstanceRequest(const InstanceRequest& r)
{
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kProtocol << quint8(r.kind) << r.file << r.activationToken;
    QByteArray framed(4, '\0');
    qToBigEndian<quint32>(quint32(body.size()), framed.data());
    return framed + body;
}

std::optional<InstanceRequest> takeInstanceRequest(QByteArray& buffer, bool& bad)
{
    bad = false;
    if (buffer.size() < 4)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(buffer.constData());
    if (length > quint32(kMaxRequest)) {
        bad = true;
        buffer.clear();
        return std::nullopt;
    }
    if (quint32(buffer.size()) < 4 + length)
        return std::nullopt;
    const QByteArray body = buffer.mid(4, length);
    buffer.remove(0, 4 + length);
    QDataStream in(body);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 protocol = 0;
    quint8 kind = 0;
    InstanceRequest r;
    in >> protocol >> kind >> r.file >> r.activationToken;
    const bool known = kind == InstanceRequest::Show || (kind == InstanceRequest::Open && !r.file.isEmpty());
    if (in.status() != QDataStream::Ok || protocol != kProtocol || !known || !in.atEnd()) {
        bad = true;
        buffer.clear();
        return std::nullopt;
    }
    r.kind = InstanceRequest::Kind(kind);
    return r;
}

bool isOwnPrivateFolder(const QString& path)
{
    struct stat st {};
    return lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == getuid() && (st.st_mode & 077) == 0;
}

bool isPrivateFolder(const QString& folder)
{
    return isOwnPrivateFolder(folder) && isOwnPrivateFolder(QFileInfo(folder).absolutePath());
}

QString fallbackRuntimeFolder()
{
    return QDir::tempPath() + QStringLiteral("/petari-runtime-") + QString::number(getuid());
}

bool preparePrivateFolder(const QString& folder)
{
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent == fallbackRuntimeFolder())
        makeOwnFolder(parent);
    if (!isOwnPrivateFolder(parent))
        return false;
    makeOwnFolder(folder);
    return isPrivateFolder(folder);
}

QString displayKey()
{
    QString key;
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!wayland.isEmpty()) {
        key = QStringLiteral("wl-") + wayland;
    } else {
        // ":1" and ":1.0" are one display.
        QString x = qEnvironmentVariable("DISPLAY");
        const qsizetype colon = x.lastIndexOf(QLatin1Char(':'));
        const qsizetype dot = x.indexOf(QLatin1Char('.'), colon + 1);
        if (colon >= 0 && dot > colon)
            x.truncate(dot);
        key = x.isEmpty() ? QStringLiteral("none") : QStringLiteral("x-") + x;
    }
    for (QChar& c : key)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('-') && c != QLatin1Char('.'))
            c = QLatin1Char('_');
    if (key.size() > kMaxDisplayKey)
        key = QString::fromLatin1(
            QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(kMaxDisplayKey));
    return key;
}

InstanceChannel::InstanceChannel(QString folder, QObject* parent, ChannelLimits limits)
    : QObject(parent),
      folder_(std::move(folder)),
      socketPath_(folder_ + QStringLiteral("/instance-") + displayKey() + QStringLiteral(".socket")),
      limits_(limits)
{
}

InstanceChannel::~InstanceChannel()
{
    // The socket goes with the copy that listened on it, so the next start
    // does not take it for a live one; the lock only after it.
    if (server_)
        server_->close();
    listenerLock_.reset();
}

QString InstanceChannel::socketPath() const { return socketPath_; }

bool InstanceChannel::send(const InstanceRequest& r, int timeoutMs) const
{
    if (!isPrivateFolder(folder_) || !isOurSocket(socketPath()))
        return false;
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(encodeInstanceRequest(r));
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // Taken only when the running copy says so: until then the request may be lost.
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    char reply = 0;
    return socket.getChar(&reply) && reply == kTaken;
}

bool InstanceChannel::isListening() const { return server_ && server_->isListening(); }

bool InstanceChannel::listen()
{
    if (isListening())
        return true;
    if (!preparePrivateFolder(folder_))
        return false;
    // The copy that listens holds this lock as long as it runs, and a killed
    // one lets go of it with its process: a lock nobody holds means any
    // socket there is dead.  Two copies starting at once take it one at a time.
    auto lock = std::make_unique<QLockFile>(socketPath() + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    if (!server_) {
        server_ = new QLocalServer(this);
        connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::accept);
    }
    const QString path = socketPath();
    // Something of that name is there already: never touch what is not our socket.
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        if (!isOurSocket(path))
            return false;
        QFile::remove(path);
    }
    if (!server_->listen(path))
        return false;
    listenerLock_ = std::move(lock);
    return true;
}

std::vector<InstanceRequest> InstanceChannel::takeRequests()
{
    std::vector<InstanceRequest> taken(queue_.begin(), queue_.end());
    queue_.clear();
    return taken;
}

bool InstanceChannel::enqueue(const InstanceRequest& r)
{
    // Coming to the front once is enough; the latest start's token is the one
    // the desktop honours.
    const auto shown = std::find_if(queue_.begin(), queue_.end(),
                                    [](const InstanceRequest& q) { return q.kind == InstanceRequest::Show; });
    if (r.kind == InstanceRequest::Show && shown != queue_.end())
        shown->activationToken = r.activationToken;
    else if (int(queue_.size()) >= limits_.maxQueuedRequests)
        return false;
    else
        queue_.push_back(r);
    if (!announced_) {
        announced_ = true;
        QTimer::singleShot(0, this, [this] {
            announced_ = false;
            emit requestsWaiting();
        });
    }
    return true;
}

void InstanceChannel::accept()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        // A start sends as soon as it connects: the oldest connection is the
        // likeliest to be one that never will.
        if (int(connections_.size()) >= limits_.maxConnections)
            drop(connections_.front());
        connections_.push_back(socket);
        socket->setReadBufferSize(4 + kMaxRequest);
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, this, [this, socket] { drop(socket); });
        idle->start(limits_.idleTimeoutMs);
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        if (socket->bytesAvailable() > 0)
            readFrom(socket);
    }
}

void InstanceChannel::drop(QLocalSocket* socket)
{
    const auto it = std::find(connections_.begin(), connections_.end(), socket);
    if (it == connections_.end())
        return;
    connections_.erase(it);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void InstanceChannel::readFrom(QLocalSocket* socket)
{
    QByteArray buffer = socket->property("buffer").toByteArray();
    buffer += socket->read(4 + kMaxRequest - buffer.size());
    bool bad = false;
    const std::optional<InstanceRequest> r = takeInstanceRequest(buffer, bad);
    if (bad) {
        drop(socket);
        return;
    }
    if (!r) {
        socket->setProperty("buffer", buffer);
        return;
    }
    // Only queued here: whatever the request leads to (a question, a report)
    // runs from the event loop, after this socket is done with.
    const char reply = enqueue(*r) ? kTaken : kRefused;
    socket->write(&reply, 1);
    // One request a connection; the reply goes out before it closes.
    socket->disconnectFromServer();
}

}  // namespace petari
