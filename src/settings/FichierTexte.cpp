#include "settings/FichierTexte.h"

#include "settings/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString raisonFichier(QFileDevice::FileError e) {
    switch (e) {
    case QFileDevice::ReadError: return QStringLiteral("la lecture a échoué");
    case QFileDevice::WriteError: return QStringLiteral("l'écriture a échoué (disque plein ou fichier protégé ?)");
    case QFileDevice::FatalError: return QStringLiteral("erreur grave du système de fichiers");
    case QFileDevice::ResourceError: return QStringLiteral("plus de place ou de ressources disponibles");
    case QFileDevice::OpenError:
        return QStringLiteral("ouverture impossible (dossier absent ou protégé en écriture ?)");
    case QFileDevice::AbortError: return QStringLiteral("opération interrompue");
    case QFileDevice::TimeOutError: return QStringLiteral("délai dépassé");
    case QFileDevice::RemoveError: return QStringLiteral("suppression impossible");
    case QFileDevice::RenameError: return QStringLiteral("l'ancien fichier n'a pas pu être remplacé");
    case QFileDevice::PositionError: return QStringLiteral("erreur de position dans le fichier");
    case QFileDevice::ResizeError: return QStringLiteral("taille impossible à changer");
    case QFileDevice::PermissionsError: return QStringLiteral("accès refusé");
    case QFileDevice::CopyError: return QStringLiteral("copie impossible");
    case QFileDevice::UnspecifiedError:
    case QFileDevice::NoError: break;
    }
    return QStringLiteral("erreur inconnue");
}

}  // namespace

LectureTexte LitFichierTexte(const QString& chemin) {
    LectureTexte r;
    const QFileInfo info(chemin);
    if (!info.exists()) {
        r.etat = LectureTexte::Etat::Absent;
        r.raison = QStringLiteral("le fichier est introuvable");
        return r;
    }
    if (info.isDir()) {
        r.etat = LectureTexte::Etat::Illisible;
        r.raison = QStringLiteral("c'est un dossier");
        return r;
    }
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) {
        r.etat = LectureTexte::Etat::Illisible;
        r.raison =
            f.error() == QFileDevice::PermissionsError ? QStringLiteral("accès refusé") : raisonFichier(f.error());
        return r;
    }
    const QByteArray octets = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        r.etat = LectureTexte::Etat::Illisible;
        r.raison = raisonFichier(f.error());
        return r;
    }
    r.texte = DecodeFichierTexte(octets, &r.utf8);
    return r;
}

QString EcritFichierTexte(const QString& chemin, const QString& texte, bool utf8) {
    const QByteArray octets = EncodeFichierTexte(texte, utf8);
    QSaveFile f(chemin);
    QString raison;
    // Unbuffered, so that every failed or short write is seen here: a failure inside a buffered
    // flush is not reported by commit(), which would then put a truncated file in place.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        raison = raisonFichier(f.error());
    } else {
        qint64 fait = 0;
        while (fait < octets.size()) {
            const qint64 n = f.write(octets.constData() + fait, octets.size() - fait);
            if (n <= 0)
                break;
            fait += n;
        }
        if (fait < octets.size() || f.error() != QFileDevice::NoError) {
            raison = raisonFichier(f.error() != QFileDevice::NoError ? f.error() : QFileDevice::WriteError);
            f.cancelWriting();  // the temporary file goes with the object
        } else if (!f.commit()) {
            raison = raisonFichier(f.error());
        }
    }
    if (raison.isEmpty())
        return {};
    return QStringLiteral("Le fichier « %1 » n'a pas pu être enregistré : %2.").arg(chemin, raison);
}
