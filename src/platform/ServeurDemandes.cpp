#include "platform/ServeurDemandes.h"

#include "platform/ConnexionLocale.h"
#include "platform/ErreurSysteme.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <QLocalServer>
#include <QLocalSocket>
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

ServeurDemandes::ServeurDemandes(std::function<void(ConnexionLocale*)> accueille) : accueille_(std::move(accueille)) {}

void ServeurDemandes::ajoute(ConnexionLocale* client) {
    enAttente.push_back(client);
    accueille_(client);
    while (enAttente.size() > size_t(Borne) && lacheLePlusAncien()) {
    }
}

// The oldest connection that has not asked anything yet, else none: one that has is a start
// waiting for its answer, which comes at the next turn of the event loop.
bool ServeurDemandes::lacheLePlusAncien() {
    enAttente.erase(std::remove_if(enAttente.begin(), enAttente.end(),
                                   [](const QPointer<ConnexionLocale>& c) { return !c || !c->ouverte(); }),
                    enAttente.end());
    const auto vieux = std::find_if(enAttente.begin(), enAttente.end(),
                                    [](const QPointer<ConnexionLocale>& c) { return c->sansDemande(); });
    if (vieux == enAttente.end())
        return false;
    ConnexionLocale* client = *vieux;
    enAttente.erase(vieux);
    client->coupe();  // its descriptor is free from here on
    client->deleteLater();
    return true;
}

#ifdef Q_OS_WIN
ServeurDemandes::~ServeurDemandes() = default;

bool ServeurDemandes::ecoute(const QString& chemin, QString* raison) {
    serveur = new QLocalServer(&racine);
    serveur->setSocketOptions(QLocalServer::UserAccessOption);
    if (!serveur->listen(chemin)) {
        *raison = QStringLiteral("impossible d'écouter sur %1 (%2)").arg(chemin, serveur->errorString());
        return false;
    }
    QObject::connect(serveur, &QLocalServer::newConnection, &racine, [this] { accepte(); });
    return true;
}

void ServeurDemandes::accepte() {
    while (QLocalSocket* client = serveur->nextPendingConnection())
        ajoute(new ConnexionLocale(client, &racine));
}
#else
ServeurDemandes::~ServeurDemandes() {
    if (descripteur < 0)
        return;
    close(descripteur);
    // The lock is still held here: no other clock has put its own socket in this place yet.
    const QByteArray c = QFile::encodeName(chemin_);
    struct stat e {};
    if (lstat(c.constData(), &e) == 0 && S_ISSOCK(e.st_mode))
        unlink(c.constData());
}

bool ServeurDemandes::ecoute(const QString& chemin, QString* raison) {
    const QByteArray c = QFile::encodeName(chemin);
    struct stat e {};
    if (lstat(c.constData(), &e) == 0) {
        if (!S_ISSOCK(e.st_mode)) {
            *raison =
                QStringLiteral("%1 existe et n'est pas une socket ; laissé en place, il empêche d'écouter").arg(chemin);
            return false;
        }
        unlink(c.constData());
    }
    sockaddr_un adresse{};
    adresse.sun_family = AF_UNIX;
    std::memcpy(adresse.sun_path, c.constData(), std::min(size_t(c.size()), sizeof(adresse.sun_path) - 1));
    const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (s < 0 || bind(s, reinterpret_cast<sockaddr*>(&adresse), sizeof(adresse)) != 0 || listen(s, SOMAXCONN) != 0) {
        *raison = QStringLiteral("impossible d'écouter sur %1 (%2)").arg(chemin, DescriptionErreurSysteme(errno));
        if (s >= 0)
            close(s);
        return false;
    }
    descripteur = s;
    chemin_ = chemin;
    notification = new QSocketNotifier(descripteur, QSocketNotifier::Read, &racine);
    QObject::connect(notification, &QSocketNotifier::activated, &racine, [this] { accepte(); });
    return true;
}

void ServeurDemandes::accepte() {
    // A few at a time: between them the event loop reads the connections already in (a start's
    // request among a flood of silent ones) and keeps the clock ticking.
    for (int n = 0; n < 8; ++n) {
        const int c = accept4(descripteur, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (c >= 0) {
            ajoute(new ConnexionLocale(c, &racine));
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return;
        // Out of descriptors, or of kernel memory: the connection stays queued until there is room.
        if (!epuisementDit)
            std::fprintf(stderr,
                         "quentor : la socket ne peut plus accepter de connexion (%s) ; les plus anciennes "
                         "sont fermées pour faire place\n",
                         qPrintable(DescriptionErreurSysteme(errno)));
        epuisementDit = true;
        if (lacheLePlusAncien())
            return;
        // Nothing of ours to let go: the queued connection would wake the loop again at once.
        notification->setEnabled(false);
        QTimer::singleShot(200, &racine, [this] { notification->setEnabled(true); });
        return;
    }
}
#endif
