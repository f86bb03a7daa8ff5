#pragma once
// The hand-off between wl-clipboard's `wl-paste --watch` and the main window.
// wl-paste runs one command for each new clipboard content, with the content
// on its standard input, and every command writes to the same pipe: this
// program in its hidden relay mode frames each content as
// "<byte count>\n<bytes>" so the reader can tell one copy from the next.

#include <QByteArray>
#include <QList>

namespace petari {

// The command-line switch of the relay mode.
inline constexpr const char* kClipboardRelaySwitch = "--clipboard-relay";

// How long the relay waits for a clipboard owner that sends nothing: a
// stopped or hung program must not hold up wl-paste, which waits for its
// command before it reports the next copy.
inline constexpr int kRelayIdleMs = 2000;

// Texts larger than this are not passed on (a copied disk image is no line).
inline constexpr qint64 kRelayMaxBytes = 64LL * 1024 * 1024;

// Copies everything readable from `in` to `out` as one frame.  Nothing is
// written when `in` stays silent for idleMs or holds more than maxBytes.
// Returns the process exit status: 0 when a frame was written.
int runClipboardRelay(int in, int out, int idleMs = kRelayIdleMs, qint64 maxBytes = kRelayMaxBytes);

QByteArray relayFrame(const QByteArray& content);

// Splits the watcher's output back into contents, across reads of any size.
class RelayFrameReader {
public:
    void feed(const QByteArray& bytes);
    // The complete contents read so far, oldest first.
    QList<QByteArray> takeFrames();

private:
    QByteArray buffer_;
    QList<QByteArray> frames_;
};

}  // namespace petari
