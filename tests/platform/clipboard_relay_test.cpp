#include "platform/ClipboardDesktop.h"
#include "platform/ClipboardRelay.h"
#include "platform/ClipboardWatcher.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace petari;

namespace {

QByteArray readAllFrom(int fd)
{
    QByteArray out;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0)
        out.append(buf, static_cast<qsizetype>(n));
    return out;
}

// Runs the relay on `input`; keepOpen leaves the writing end open, as an
// owner that never answers does.
std::pair<int, QByteArray> relay(const QByteArray& input, bool keepOpen, qint64 maxBytes = kRelayMaxBytes)
{
    int in[2], out[2];
    EXPECT_EQ(::pipe(in), 0);
    EXPECT_EQ(::pipe(out), 0);
    EXPECT_EQ(::write(in[1], input.constData(), static_cast<size_t>(input.size())), input.size());
    if (!keepOpen)
        ::close(in[1]);
    const int rc = runClipboardRelay(in[0], out[1], 50, maxBytes);
    ::close(out[1]);
    const QByteArray written = readAllFrom(out[0]);
    ::close(in[0]);
    ::close(out[0]);
    if (keepOpen)
        ::close(in[1]);
    return {rc, written};
}

}  // namespace

TEST(ClipboardRelay, PassesOneCopyAsAFrameAndNothingFromASilentOrHugeOwner)
{
    const QByteArray text = QStringLiteral("監視A\r\n二行目").toUtf8();
    EXPECT_EQ(relay(text, false), std::make_pair(0, QByteArray::number(text.size()) + '\n' + text));
    EXPECT_EQ(relay(QByteArray(), false), std::make_pair(0, QByteArray("0\n")));
    EXPECT_EQ(relay(text, true), std::make_pair(1, QByteArray()));
    EXPECT_EQ(relay(text, false, 4), std::make_pair(1, QByteArray()));
}

TEST(ClipboardRelay, FramesComeBackWhateverTheReadsCutThem)
{
    const QList<QByteArray> copies{QStringLiteral("監視A").toUtf8(), QByteArray(), QByteArray("12\n34"),
                                   QStringLiteral("監視B").toUtf8()};
    QByteArray stream;
    for (const QByteArray& c : copies)
        stream += relayFrame(c);
    for (int piece : {1, 2, 5, 1000}) {
        RelayFrameReader reader;
        QList<QByteArray> got;
        for (qsizetype i = 0; i < stream.size(); i += piece) {
            reader.feed(stream.mid(i, piece));
            got += reader.takeFrames();
        }
        EXPECT_EQ(got, copies) << piece;
    }
    // A stray line of text out of step is skipped, and the next frame still counts.
    RelayFrameReader reader;
    reader.feed("Failed to spawn\n" + relayFrame("ok"));
    EXPECT_EQ(reader.takeFrames(), QList<QByteArray>{"ok"});
}

TEST(ClipboardWatcher, TakesEveryCopyOnceThenTheLatestAndReportsItsEnd)
{
    ClipboardWatcher w;
    EXPECT_TRUE(w.take().isEmpty());
    // A stand-in for wl-paste that reports two copies and ends, as wl-paste
    // does at once on a desktop without data-control.
    w.start(QStringLiteral("printf"), {QStringLiteral("%s"), relayFrame(QStringLiteral("監視A").toUtf8()) +
                                                                 relayFrame(QStringLiteral("監視B").toUtf8())});
    const QDeadlineTimer deadline(10000);
    while (!w.failed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(w.failed());
    EXPECT_FALSE(w.active());
    EXPECT_EQ(w.take(), (QStringList{QStringLiteral("監視A"), QStringLiteral("監視B")}));
    EXPECT_EQ(w.take(), QStringList{QStringLiteral("監視B")});

    ClipboardWatcher missing;
    missing.start(QStringLiteral("/nonexistent/wl-paste"), {});
    const QDeadlineTimer again(10000);
    while (!missing.failed() && !again.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(missing.failed());
}

// Wayland follows copies through wl-paste's watch mode running the relay, and
// keeps the last one through wl-copy; with no relay program there is no watch.
TEST(ClipboardDesktop, WaylandWatchesThroughWlPasteAndKeepsThroughWlCopy)
{
    const auto wayland = makeWaylandClipboard();
    const ClipboardCommand watch = wayland->watchCommand(QStringLiteral("/opt/petari"));
    EXPECT_EQ(watch.program, "wl-paste");
    EXPECT_EQ(watch.arguments, QStringList({"--type", "text", "--watch", "/opt/petari", "--clipboard-relay"}));
    EXPECT_TRUE(wayland->watchCommand(QString()).isEmpty());
    const ClipboardCommand keep = wayland->keeperCommand();
    EXPECT_EQ(keep.program, "wl-copy");
    EXPECT_EQ(keep.arguments, QStringList({"--type", "text/plain;charset=utf-8"}));
}

// Neither X11 nor Wayland (the tests run offscreen): no helper at all.
TEST(ClipboardDesktop, ElsewhereNoHelperRuns)
{
    const auto none = ClipboardDesktop::forThisDesktop();
    EXPECT_TRUE(none->watchCommand(QStringLiteral("/opt/petari")).isEmpty());
    EXPECT_TRUE(none->keeperCommand().isEmpty());
}
