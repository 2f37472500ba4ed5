#include "platform/BureauReel.h"

#include "platform/Plateforme.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#endif

BureauReel::BureauReel() = default;
BureauReel::~BureauReel() = default;

QString BureauReel::dossierProgramme() const {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString NomExecutable(const QString& chemin) {
    const QFileInfo exe(chemin);
#ifdef Q_OS_WIN
    return exe.completeBaseName();  // without ".exe" only: "quentor-6.1.exe" is "quentor-6.1"
#else
    return exe.fileName();  // programs have no extension here: "quentor-6.1" is a whole name
#endif
}

QString BureauReel::dossierUtilisateur() const {
    // quentor/ whatever name the desktop shows for the program (the application name).
    return QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/quentor"));
}

// Installed data sit at a fixed place relative to the executable (bin/ and share/quentor/ under
// one prefix), so the program finds them in /usr, /usr/local or any other prefix.
QString BureauReel::dossierDonnees() const {
    return QDir::toNativeSeparators(QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                    QStringLiteral("/" QUENTOR_DONNEES_RELATIF)));
}

QString BureauReel::nomExecutable() const {
    return NomExecutable(QCoreApplication::applicationFilePath());
}

QString BureauReel::dossierSysteme() const {
#ifdef Q_OS_WIN
    wchar_t tampon[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryW(tampon, MAX_PATH);
    QString d = QString::fromWCharArray(tampon, int(n)).toUpper();
    if (!d.endsWith(QLatin1Char('\\')))
        d += QLatin1Char('\\');
    return d;
#else
    return QStringLiteral("/usr/bin/");
#endif
}

QString BureauReel::dossierProgrammes() const {
#ifdef Q_OS_WIN
    return dossierSysteme().left(1) + QStringLiteral(":\\Program Files\\");
#else
    return QStringLiteral("/opt/");
#endif
}

void BureauReel::ouvreAide(const QString& chemin) {
    if (QFileInfo::exists(chemin) && QDesktopServices::openUrl(QUrl::fromLocalFile(chemin)))
        return;
    PF().dialogues->boiteSansAttente(
        Dialogues::Icone::Information, QStringLiteral("Aide"),
        QFileInfo::exists(chemin)
            ? QStringLiteral("Aucun programme ne peut afficher l'aide %1.").arg(chemin)
            : QStringLiteral("Le fichier d'aide %1 est introuvable.").arg(chemin));
}

bool DossierPrive(const QString& chemin, QString* raison) {
#ifdef Q_OS_WIN
    (void)raison;
    return QDir().mkpath(chemin);
#else
    const QByteArray c = QFile::encodeName(chemin);
    if (mkdir(c.constData(), 0700) != 0 && errno != EEXIST) {
        *raison = QStringLiteral("impossible de créer %1 (%2)").arg(chemin, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    struct stat e {};
    if (lstat(c.constData(), &e) != 0) {
        *raison = QStringLiteral("%1 illisible (%2)").arg(chemin, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    if (!S_ISDIR(e.st_mode))
        *raison = QStringLiteral("%1 n'est pas un dossier").arg(chemin);
    else if (e.st_uid != getuid())
        *raison = QStringLiteral("%1 appartient à un autre utilisateur").arg(chemin);
    else if ((e.st_mode & 07777) != 0700)
        *raison = QStringLiteral("%1 est ouvert à d'autres utilisateurs (droits %2)")
                      .arg(chemin, QString::number(e.st_mode & 07777, 8));
    else
        return true;
    return false;
#endif
}

namespace {
QString ChoisitDossierInstance() {
    // The session's own runtime folder is private by construction.
    const QString session = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!session.isEmpty() && QFileInfo(session).isDir())
        return session;
#ifdef Q_OS_WIN
    return QDir::tempPath();
#else
    // Without one, a folder in the shared temporary folder, if it really is ours: another user
    // could have made it first to stop the clock from starting, or to read what it puts there.
    QString raison, autre;
    const QString temporaire = QDir::tempPath() + QStringLiteral("/quentor-%1").arg(getuid());
    if (DossierPrive(temporaire, &raison))
        return temporaire;
    const QString generique = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    const QString cache = generique + QStringLiteral("/quentor");
    if (!generique.isEmpty() && QDir().mkpath(generique) && DossierPrive(cache, &autre)) {
        std::fprintf(stderr, "quentor : %s ; verrou d'instance placé dans %s\n", qPrintable(raison),
                     qPrintable(cache));
        return cache;
    }
    std::fprintf(stderr, "quentor : %s ; %s ; démarrage sans verrou d'instance\n", qPrintable(raison),
                 qPrintable(autre.isEmpty() ? QStringLiteral("pas de dossier de cache") : autre));
    return {};
#endif
}
}  // namespace

// Chosen once: the lock and the socket share it, and the console hears the reason once.
QString DossierInstance() {
    static const QString dossier = ChoisitDossierInstance();
    return dossier;
}

namespace {
// The socket is used, to listen or to talk, only in a folder of the user's alone: in any other,
// another user could answer in the clock's place.
bool SocketPermise() {
    QString raison;
    return !DossierInstance().isEmpty() && DossierPrive(DossierInstance(), &raison);
}
}  // namespace

bool BureauReel::prendInstanceUnique() {
    // One clock per user session. A lock left by a killed process names a dead PID and is taken
    // over. With no private folder to hold it, the clock starts all the same: better two clocks
    // than none.
    const QString dossier = DossierInstance();
    if (dossier.isEmpty())
        return true;
    verrou = std::make_unique<QLockFile>(dossier + QStringLiteral("/quentor.lock"));
    verrou->setStaleLockTime(0);
    return verrou->tryLock(0);
}

namespace {

QString cheminSocket() { return DossierInstance() + QStringLiteral("/quentor.sock"); }

// One line each way: the request, then "ok" once the clock has it.
QByteArray ligneDemande(Bureau::Demande d) {
    return d == Bureau::Demande::DitHeure ? QByteArrayLiteral("dit-heure\n") : QByteArrayLiteral("montre\n");
}

}  // namespace

void BureauReel::ecouteDemandes(std::function<void(Demande)> traite) {
    if (serveur_ || !SocketPermise())
        return;
    auto serveur = std::make_unique<QLocalServer>();
    serveur->setSocketOptions(QLocalServer::UserAccessOption);
    // Only the holder of the lock gets here: a socket left there is a dead clock's.
    QLocalServer::removeServer(cheminSocket());
    if (!serveur->listen(cheminSocket()))
        return;
    QLocalServer* s = serveur.get();
    QObject::connect(s, &QLocalServer::newConnection, s, [s, traite] {
        while (QLocalSocket* client = s->nextPendingConnection()) {
            QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            // A start that connects and says nothing is not kept waiting for.
            QTimer::singleShot(2000, client, [client] { client->abort(); });
            QObject::connect(client, &QLocalSocket::readyRead, client, [client, traite] {
                if (!client->canReadLine()) {
                    if (client->bytesAvailable() > 64)
                        client->abort();
                    return;
                }
                const QByteArray ligne = client->readLine(64);
                std::optional<Demande> d;
                for (Demande connue : {Demande::Montre, Demande::DitHeure})
                    if (ligne == ligneDemande(connue))
                        d = connue;
                // Answered first: the asking start ends at once, whatever the clock does next.
                client->write(d ? "ok\n" : "?\n");
                client->flush();
                client->disconnectFromServer();
                if (d)
                    traite(*d);
            });
        }
    });
    serveur_ = std::move(serveur);
}

bool BureauReel::envoieDemande(Demande demande, int attenteMs) {
    if (!SocketPermise())
        return false;
    const QDeadlineTimer fin(attenteMs);
    QLocalSocket s;
    for (;;) {
        s.connectToServer(cheminSocket());
        if (s.waitForConnected(200))
            break;
        if (fin.hasExpired())
            return false;
        QThread::msleep(50);
    }
    s.write(ligneDemande(demande));
    if (!s.waitForBytesWritten(1000))
        return false;
    while (!s.canReadLine() && s.waitForReadyRead(1000)) {
    }
    return s.readLine(8) == "ok\n";
}

void BureauReel::quitte(int code) { QCoreApplication::exit(code); }
