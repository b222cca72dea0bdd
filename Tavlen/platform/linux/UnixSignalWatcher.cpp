#include "platform/linux/UnixSignalWatcher.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tavlen::linux_platform {

namespace {

// The handler can reach nothing but plain globals: the pipe is the one piece of process-wide
// state this file keeps, and only one watcher may own it.
int g_pipe[2] = {-1, -1};

extern "C" void forwardSignal(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const auto written = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

UnixSignalWatcher::UnixSignalWatcher(std::initializer_list<int> signalNumbers, QObject* parent)
    : QObject(parent), m_signals(signalNumbers)
{
    Q_ASSERT(g_pipe[0] == -1);
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixSignalWatcher::drain);

    struct sigaction action {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : m_signals)
        ::sigaction(number, &action, nullptr);
}

UnixSignalWatcher::~UnixSignalWatcher()
{
    for (const int number : m_signals)
        ::signal(number, SIG_DFL);
    if (g_pipe[0] != -1) {
        ::close(g_pipe[0]);
        ::close(g_pipe[1]);
        g_pipe[0] = g_pipe[1] = -1;
    }
}

void UnixSignalWatcher::drain()
{
    unsigned char byte = 0;
    while (::read(g_pipe[0], &byte, 1) == 1)
        Q_EMIT received(byte);
}

} // namespace tavlen::linux_platform
