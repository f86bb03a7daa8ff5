#include "platform/InstanceChannel.h"
#include "platform/PortalDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

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
    std::vector<InstanceRequest> got;
    QObject::connect(&first, &InstanceChannel::requested, [&](const InstanceRequest& r) { got.push_back(r); });
    InstanceChannel second(rt.folder);
    EXPECT_FALSE(second.listen());   // the first copy holds the channel

    const InstanceRequest r{InstanceRequest::Open, QStringLiteral("/tmp/B.txt"), {}};
    EXPECT_TRUE(sendWhileListening(second, r));
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], r);
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
    QDir().mkpath(rt.folder);
    EXPECT_TRUE(isPrivateFolder(rt.folder));
    chmod(QFile::encodeName(rt.run).constData(), 0777);
    EXPECT_FALSE(isPrivateFolder(rt.folder));
    InstanceChannel open(rt.folder);
    EXPECT_FALSE(open.listen());
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
