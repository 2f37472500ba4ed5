#include "platform/BureauReel.h"

#include "platform/Plateforme.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
    return QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
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

QString DossierInstance() {
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
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (!cache.isEmpty() && QDir().mkpath(QFileInfo(cache).path()) && DossierPrive(cache, &autre)) {
        std::fprintf(stderr, "quentor : %s ; verrou d'instance placé dans %s\n", qPrintable(raison),
                     qPrintable(cache));
        return cache;
    }
    std::fprintf(stderr, "quentor : %s ; %s ; démarrage sans verrou d'instance\n", qPrintable(raison),
                 qPrintable(autre.isEmpty() ? QStringLiteral("pas de dossier de cache") : autre));
    return {};
#endif
}

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

void BureauReel::quitte(int code) { QCoreApplication::exit(code); }
