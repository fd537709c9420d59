#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include "platform/Runtime.h"
#include "platform/RuntimeInternal.h"

namespace platform {
namespace {

// A signal handler may only write to a descriptor; the event loop reads the
// other end and quits from there.
int signalPipe[2] = {-1, -1};

void OnQuitSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

bool OpenSignalPipe()
{
    if (signalPipe[0] >= 0)
        return true;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return false;
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    return true;
}

}  // namespace

void InstallQuitSignals()
{
    static QPointer<QSocketNotifier> notifier;
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || notifier || !OpenSignalPipe())
        return;
    notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, application);
    QObject::connect(notifier, &QSocketNotifier::activated, application, [] {
        char buffer[64];
        while (::read(signalPipe[1], buffer, sizeof buffer) > 0) {
        }
        Quit(0);
    });
}

}  // namespace platform
