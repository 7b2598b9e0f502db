#include "app/UnixSignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace qv {

#ifdef Q_OS_UNIX
namespace {
int g_signalPipe[2] = {-1, -1};

void onSignal(int number) {
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const auto written = ::write(g_signalPipe[0], &byte, 1);
}
} // namespace
#endif

UnixSignals::UnixSignals(QObject* parent) : QObject(parent) {
#ifdef Q_OS_UNIX
    if (g_signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    m_notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixSignals::readSignal);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
#endif
}

UnixSignals::~UnixSignals() {
#ifdef Q_OS_UNIX
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
#endif
}

void UnixSignals::readSignal() {
#ifdef Q_OS_UNIX
    char byte = 0;
    if (::read(g_signalPipe[1], &byte, 1) == 1)
        Q_EMIT terminationRequested(byte);
#endif
}

} // namespace qv
