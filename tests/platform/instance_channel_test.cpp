#include "platform/InstanceChannel.h"
#include "platform/InstanceRegistry.h"
#include "platform/PortalDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cerrno>
#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace petari;

namespace {

// A runtime folder of our own, mode 0700 as XDG_RUNTIME_DIR is.
struct RuntimeFolder {
    QTemporaryDir dir;
    QString run = dir.filePath(QStringLiteral("run"));
    QString folder = run + QStringLiteral("/petari");
    RuntimeFolder()
    {
        QDir().mkpath(run);
        chmod(QFile::encodeName(run).constData(), 0700);
    }
};

// Sends from another thread, as a later start does from its own process,
// while this thread's event loop lets the listening copy answer.
bool sendWhileListening(const InstanceChannel& sender, const InstanceRequest& r)
{
    auto reply = std::async(std::launch::async, [&] { return sender.send(r, 5000); });
    while (reply.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QTest::qWait(20);
    return reply.get();
}

// A client of our own that connects and then does as the test says.
int connectRaw(const QString& path)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    qstrncpy(addr.sun_path, QFile::encodeName(path).constData(), sizeof addr.sun_path);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Whether the listening copy has closed the client's connection.
bool closedByServer(int fd)
{
    char c = 0;
    return recv(fd, &c, 1, MSG_DONTWAIT) == 0;
}

// A display of the test's choosing for as long as it lives.
struct OnDisplay {
    QByteArray saved = qgetenv("DISPLAY"), savedWayland = qgetenv("WAYLAND_DISPLAY");
    explicit OnDisplay(const char* display, const char* wayland = "")
    {
        qputenv("DISPLAY", display);
        qputenv("WAYLAND_DISPLAY", wayland);
    }
    ~OnDisplay()
    {
        qputenv("DISPLAY", saved);
        qputenv("WAYLAND_DISPLAY", savedWayland);
    }
};

}  // namespace

TEST(InstanceChannel, RequestsSurviveTheTripAndMalformedOnesAreRefused)
{
    const InstanceRequest open{InstanceRequest::Open, QStringLiteral("/tmp/日本語 file.txt"), "token-1"};
    QByteArray buffer = encodeInstanceRequest(open) + encodeInstanceRequest(InstanceRequest{});
    bool bad = false;
    EXPECT_EQ(takeInstanceRequest(buffer, bad), open);
    EXPECT_EQ(takeInstanceRequest(buffer, bad), InstanceRequest{});
    EXPECT_TRUE(buffer.isEmpty());

    QByteArray half = encodeInstanceRequest(open).left(9);
    EXPECT_FALSE(takeInstanceRequest(half, bad).has_value());
    EXPECT_FALSE(bad);
    // An open without a file, and a length past any real request.
    QByteArray noFile = encodeInstanceRequest({InstanceRequest::Open, QString(), {}});
    EXPECT_FALSE(takeInstanceRequest(noFile, bad).has_value());
    EXPECT_TRUE(bad);
    QByteArray huge = QByteArray::fromHex("00100001") + QByteArray(16, 'x');
    EXPECT_FALSE(takeInstanceRequest(huge, bad).has_value());
    EXPECT_TRUE(bad);
}

TEST(InstanceChannel, TheFirstCopyListensAndTakesALaterStartsFile)
{
    RuntimeFolder rt;
    InstanceChannel first(rt.folder);
    ASSERT_TRUE(first.listen());
    int announced = 0;
    QObject::connect(&first, &InstanceChannel::requestsWaiting, [&] { ++announced; });
    InstanceChannel second(rt.folder);
    EXPECT_FALSE(second.listen());   // the first copy holds the channel

    const InstanceRequest r{InstanceRequest::Open, QStringLiteral("/tmp/B.txt"), {}};
    EXPECT_TRUE(sendWhileListening(second, r));
    QTest::qWait(50);
    EXPECT_EQ(announced, 1);
    const std::vector<InstanceRequest> got = first.takeRequests();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], r);
    EXPECT_TRUE(first.takeRequests().empty());
}

