#include "platform/DossierInstance.h"

#include "platform/ErreurSysteme.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>
#include <cstdio>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

bool DossierPrive(const QString& chemin, QString* raison) {
#ifdef Q_OS_WIN
    (void)raison;
    return QDir().mkpath(chemin);
#else
    const QByteArray c = QFile::encodeName(chemin);
    const auto erreur = [&](const char* quoi) {
        *raison = QString::fromUtf8(quoi).arg(chemin, DescriptionErreurSysteme(errno));
        return false;
    };
    if (mkdir(c.constData(), 0700) != 0 && errno != EEXIST)
        return erreur("impossible de créer %1 (%2)");
    struct stat e {};
    if (lstat(c.constData(), &e) != 0)
        return erreur("%1 illisible (%2)");
    if (!S_ISDIR(e.st_mode))
        *raison = QStringLiteral("%1 n'est pas un dossier").arg(chemin);
    else if (e.st_uid != geteuid())
        *raison = QStringLiteral("%1 appartient à un autre utilisateur").arg(chemin);
    else if ((e.st_mode & 077) != 0)
        *raison = QStringLiteral("%1 est ouvert à d'autres utilisateurs (droits %2)")
                      .arg(chemin, QString::number(e.st_mode & 07777, 8));
    else if (access(c.constData(), W_OK | X_OK) != 0)
        return erreur("%1 n'accepte pas d'écriture (%2)");
    else
        return true;
    return false;
#endif
}

namespace {
// The socket's address holds a path of so many bytes, its final zero included.
bool SocketTientDans(const QString& dossier, QString* raison) {
#ifdef Q_OS_WIN
    (void)dossier;
    (void)raison;
    return true;
#else
    const QString chemin = dossier + QStringLiteral("/quentor.sock");
    const qsizetype taille = QFile::encodeName(chemin).size();
    if (taille < qsizetype(sizeof(sockaddr_un::sun_path)))
        return true;
    *raison = QStringLiteral("le chemin de la socket %1 a %2 octets, plus que les %3 d'une socket Unix")
                  .arg(chemin)
                  .arg(taille)
                  .arg(sizeof(sockaddr_un::sun_path) - 1);
    return false;
#endif
}

QString ChoisitDossierInstance() {
#ifdef Q_OS_WIN
    return QDir::tempPath();
#else
    QStringList candidats;
    // The session's runtime folder, when there is one; then a folder in the shared temporary
    // folder, if it really is ours: another user could have made it first to stop the clock from
    // starting, or to read what it puts there.
    if (const QString session = qEnvironmentVariable("XDG_RUNTIME_DIR"); !session.isEmpty())
        candidats << session;
    candidats << QDir::tempPath() + QStringLiteral("/quentor-%1").arg(geteuid());
    const QString generique = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!generique.isEmpty() && QDir().mkpath(generique))
        candidats << generique + QStringLiteral("/quentor");
    QStringList raisons;
    for (const QString& dossier : candidats) {
        QString raison;
        if (DossierPrive(dossier, &raison) && SocketTientDans(dossier, &raison)) {
            if (!raisons.isEmpty())
                std::fprintf(stderr, "quentor : %s ; verrou d'instance et socket placés dans %s\n",
                             qPrintable(raisons.join(QStringLiteral(" ; "))), qPrintable(dossier));
            return dossier;
        }
        raisons << raison;
    }
    if (generique.isEmpty())
        raisons << QStringLiteral("pas de dossier de cache");
    std::fprintf(stderr, "quentor : %s ; démarrage sans verrou d'instance\n",
                 qPrintable(raisons.join(QStringLiteral(" ; "))));
    return {};
#endif
}
}  // namespace

QString DossierInstance() {
    static const QString dossier = ChoisitDossierInstance();
    return dossier;
}

QString CheminSocket(QString* raison) {
    // The socket is used, to listen or to talk, only in a folder of the user's alone: in any other,
    // another user could answer in the clock's place.
    const QString dossier = DossierInstance();
    if (dossier.isEmpty()) {
        *raison = QStringLiteral("pas de dossier privé pour la socket");
        return {};
    }
    if (!DossierPrive(dossier, raison) || !SocketTientDans(dossier, raison))
        return {};
    return dossier + QStringLiteral("/quentor.sock");
}

VerrouInstance::VerrouInstance() = default;

#ifdef Q_OS_WIN
VerrouInstance::~VerrouInstance() = default;

VerrouInstance::Issue VerrouInstance::prend(const QString& chemin, QString* raison) {
    // The lock names its holder's process; one whose process is gone is taken over.
    fichier = std::make_unique<QLockFile>(chemin);
    fichier->setStaleLockTime(0);
    if (fichier->tryLock(0))
        return Issue::Pris;
    if (fichier->error() == QLockFile::LockFailedError)
        return Issue::TenuParUneHorloge;
    *raison = QStringLiteral("verrou d'instance %1 inutilisable").arg(chemin);
    return Issue::Inutilisable;
}
#else
VerrouInstance::~VerrouInstance() {
    if (descripteur >= 0)
        close(descripteur);
}

VerrouInstance::Issue VerrouInstance::prend(const QString& chemin, QString* raison) {
    const QByteArray c = QFile::encodeName(chemin);
    const auto inutilisable = [&](const QString& pourquoi) {
        *raison = QStringLiteral("verrou d'instance %1 inutilisable (%2)").arg(chemin, pourquoi);
        if (descripteur >= 0)
            close(descripteur);
        descripteur = -1;
        return Issue::Inutilisable;
    };
    for (int essai = 0;; ++essai) {
        // Not inherited by the programs the alarms start: they would hold the lock after the clock.
        descripteur = open(c.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);
        struct stat e {};
        if (descripteur >= 0 && fstat(descripteur, &e) == 0 && S_ISREG(e.st_mode) && e.st_uid == geteuid())
            break;
        // A link, a file of another user's, anything but a plain file of ours: not a lock any clock
        // of ours made. It goes, and a file of ours takes its place.
        const int numero = descripteur < 0 ? errno : 0;
        if (essai > 0 || (unlink(c.constData()) != 0 && errno != ENOENT))
            return inutilisable(numero ? DescriptionErreurSysteme(numero)
                                       : QStringLiteral("ce n'est pas un fichier de l'utilisateur"));
        if (descripteur >= 0)
            close(descripteur);
        descripteur = -1;
    }
    if (flock(descripteur, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            close(descripteur);
            descripteur = -1;
            return Issue::TenuParUneHorloge;
        }
        return inutilisable(DescriptionErreurSysteme(errno));
    }
    // For whoever looks: which process holds it.
    const QByteArray pid = QByteArray::number(qint64(getpid())) + '\n';
    if (ftruncate(descripteur, 0) == 0) {
        [[maybe_unused]] ssize_t n = pwrite(descripteur, pid.constData(), size_t(pid.size()), 0);
    }
    return Issue::Pris;
}
#endif
