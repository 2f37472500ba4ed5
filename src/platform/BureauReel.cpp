#include "platform/BureauReel.h"

#include "platform/Plateforme.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#else
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

bool BureauReel::prendInstanceUnique() {
    // One clock per user session: the lock lives in the user's runtime folder. A lock left by a
    // killed process names a dead PID and is taken over.
    QString dossier = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dossier.isEmpty() || !QFileInfo(dossier).isDir()) {
#ifdef Q_OS_WIN
        dossier = QDir::tempPath();
#else
        dossier = QDir::tempPath() + QStringLiteral("/quentor-%1").arg(getuid());
        QDir().mkpath(dossier);
#endif
    }
    verrou = std::make_unique<QLockFile>(dossier + QStringLiteral("/quentor.lock"));
    verrou->setStaleLockTime(0);
    return verrou->tryLock(0);
}

void BureauReel::quitte(int code) { QCoreApplication::exit(code); }
