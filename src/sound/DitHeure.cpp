#include "sound/DitHeure.h"

#include "platform/Plateforme.h"
#include "sound/Annonce.h"
#include "state/Etat.h"

#include <QDateTime>

bool DitHeure() {
    if (AnnonceEnCours() || Etat.FermetureEnCours || !PF().horloge)
        return false;
    const QTime t = PF().horloge->maintenant().time();
    Etat.HeureActuelle = t.toString(QStringLiteral("hh"));
    Etat.MinuteActuelle = t.toString(QStringLiteral("mm"));
    AnnonceHeure();
    return true;
}
