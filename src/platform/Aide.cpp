#include "app/Aide.h"

#include "app/DossierReglages.h"
#include "state/Etat.h"
#include "platform/Plateforme.h"

#include <QDir>

namespace {
QWidget* HandleAide = nullptr;
QString fichierAide;
}  // namespace

void PrépareAide(QWidget* fenetre) {
    HandleAide = fenetre;
    const QString dossier = DossierAide().trimmed();
    const QString nom = QStringLiteral("Sonalde.html");
    fichierAide = dossier.endsWith(QLatin1Char('/')) || dossier.endsWith(QLatin1Char('\\'))
                      ? dossier + nom
                      : dossier + QLatin1Char('/') + nom;
}

QString CheminAide() { return fichierAide; }

void OuvreAide() { PF().bureau->ouvreAide(fichierAide); }
