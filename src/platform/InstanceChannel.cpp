#include "platform/InstanceChannel.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QtEndian>

#include <sys/stat.h>
#include <unistd.h>

namespace petari {

namespace {

constexpr quint32 kProtocol = 1;
// A request is a path and a token: anything longer is not one of ours.
constexpr int kMaxRequest = 64 * 1024;
const char kTaken = '1';

// This user's and nobody else's: owned by us, not writable by group or others.
bool ownedPrivately(const struct stat& st) { return st.st_uid == getuid() && (st.st_mode & 022) == 0; }

bool isOurSocket(const QString& path)
{
    struct stat st {};
    return lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISSOCK(st.st_mode) &&
           st.st_uid == getuid();
}

bool isOurFolder(const QString& path)
{
    struct stat st {};
    return lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) && ownedPrivately(st);
}

// Creates the folder when missing and keeps it to this user (mode 0700).
void prepareFolder(const QString& folder)
{
    QDir().mkpath(folder);
    struct stat st {};
    const QByteArray name = QFile::encodeName(folder);
    if (lstat(name.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
        (st.st_mode & 077) != 0)
        chmod(name.constData(), 0700);
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

bool isPrivateFolder(const QString& folder)
{
    return isOurFolder(folder) && isOurFolder(QFileInfo(folder).absolutePath());
}

InstanceChannel::InstanceChannel(QString folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder))
{
}

InstanceChannel::~InstanceChannel()
{
    // The socket goes with the copy that listened on it, so the next start
    // does not take it for a live one.
    if (server_)
        server_->close();
}

QString InstanceChannel::socketPath() const { return folder_ + QStringLiteral("/instance.socket"); }

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
    prepareFolder(folder_);
    if (!isPrivateFolder(folder_))
        return false;
    // Two copies starting at once must not both find the old socket dead and
    // remove each other's new one.
    QLockFile lock(folder_ + QStringLiteral("/instance.socket.lock"));
    if (!lock.tryLock(5000))
        return false;
    if (!server_) {
        server_ = new QLocalServer(this);
        connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::accept);
    }
    const QString path = socketPath();
    if (server_->listen(path))
        return true;
    if (server_->serverError() != QAbstractSocket::AddressInUseError)
        return false;
    // Something of that name is there already: never touch what is not our socket.
    if (!isOurSocket(path))
        return false;
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(2000))
        return false;   // a live copy listens
    QFile::remove(path);
    return server_->listen(path);
}

void InstanceChannel::accept()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        if (socket->bytesAvailable() > 0)
            readFrom(socket);
    }
}

void InstanceChannel::readFrom(QLocalSocket* socket)
{
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    bool bad = false;
    const std::optional<InstanceRequest> r = takeInstanceRequest(buffer, bad);
    socket->setProperty("buffer", buffer);
    if (bad) {
        socket->abort();
        return;
    }
    if (!r)
        return;
    socket->write(&kTaken, 1);
    socket->flush();
    emit requested(*r);
}

}  // namespace petari
