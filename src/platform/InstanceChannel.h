#pragma once
// The channel through which a later start of the program reaches the copy
// already running: a local socket in the per-user runtime folder.  The
// running copy listens; a later start sends one request (bring the window to
// the front, or open a file there) and waits for the copy to take it.
//
// The folder must be this user's alone: a socket in a folder that another
// user owns or may write to would hand our files to a stranger, so such a
// folder is refused and the channel stays shut.  A socket left behind by a
// copy that was killed answers nobody; the next copy removes it and listens.

#include <QObject>
#include <QString>
#include <optional>

class QLocalServer;
class QLocalSocket;

namespace petari {

struct InstanceRequest {
    enum Kind { Show = 1, Open = 2 };
    Kind kind = Show;
    QString file;               // Open: an absolute path
    // The start's own activation token (XDG_ACTIVATION_TOKEN on Wayland,
    // DESKTOP_STARTUP_ID on X11): the desktop lets the window that presents
    // it take the focus.
    QByteArray activationToken;
    bool operator==(const InstanceRequest& o) const
    {
        return kind == o.kind && file == o.file && activationToken == o.activationToken;
    }
};

// The activation token this start was given by the desktop, if any.
QByteArray startActivationToken();

// One request as it travels: a 4-byte big-endian length, then the fields.
QByteArray encodeInstanceRequest(const InstanceRequest& r);
// Takes one whole request off the front of buffer; nothing while it is
// incomplete.  A malformed request empties the buffer and sets bad.
std::optional<InstanceRequest> takeInstanceRequest(QByteArray& buffer, bool& bad);

// Whether folder may hold the socket: a real folder (no symbolic link) that
// this user owns and nobody else may write to, inside a parent of the same kind.
bool isPrivateFolder(const QString& folder);

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    // folder: InstanceRegistry::defaultFolder(), where the copies' lock files live.
    explicit InstanceChannel(QString folder, QObject* parent = nullptr);
    ~InstanceChannel() override;

    QString socketPath() const;
    // Hands the request to the running copy; true once that copy confirmed it.
    bool send(const InstanceRequest& r, int timeoutMs = 10000) const;
    // Listens when no other copy does (removing a dead copy's socket first);
    // true while this copy listens.
    bool listen();
    bool isListening() const;

signals:
    void requested(const petari::InstanceRequest& r);

private:
    void accept();
    void readFrom(QLocalSocket* socket);
    QString folder_;
    QLocalServer* server_ = nullptr;
};

}  // namespace petari
