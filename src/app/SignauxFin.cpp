#include "app/SignauxFin.h"

#include <QObject>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int tube[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the socket, read back by the event loop.
void surSignal(int) {
    const char c = 1;
    [[maybe_unused]] ssize_t n = ::write(tube[0], &c, 1);
}
}  // namespace

void InstalleSignauxFin(std::function<void()> fermeture) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, tube) != 0)
        return;
    auto* notif = new QSocketNotifier(tube[1], QSocketNotifier::Read);
    QObject::connect(notif, &QSocketNotifier::activated, notif, [notif, fermeture] {
        char c;
        [[maybe_unused]] ssize_t n = ::read(tube[1], &c, 1);
        notif->setEnabled(false);  // one close is enough, however many signals follow
        fermeture();
    });
    struct sigaction sa = {};
    sa.sa_handler = surSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(s, &sa, nullptr);
}
#else
void InstalleSignauxFin(std::function<void()>) {}
#endif
