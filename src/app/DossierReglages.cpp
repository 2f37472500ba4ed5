#include "app/DossierReglages.h"

#include "platform/Plateforme.h"
#include "settings/ErreurFatale.h"
#include "state/Etat.h"
#include "state/FinProgramme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kIni = QStringLiteral("QS32.ini");

[[noreturn]] void echec(const QString& texte) {
    ErreurFatale(QStringLiteral("Quentor Sonalde : dossier des réglages"), texte);
}

// Through a temporary file renamed into place: a first start cut short never leaves half a file
// behind, which would then be kept for good.
void copieSiAbsent(const QString& source, const QString& cible) {
    if (QFileInfo::exists(cible))
        return;
    QFile lu(source);
    const QByteArray octets = lu.open(QIODevice::ReadOnly) ? lu.readAll() : QByteArray();
    if (!lu.isOpen() || lu.error() != QFileDevice::NoError)
        echec(QStringLiteral("Le fichier « %1 », installé avec le programme, est introuvable ou "
                             "illisible. Réinstallez le programme.")
                  .arg(source));
    // Unbuffered: a write that fails inside a buffered flush would not stop commit().
    QSaveFile f(cible);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || f.write(octets) != octets.size() || !f.commit())
        echec(QStringLiteral("Le fichier « %1 » n'a pas pu être créé (dossier protégé en "
                             "écriture ou disque plein ?).")
                  .arg(cible));
}

QString dossierReglages() {
    const Bureau& b = *PF().bureau;
    const QString programme = b.dossierProgramme();
    if (QFileInfo::exists(programme + u'/' + kIni))
        return programme;
    const QString dossier = b.dossierUtilisateur();
    if (dossier.isEmpty() || !QDir().mkpath(dossier))
        echec(QStringLiteral("Le dossier des réglages « %1 » n'a pas pu être créé.").arg(dossier));
    // Every start, not only the first: a memo the user deleted comes back as shipped.
    QStringList noms{kIni};
    for (int n = 1; n <= NombreAlarmes; ++n)
        noms << QStringLiteral("MSG%1.ASC").arg(n);
    for (const QString& nom : noms)
        copieSiAbsent(b.dossierDonnees() + u'/' + nom, dossier + u'/' + nom);
    return dossier;
}

}  // namespace

bool PlaceReglages() {
    try {
        Etat.CheminAppli = dossierReglages();
        return true;
    } catch (const FinProgramme&) {
        return false;
    }
}

QString DossierReglagesALire() {
    const Bureau& b = *PF().bureau;
    for (const QString& dossier : {b.dossierProgramme(), b.dossierUtilisateur()})
        if (!dossier.isEmpty() && QFileInfo::exists(dossier + u'/' + kIni))
            return dossier;
    return b.dossierDonnees();
}
