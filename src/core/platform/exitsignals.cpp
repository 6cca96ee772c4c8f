#include "core/platform/exitsignals.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace {

constexpr int endingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The write end of the pipe, for the handler; -1 while no instance is installed.
volatile sig_atomic_t writeEnd = -1;

} // namespace

ExitSignals::ExitSignals(QObject *parent) : QObject(parent)
{
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ExitSignals::readPipe);
    struct sigaction action {};
    action.sa_handler = &ExitSignals::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : endingSignals)
        ::sigaction(signal, &action, nullptr);
}

ExitSignals::~ExitSignals()
{
    restoreDefaults();
    writeEnd = -1;
    for (const int end : m_pipe)
        if (end >= 0)
            ::close(end);
}

void ExitSignals::handle(int signal)
{
    // Only async-signal-safe calls here; errno belongs to the code the signal interrupted.
    const int savedErrno = errno;
    const char number = char(signal);
    if (writeEnd >= 0) {
        const ssize_t written = ::write(writeEnd, &number, 1);
        static_cast<void>(written); // a full pipe already holds a request
    }
    errno = savedErrno;
}

void ExitSignals::readPipe()
{
    char number = 0;
    int received = 0;
    while (::read(m_pipe[0], &number, 1) == 1)
        received = number;
    if (received == 0)
        return;
    // The program is ending now; a program stuck on its way out can still be ended by a second
    // signal.
    restoreDefaults();
    emit exitRequested(received);
}

void ExitSignals::restoreDefaults()
{
    for (const int signal : endingSignals)
        ::signal(signal, SIG_DFL);
}
