#include "platform/ConnexionLocale.h"

#ifdef Q_OS_WIN

#include <QLocalSocket>

ConnexionLocale::ConnexionLocale(QLocalSocket* socket, QObject* parent) : QObject(parent), socket_(socket) {
    socket_->setParent(this);
    connect(socket_, &QLocalSocket::readyRead, this, &ConnexionLocale::lisible);
    connect(socket_, &QLocalSocket::disconnected, this, &ConnexionLocale::fermee);
}

ConnexionLocale::~ConnexionLocale() = default;

bool ConnexionLocale::ouverte() const { return socket_->state() == QLocalSocket::ConnectedState; }
bool ConnexionLocale::sansDemande() const { return ouverte() && !socket_->canReadLine(); }
bool ConnexionLocale::ligneRecue() const { return socket_->canReadLine(); }
qint64 ConnexionLocale::octetsRecus() const { return socket_->bytesAvailable(); }
QByteArray ConnexionLocale::litLigne(qint64 longueurMax) { return socket_->readLine(longueurMax); }

void ConnexionLocale::repondEtFerme(const QByteArray& reponse) {
    socket_->write(reponse);
    socket_->flush();
    socket_->disconnectFromServer();
}

void ConnexionLocale::coupe() { socket_->abort(); }

std::optional<QByteArray> EchangeLocal(const QString& chemin, const QByteArray& ligne, qint64 longueurMax,
                                       QString* raison) {
    QLocalSocket s;
    s.connectToServer(chemin);
    if (!s.waitForConnected(200)) {
        *raison = s.error() == QLocalSocket::ServerNotFoundError
                      ? QStringLiteral("pas de socket %1").arg(chemin)
                      : QStringLiteral("la socket %1 refuse la connexion").arg(chemin);
        return std::nullopt;
    }
    s.write(ligne);
    if (s.waitForBytesWritten(1000)) {
        while (!s.canReadLine() && s.waitForReadyRead(1000)) {
        }
        if (s.canReadLine())
            return s.readLine(longueurMax);
    }
    *raison = QStringLiteral("pas de réponse sur la socket %1").arg(chemin);
    return std::nullopt;
}

#else

#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QByteArray PremiereLigne(const QByteArray& octets, qint64 longueurMax) {
    const qsizetype fin = octets.indexOf('\n');
    return octets.left(std::min<qint64>(fin < 0 ? octets.size() : fin + 1, longueurMax));
}

}  // namespace

ConnexionLocale::ConnexionLocale(int descripteur, QObject* parent)
    : QObject(parent),
      descripteur_(descripteur),
      lecture_(new QSocketNotifier(descripteur, QSocketNotifier::Read, this)) {
    connect(lecture_, &QSocketNotifier::activated, this, [this] { lit(); });
}

ConnexionLocale::~ConnexionLocale() {
    if (descripteur_ >= 0)
        close(descripteur_);
}

bool ConnexionLocale::ouverte() const { return descripteur_ >= 0; }
bool ConnexionLocale::ligneRecue() const { return recu_.contains('\n'); }
qint64 ConnexionLocale::octetsRecus() const { return recu_.size(); }

// What the kernel still holds counts too: among a flood of connections, a start's request may
// wait there unread.
bool ConnexionLocale::sansDemande() const {
    if (!ouverte() || ligneRecue())
        return false;
    char debut[64];
    const ssize_t n = recv(descripteur_, debut, sizeof(debut), MSG_PEEK | MSG_DONTWAIT);
    return n <= 0 || !std::memchr(debut, '\n', size_t(n));
}

QByteArray ConnexionLocale::litLigne(qint64 longueurMax) {
    const QByteArray ligne = PremiereLigne(recu_, longueurMax);
    recu_.remove(0, ligne.size());
    return ligne;
}

// One read a wake-up: a start that writes without end is cut by its reader, not read into memory.
void ConnexionLocale::lit() {
    char tampon[256];
    const ssize_t n = read(descripteur_, tampon, sizeof(tampon));
    if (n > 0) {
        recu_.append(tampon, n);
        emit lisible();
    } else if (n == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) {
        coupe();
    }
}

// The answer is a few bytes, which the socket's buffer always takes at once.
void ConnexionLocale::repondEtFerme(const QByteArray& reponse) {
    if (ouverte())
        send(descripteur_, reponse.constData(), size_t(reponse.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
    coupe();
}

void ConnexionLocale::coupe() {
    if (!ouverte())
        return;
    lecture_->setEnabled(false);
    close(descripteur_);
    descripteur_ = -1;
    emit fermee();
}

std::optional<QByteArray> EchangeLocal(const QString& chemin, const QByteArray& ligne, qint64 longueurMax,
                                       QString* raison) {
    const QByteArray c = QFile::encodeName(chemin);
    sockaddr_un adresse{};
    adresse.sun_family = AF_UNIX;
    std::memcpy(adresse.sun_path, c.constData(), std::min(size_t(c.size()), sizeof(adresse.sun_path) - 1));
    const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) {
        *raison = QStringLiteral("pas de socket %1").arg(chemin);
        return std::nullopt;
    }
    // A clock whose queue of connections is full makes the connection wait: 200 ms at most.
    timeval attente{0, 200000};
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &attente, sizeof(attente));
    if (connect(s, reinterpret_cast<sockaddr*>(&adresse), sizeof(adresse)) != 0) {
        *raison = errno == ENOENT ? QStringLiteral("pas de socket %1").arg(chemin)
                                  : QStringLiteral("la socket %1 refuse la connexion").arg(chemin);
        close(s);
        return std::nullopt;
    }
    attente = {1, 0};
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &attente, sizeof(attente));
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &attente, sizeof(attente));
    QByteArray recu;
    if (send(s, ligne.constData(), size_t(ligne.size()), MSG_NOSIGNAL) == ssize_t(ligne.size())) {
        char tampon[256];
        while (!recu.contains('\n') && recu.size() < longueurMax) {
            const ssize_t n = recv(s, tampon, sizeof(tampon), 0);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            recu.append(tampon, n);
        }
    }
    close(s);
    if (!recu.contains('\n')) {
        *raison = QStringLiteral("pas de réponse sur la socket %1").arg(chemin);
        return std::nullopt;
    }
    return PremiereLigne(recu, longueurMax);
}

#endif
