#include "platform/HorlogeReelle.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <chrono>
#include <cmath>
#include <ctime>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
constexpr qint64 kAttenteEnDeuxFoisNs = 300'000'000;

#ifdef Q_OS_UNIX
// The file the C library takes the local zone from: /etc/localtime, or the one TZ names.
QByteArray FichierFuseau() {
    if (!qEnvironmentVariableIsSet("TZ"))
        return QByteArrayLiteral("/etc/localtime");
    QByteArray tz = qgetenv("TZ");
    if (tz.startsWith(':'))
        tz.remove(0, 1);
    if (tz.isEmpty() || tz.startsWith('/'))
        return tz;
    const QByteArray dossier = qgetenv("TZDIR");
    return (dossier.isEmpty() ? QByteArrayLiteral("/usr/share/zoneinfo") : dossier) + '/' + tz;
}

// What the zone's file says, and which file that is: a zone chosen anew re-points the link or
// rewrites the file. Read with plain system calls, a few kilobytes every few seconds; no stat, which
// tools that fake the clock for tests wrap and may hold up.
QByteArray IdentiteFuseau() {
    const QByteArray chemin = FichierFuseau();
    if (chemin.isEmpty())
        return {};
    char lien[4096];
    const ssize_t n = readlink(chemin.constData(), lien, sizeof lien);
    QByteArray identite = n > 0 ? QByteArray(lien, int(n)) + '\n' : QByteArray();
    const int fd = open(chemin.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return identite;
    char octets[65536];
    for (ssize_t lu; (lu = read(fd, octets, sizeof octets)) > 0 && identite.size() < (1 << 20);)
        identite.append(octets, int(lu));
    close(fd);
    return identite;
}

// The C library reads the zone again only when TZ reads differently from the last time it looked:
// showing it another value for a moment makes it drop what it had.
void RelitFuseau() {
    const bool defini = qEnvironmentVariableIsSet("TZ");
    const QByteArray tz = qgetenv("TZ");
    qputenv("TZ", "UTC0");
    tzset();
    if (defini)
        qputenv("TZ", tz);
    else
        qunsetenv("TZ");
    tzset();
}
#endif

// A day is far beyond any pause the program takes; NaN and negatives mean "at once".
QDeadlineTimer Echeance(double secondes) {
    if (!(secondes > 0))
        secondes = 0;
    secondes = std::min(secondes, 86400.0);
    return QDeadlineTimer(std::chrono::nanoseconds(std::llround(secondes * 1e9)), Qt::PreciseTimer);
}

// Timers fire late in proportion to their length (about 1.2 ms a second here), so a long delay is
// aimed a little short and the rest done by a second, short timer. A short one (the tick's
// quarter second, every second) ends less than half a millisecond late on one timer: a second
// wake-up would cost more than it corrects. Rounded up, so a timer never fires early.
qint64 ViseMs(const QDeadlineTimer& fin) {
    qint64 viseNs = std::max<qint64>(0, fin.remainingTimeNSecs());
    if (viseNs > kAttenteEnDeuxFoisNs)
        viseNs -= viseNs / 64;
    return std::min<qint64>((viseNs + 999'999) / 1'000'000, 3'600'000);
}

void Vise(const QDeadlineTimer& fin, QObject* contexte, std::function<void()> suite) {
    const std::chrono::milliseconds ms(ViseMs(fin));
    if (fin.remainingTimeNSecs() > kAttenteEnDeuxFoisNs)
        QTimer::singleShot(ms, Qt::PreciseTimer, contexte,
                           [fin, contexte, suite = std::move(suite)] { Vise(fin, contexte, suite); });
    else
        QTimer::singleShot(ms, Qt::PreciseTimer, contexte, std::move(suite));
}
}  // namespace

QDateTime HorlogeReelle::maintenant() const {
    suitFuseau();
    return QDateTime::currentDateTime();
}

qint64 HorlogeReelle::monotoneMs() const {
    // CLOCK_MONOTONIC: it does not count the time spent asleep.
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void HorlogeReelle::suitFuseau() const {
#ifdef Q_OS_UNIX
    const qint64 mono = monotoneMs();
    if (mono < prochaineVerificationFuseauMs_)
        return;
    const bool premiere = prochaineVerificationFuseauMs_ < 0;
    // A look every few seconds: well within the minute the face may lag behind a new zone.
    prochaineVerificationFuseauMs_ = mono + verificationFuseauMs_;
    QByteArray identite = IdentiteFuseau();
    if (identite == identiteFuseau_)
        return;
    identiteFuseau_ = std::move(identite);
    if (!premiere)
        RelitFuseau();
#endif
}

void HorlogeReelle::plusTard(double secondes, QObject* contexte, std::function<void()> suite) {
    Vise(Echeance(secondes), contexte, std::move(suite));
}
