#include "platform/BureauReel.h"

#include "platform/ConnexionLocale.h"
#include "platform/Plateforme.h"
#include "platform/ServeurDemandes.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
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
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                                    QStringLiteral("/quentor"));
}

// Installed data sit at a fixed place relative to the executable (bin/ and share/quentor/ under
// one prefix), so the program finds them in /usr, /usr/local or any other prefix.
QString BureauReel::dossierDonnees() const {
    return QDir::toNativeSeparators(
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/" QUENTOR_DONNEES_RELATIF)));
}

QString BureauReel::nomExecutable() const { return NomExecutable(QCoreApplication::applicationFilePath()); }

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
    PF().dialogues->boiteSansAttente(Dialogues::Icone::Information, QStringLiteral("Aide"),
                                     QFileInfo::exists(chemin)
                                         ? QStringLiteral("Aucun programme ne peut afficher l'aide %1.").arg(chemin)
                                         : QStringLiteral("Le fichier d'aide %1 est introuvable.").arg(chemin));
}

bool BureauReel::prendInstanceUnique() {
    // One clock per user session. With no lock to be had, the clock starts all the same: better
    // two clocks than none.
    const QString dossier = DossierInstance();
    if (dossier.isEmpty())
        return true;
    QString raison;
    switch (verrou.prend(dossier + QStringLiteral("/quentor.lock"), &raison)) {
    case VerrouInstance::Issue::Pris: verrouPris = true; return true;
    case VerrouInstance::Issue::TenuParUneHorloge: return false;
    case VerrouInstance::Issue::Inutilisable: break;
    }
    std::fprintf(stderr, "quentor : %s ; démarrage sans verrou d'instance ni socket\n", qPrintable(raison));
    return true;
}

namespace {

// One line each way: the request, then "ok" once the clock has it.
QByteArray ligneDemande(Bureau::Demande d) {
    switch (d) {
    case Bureau::Demande::DitHeure: return QByteArrayLiteral("dit-heure\n");
    case Bureau::Demande::DitDate: return QByteArrayLiteral("dit-date\n");
    case Bureau::Demande::ArreteAlarme: return QByteArrayLiteral("arrete\n");
    case Bureau::Demande::RepousseAlarme: return QByteArrayLiteral("repousse\n");
    case Bureau::Demande::Montre: break;
    }
    return QByteArrayLiteral("montre\n");
}

}  // namespace

void BureauReel::ecouteDemandes(std::function<void(Demande)> traite) {
    // Only the lock's holder listens: a socket already in its place is a dead clock's.
    if (serveur_ || !verrouPris)
        return;
    auto serveur = std::make_unique<ServeurDemandes>([traite, commande = surCommande](ConnexionLocale* client) {
        QObject::connect(client, &ConnexionLocale::fermee, client, &QObject::deleteLater);
        // A start that connects and says nothing is not kept waiting for.
        QTimer::singleShot(2000, client, [client] { client->coupe(); });
        QObject::connect(client, &ConnexionLocale::lisible, client, [client, traite, commande] {
            if (!client->ligneRecue()) {
                if (client->octetsRecus() > 64)
                    client->coupe();
                return;
            }
            const QByteArray ligne = client->litLigne(64);
            std::optional<Demande> d;
            for (Demande connue :
                 {Demande::Montre, Demande::DitHeure, Demande::DitDate, Demande::ArreteAlarme, Demande::RepousseAlarme})
                if (ligne == ligneDemande(connue))
                    d = connue;
            // A command is answered with what it did; a request first, so that the asking start
            // ends at once, whatever the clock does next.
            const QString reponse =
                !d && ligne.endsWith('\n') && commande ? commande(QString::fromUtf8(ligne).trimmed()) : QString();
            client->repondEtFerme(d ? "ok\n" : reponse.isEmpty() ? "?\n" : reponse.toUtf8() + '\n');
            if (d)
                traite(*d);
        });
    });
    QString raison;
    const QString chemin = CheminSocket(&raison);
    if (chemin.isEmpty() || !serveur->ecoute(chemin, &raison)) {
        std::fprintf(stderr, "quentor : %s ; un autre démarrage ne pourra pas montrer cette horloge\n",
                     qPrintable(raison));
        return;
    }
    serveur_ = std::move(serveur);
}

bool BureauReel::envoieDemande(Demande demande, int attenteMs) {
    return echange(ligneDemande(demande), attenteMs, 8) == QByteArrayLiteral("ok\n");
}

std::optional<QString> BureauReel::envoieCommande(const QString& ligne) {
    const std::optional<QByteArray> r = echange(ligne.toUtf8() + '\n', 0, 1024);
    if (!r)
        return std::nullopt;
    return QString::fromUtf8(*r).trimmed();
}

std::optional<QByteArray> BureauReel::echange(const QByteArray& ligne, int attenteMs, qint64 longueurMax) {
    const QString chemin = CheminSocket(&raisonDemande_);
    if (chemin.isEmpty())
        return std::nullopt;
    const QDeadlineTimer fin(attenteMs);
    // Until the deadline: the clock may still be starting, or have let this connection go among a
    // flood of others.
    do {
        if (auto reponse = EchangeLocal(chemin, ligne, longueurMax, &raisonDemande_))
            return reponse;
        QThread::msleep(50);
    } while (!fin.hasExpired());
    return std::nullopt;
}

void BureauReel::quitte(int code) { QCoreApplication::exit(code); }
