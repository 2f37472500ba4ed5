#include "app/SignauxFin.h"

#include <QObject>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int tube[2] = {-1, -1};
volatile sig_atomic_t fermetureArmee = 0;

// Only async-signal-safe work here: end at once, or one byte into the socket, read back by the
// event loop.
void surSignal(int) {
    if (!fermetureArmee)
        ::_exit(0);
    const char c = 1;
    [[maybe_unused]] ssize_t n = ::write(tube[0], &c, 1);
}
}  // namespace

void InstalleSignauxFin() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, tube) != 0)
        tube[0] = tube[1] = -1;
    struct sigaction sa = {};
    sa.sa_handler = surSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(s, &sa, nullptr);
}

void FermetureSurSignal(std::function<void()> fermeture) {
    if (tube[1] < 0)
        return;  // no socket: a signal still ends the process at once
    auto* notif = new QSocketNotifier(tube[1], QSocketNotifier::Read);
    QObject::connect(notif, &QSocketNotifier::activated, notif, [notif, fermeture] {
        char c;
        [[maybe_unused]] ssize_t n = ::read(tube[1], &c, 1);
        notif->setEnabled(false);  // one close is enough, however many signals follow
        fermeture();
    });
    fermetureArmee = 1;
}
#else
void InstalleSignauxFin() {}
void FermetureSurSignal(std::function<void()>) {}
#endif
