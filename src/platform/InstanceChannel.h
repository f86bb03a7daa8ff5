#pragma once
// The channel through which a later start of the program reaches the copy
// already running: a local socket in the per-user runtime folder.  The
// running copy listens; a later start sends one request (bring the window to
// the front, or open a file there) and waits for the copy to take it.
//
// The folder must be this user's alone: a socket in a folder that another
// user owns or may enter would hand our files to a stranger, so such a
// folder is refused and the channel stays shut.  A socket left behind by a
// copy that was killed answers nobody; the next copy removes it and listens.
// Whether a copy listens is told by the lock it holds while it does, never by
// a connection that fails: a busy copy may not answer at once.
//
// Each display has a channel of its own, so that a start on one display never
// hands its file to a window on another.

#include <QObject>
#include <QString>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

class QLocalServer;
class QLocalSocket;
class QLockFile;

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

// A real folder (no symbolic link) that this user owns and nobody else may
// enter (mode 0700).
bool isOwnPrivateFolder(const QString& folder);
// Whether folder may hold the socket and the copies' locks: a real folder (no
// symbolic link) that this user owns and nobody else may enter (mode 0700),
// inside a parent of the same kind.
bool isPrivateFolder(const QString& folder);
// Creates folder (mode 0700) when its parent is private, and the per-user
// folder in /tmp first when that is the parent; true when isPrivateFolder
// holds afterwards.  Nothing is created inside a folder that is not private.
bool preparePrivateFolder(const QString& folder);
// The per-user folder in /tmp that stands in for a missing runtime folder.
QString fallbackRuntimeFolder();
// The display this start shows its window on, as a file name part: the
// Wayland display, else the X display without its screen number.
QString displayKey();

// How much the listening copy holds for later starts at most.
struct ChannelLimits {
    // A start sends its request as soon as it connects: a connection silent
    // this long is dropped.
    static constexpr int kIdleTimeoutMs = 5000;
    // Connections open at once; a further one ends the oldest.
    static constexpr int kMaxConnections = 16;
    // Requests waiting while a question or a modal window is open; a start
    // beyond them is refused and opens its file itself.
    static constexpr int kMaxQueuedRequests = 32;

    int idleTimeoutMs = kIdleTimeoutMs;
    int maxConnections = kMaxConnections;
    int maxQueuedRequests = kMaxQueuedRequests;
};

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    // folder: InstanceRegistry::defaultFolder(), where the copies' lock files live.
    explicit InstanceChannel(QString folder, QObject* parent = nullptr, ChannelLimits limits = {});
    ~InstanceChannel() override;

    QString socketPath() const;
    // Hands the request to the running copy; true once that copy confirmed it.
    bool send(const InstanceRequest& r, int timeoutMs = 10000) const;
    // Listens when no other copy does (removing a dead copy's socket first);
    // true while this copy listens.
    bool listen();
    bool isListening() const;
    // The requests taken since the last call, oldest first.
    std::vector<InstanceRequest> takeRequests();
    int openConnections() const { return int(connections_.size()); }

signals:
    // Requests wait in takeRequests(); sent from the event loop, never from
    // inside a socket's read, so that a question the receiver opens cannot
    // pull the socket from under it.
    void requestsWaiting();

private:
    void accept();
    void readFrom(QLocalSocket* socket);
    void drop(QLocalSocket* socket);
    bool enqueue(const InstanceRequest& r);
    QString folder_;
    QString socketPath_;
    ChannelLimits limits_;
    QLocalServer* server_ = nullptr;
    std::unique_ptr<QLockFile> listenerLock_;
    std::deque<QLocalSocket*> connections_;
    std::deque<InstanceRequest> queue_;
    bool announced_ = false;
};

}  // namespace petari
