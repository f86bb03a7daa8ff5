#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <atomic>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace petari {

namespace {

int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
bool g_handled[3] = {false, false, false};
std::atomic<bool> g_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set in a signal handler");

void onSignal(int signalNumber)
{
    const int saved = errno;
    g_requested.store(true, std::memory_order_relaxed);
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a signal to act on: losing this one is fine.
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

bool terminationRequested() { return g_requested.load(std::memory_order_relaxed); }

void setTerminationRequested(bool requested) { g_requested.store(requested, std::memory_order_relaxed); }

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0)
        return;   // the signals keep their default actions
    notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) {
        // A signal ignored when the program started stays so: nohup ignores
        // SIGHUP, a script's background job SIGINT.
        struct sigaction before {};
        if (::sigaction(kSignals[i], nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
            continue;
        g_handled[i] = ::sigaction(kSignals[i], &action, nullptr) == 0;
    }
}

TerminationSignals::~TerminationSignals()
{
    if (!notifier_)
        return;
    for (int i = 0; i < 3; ++i)
        if (std::exchange(g_handled[i], false))
            std::signal(kSignals[i], SIG_DFL);
    delete notifier_;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void TerminationSignals::readPipe()
{
    unsigned char byte = 0;
    while (::read(g_pipe[0], &byte, 1) == 1)
        emit received(byte);
}

}  // namespace petari
