#include "app/terminationsignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace Orlenda {

#ifdef Q_OS_UNIX

namespace {

int sSockets[2] = {-1, -1};
constexpr int Handled[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void onTerminationSignal(int number) {
    const int savedErrno = errno;
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(sSockets[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sSockets) != 0)
        return;
    // A burst of signals must never block the handler.
    ::fcntl(sSockets[1], F_SETFL, ::fcntl(sSockets[1], F_GETFL) | O_NONBLOCK);
    mNotifier = new QSocketNotifier(sSockets[0], QSocketNotifier::Read, this);
    connect(mNotifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(sSockets[0], &byte, 1) == 1)
            emit received(int(byte));
    });
    struct sigaction action = {};
    action.sa_handler = &onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : Handled)
        ::sigaction(number, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (!mNotifier)
        return;
    for (int number : Handled)
        std::signal(number, SIG_DFL);
    delete mNotifier;
    ::close(sSockets[0]);
    ::close(sSockets[1]);
    sSockets[0] = sSockets[1] = -1;
}

#else

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}
TerminationSignals::~TerminationSignals() = default;

#endif

} // namespace Orlenda
