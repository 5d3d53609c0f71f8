#include "program/Startup.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace tarnelby {

namespace {

// The handler's end of a socket pair: writing to it is all the handler does,
// and the event loop watches the other end. Neither end blocks, so a storm
// of signals that fills the pair cannot hang the handler.
int signalWriteEnd = -1;

void onSignal(int signalNumber)
{
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalWriteEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

void quitOnTerminationSignals(QCoreApplication& app)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0)
        return;
    signalWriteEnd = ends[1];
    auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, &app);
    // One signal is enough to quit: the notifier is not needed again, so what
    // the handler wrote is left unread.
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [notifier, &app] {
        notifier->setEnabled(false);
        app.exit(0);
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signalNumber, &action, nullptr);
}

} // namespace tarnelby
