#include "platform/Aide.h"

#include "platform/Plateforme.h"
#include "state/Etat.h"

#include <QFileInfo>

namespace {
QString fichierAide;
}  // namespace

QString DossierAide() {
    const QString nom = QStringLiteral("/Sonalde.html");
    if (QFileInfo::exists(Etat.CheminAppli.trimmed() + nom) || !PF().bureau)
        return Etat.CheminAppli;
    const QString installe = PF().bureau->dossierDonnees();
    return QFileInfo::exists(installe + nom) ? installe : Etat.CheminAppli;
}

void PrépareAide() {
    const QString dossier = DossierAide().trimmed();
    const QString nom = QStringLiteral("Sonalde.html");
    fichierAide = dossier.endsWith(QLatin1Char('/')) || dossier.endsWith(QLatin1Char('\\'))
                      ? dossier + nom
                      : dossier + QLatin1Char('/') + nom;
}

QString CheminAide() { return fichierAide; }

void OuvreAide() { PF().bureau->ouvreAide(fichierAide); }
