#include "platform/ClipboardRelay.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace petari {

namespace {
bool writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}
}  // namespace

int runClipboardRelay(int in, int out, int idleMs, qint64 maxBytes)
{
    QByteArray content;
    char chunk[65536];
    for (;;) {
        pollfd p{in, POLLIN, 0};
        const int ready = ::poll(&p, 1, idleMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return 1;   // the owner went silent: give up this copy
        const ssize_t n = ::read(in, chunk, sizeof chunk);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n < 0)
            return 1;
        if (n == 0)
            break;
        if (content.size() + n > maxBytes)
            return 1;
        content.append(chunk, static_cast<qsizetype>(n));
    }
    const QByteArray frame = relayFrame(content);
    return writeAll(out, frame.constData(), frame.size()) ? 0 : 1;
}

QByteArray relayFrame(const QByteArray& content)
{
    return QByteArray::number(content.size()) + '\n' + content;
}

void RelayFrameReader::feed(const QByteArray& bytes)
{
    buffer_.append(bytes);
    for (;;) {
        const qsizetype eol = buffer_.indexOf('\n');
        if (eol < 0) {
            // A header is a few digits; anything longer is not ours.
            if (buffer_.size() > 20)
                buffer_.clear();
            return;
        }
        bool ok = false;
        const qint64 size = buffer_.left(eol).toLongLong(&ok);
        if (!ok || size < 0 || eol == 0) {
            // Out of step (a stray line from somewhere): start again after it.
            buffer_.remove(0, eol + 1);
            continue;
        }
        if (buffer_.size() - eol - 1 < size)
            return;
        frames_.append(buffer_.mid(eol + 1, static_cast<qsizetype>(size)));
        buffer_.remove(0, eol + 1 + static_cast<qsizetype>(size));
    }
}

QList<QByteArray> RelayFrameReader::takeFrames()
{
    QList<QByteArray> out;
    out.swap(frames_);
    return out;
}

}  // namespace petari