TEST(InstanceChannel, AFullQueueRefusesAndRepeatedShowsMerge)
{
    RuntimeFolder rt;
    ChannelLimits limits;
    limits.maxQueuedRequests = 2;
    InstanceChannel first(rt.folder, nullptr, limits);
    ASSERT_TRUE(first.listen());
    const InstanceChannel later(rt.folder);
    const InstanceRequest a{InstanceRequest::Open, QStringLiteral("/tmp/a.txt"), {}};
    const InstanceRequest b{InstanceRequest::Open, QStringLiteral("/tmp/b.txt"), {}};
    EXPECT_TRUE(sendWhileListening(later, {InstanceRequest::Show, {}, "t1"}));
    EXPECT_TRUE(sendWhileListening(later, a));   // the last one the queue holds
    EXPECT_FALSE(sendWhileListening(later, b));  // the first one refused
    EXPECT_TRUE(sendWhileListening(later, {InstanceRequest::Show, {}, "t2"}));   // merged
    const std::vector<InstanceRequest> got = first.takeRequests();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], (InstanceRequest{InstanceRequest::Show, {}, "t2"}));
    EXPECT_EQ(got[1], a);
    EXPECT_TRUE(sendWhileListening(later, b));   // room again
}

TEST(InstanceChannel, SilentConnectionsAreTimedOutAndCapped)
{
    EXPECT_EQ(ChannelLimits::kIdleTimeoutMs, 5000);
    EXPECT_EQ(ChannelLimits::kMaxConnections, 16);
    EXPECT_EQ(ChannelLimits::kMaxQueuedRequests, 32);
    RuntimeFolder rt;
    ChannelLimits limits;
    limits.idleTimeoutMs = 1500;
    limits.maxConnections = 2;
    InstanceChannel first(rt.folder, nullptr, limits);
    ASSERT_TRUE(first.listen());
    int fds[3];
    for (int& fd : fds) {
        fd = connectRaw(first.socketPath());
        ASSERT_GE(fd, 0);
        QTest::qWait(100);
    }
    EXPECT_TRUE(closedByServer(fds[0]));   // the oldest made way for the third
    EXPECT_FALSE(closedByServer(fds[1]));
    EXPECT_FALSE(closedByServer(fds[2]));
    EXPECT_EQ(first.openConnections(), 2);
    // A start still gets through, and silence ends the rest.
    EXPECT_TRUE(sendWhileListening(InstanceChannel(rt.folder), {}));
    QTest::qWait(2500);
    EXPECT_TRUE(closedByServer(fds[1]));
    EXPECT_TRUE(closedByServer(fds[2]));
    EXPECT_EQ(first.openConnections(), 0);
    for (int fd : fds)
        ::close(fd);
}

TEST(InstanceChannel, ACopyTooBusyToAcceptStillOwnsTheChannel)
{
    RuntimeFolder rt;
    InstanceChannel first(rt.folder);
    ASSERT_TRUE(first.listen());
    // No event loop runs: connections pile up until the listen backlog is full.
    std::vector<int> fds;
    for (int fd; fds.size() < 5000 && (fd = connectRaw(first.socketPath())) >= 0;)
        fds.push_back(fd);
    ASSERT_LT(fds.size(), 5000u);
    InstanceChannel second(rt.folder);
    EXPECT_FALSE(second.listen());
    EXPECT_TRUE(QFileInfo(first.socketPath()).exists());
    for (int fd : fds)
        ::close(fd);
    EXPECT_TRUE(sendWhileListening(second, {}));
    EXPECT_EQ(first.takeRequests().size(), 1u);
}

