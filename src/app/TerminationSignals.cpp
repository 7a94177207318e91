#include "TerminationSignals.h"

#include "DiagnosticLog.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// One pair per process: the handler writes to the first, the app reads the
// second.
int signalSockets[2] = {-1, -1};
constexpr std::array<int, 3> endingSignals{SIGTERM, SIGINT, SIGHUP};

} // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    if (signalSockets[0] < 0 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets) != 0) {
        DiagnosticLog::write(QStringLiteral("Ordlen: Could not watch for the session's end — ") +
                             QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    struct sigaction action = {};
    action.sa_handler = &TerminationSignals::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : endingSignals) {
        if (::sigaction(signal, &action, nullptr) != 0) {
            DiagnosticLog::write(QStringLiteral("Ordlen: Could not watch for the session's end — ") +
                                 QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
    }
    m_notifier = std::make_unique<QSocketNotifier>(signalSockets[1], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier)
        return;
    // Back to the default: a signal after the event loop has ended ends
    // the process.
    for (const int signal : endingSignals)
        std::signal(signal, SIG_DFL);
}

void TerminationSignals::handle(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // Nothing to do when it fails: the socket is full, so a quit is
    // already on its way.
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
    errno = savedErrno;
}

void TerminationSignals::readSignal()
{
    char bytes[16];
    while (::read(signalSockets[1], bytes, sizeof bytes) > 0) {
    }
    emit terminationRequested();
}