TEST(InstanceChannel, EachDisplayHasAChannelOfItsOwn)
{
    struct Case { const char* display; const char* wayland; const char* key; };
    const Case cases[] = {
        {":231", "", "x-_231"},
        {":231.0", "", "x-_231"},
        {":232", "", "x-_232"},
        {"host:10.1", "", "x-host_10"},
        {":0", "wayland-1", "wl-wayland-1"},
        {"", "", "none"},
    };
    for (const Case& c : cases) {
        OnDisplay on(c.display, c.wayland);
        EXPECT_EQ(displayKey(), QString::fromLatin1(c.key)) << c.display;
    }
    RuntimeFolder rt;
    std::optional<OnDisplay> on;
    on.emplace(":231");
    InstanceChannel onFirst(rt.folder);
    ASSERT_TRUE(onFirst.listen());
    on.reset();
    on.emplace(":232");
    InstanceChannel onSecond(rt.folder);
    EXPECT_FALSE(sendWhileListening(onSecond, {}));
    EXPECT_TRUE(onSecond.listen());   // a copy on :232 listens beside the one on :231
}

TEST(InstanceChannel, NoCopyRunningOrADeadCopysSocket)
{
    RuntimeFolder rt;
    InstanceChannel sender(rt.folder);
    EXPECT_FALSE(sender.send({}, 1000));
    // A copy that was killed leaves its socket behind, and nobody answers there.
    QDir().mkpath(rt.folder);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    qstrncpy(addr.sun_path, QFile::encodeName(sender.socketPath()).constData(), sizeof addr.sun_path);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
    EXPECT_FALSE(sender.send({}, 1000));
    InstanceChannel next(rt.folder);
    EXPECT_TRUE(next.listen());
    EXPECT_TRUE(sendWhileListening(sender, {}));
}

TEST(InstanceChannel, FoldersOthersMayWriteToAreRefused)
{
    RuntimeFolder rt;
    EXPECT_TRUE(preparePrivateFolder(rt.folder));
    EXPECT_TRUE(isPrivateFolder(rt.folder));
    chmod(QFile::encodeName(rt.folder).constData(), 0750);
    EXPECT_FALSE(isPrivateFolder(rt.folder));
    EXPECT_TRUE(preparePrivateFolder(rt.folder));   // our own folder is ours alone again
    chmod(QFile::encodeName(rt.run).constData(), 0777);
    EXPECT_FALSE(isPrivateFolder(rt.folder));
    InstanceChannel open(rt.folder);
    EXPECT_FALSE(open.listen());
    // Nothing goes into a folder others may enter: no lock, no socket.
    const QString other = rt.run + QStringLiteral("/other");
    {
        InstanceRegistry registry(other);
        EXPECT_FALSE(registry.acquire());
        InstanceChannel channel(other);
        EXPECT_FALSE(channel.listen());
    }
    EXPECT_EQ(QDir(rt.run).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("petari")});
    chmod(QFile::encodeName(rt.run).constData(), 0700);
    const QString link = rt.run + QStringLiteral("/link");
    ASSERT_TRUE(QFile::link(rt.folder, link));
    EXPECT_FALSE(isPrivateFolder(link));
    if (getuid() == 0) {
        // Only root can give a folder away: another user's folder is refused.
        ASSERT_EQ(chown(QFile::encodeName(rt.folder).constData(), 65534, 65534), 0);
        EXPECT_FALSE(isPrivateFolder(rt.folder));
    }
}

TEST(PortalDialogs, AFileChooserForThisDesktop)
{
    const QString gtk = QStringLiteral(
        "[portal]\nDBusName=org.freedesktop.impl.portal.desktop.gtk\n"
        "Interfaces=org.freedesktop.impl.portal.FileChooser;org.freedesktop.impl.portal.AppChooser;\n"
        "UseIn=gnome;sway;wlroots\n");
    const QString wlr = QStringLiteral(
        "[portal]\nInterfaces=org.freedesktop.impl.portal.Screenshot;\nUseIn=wlroots;sway;\n");
    struct Case { QStringList files; const char* desktops; bool expected; };
    const Case cases[] = {
        {{gtk}, "sway", true},
        {{gtk}, "XFCE:sway", true},
        {{gtk}, "SWAY", true},
        {{gtk}, "XFCE", false},
        {{wlr}, "sway", false},
        {{wlr, gtk}, "wlroots", true},
        {{gtk}, "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(portalOffersFileChooser(c.files, QString::fromUtf8(c.desktops)), c.expected) << c.desktops;
}
