#include "settings/ErreurFatale.h"

#include "state/Etat.h"
#include "state/FinProgramme.h"
#include "platform/Plateforme.h"

#include <QFileInfo>

void FinAnnoncee() {
    // The box waits in a loop of its own, where the clock's Timer still fires: the minute's work
    // must not run on half-read settings (it would speak, ring and write the run record).
    Etat.FermetureEnCours = true;
}

void ErreurFatale(const QString& titre, const QString& texte) {
    if (Dialogues* d = PF().dialogues) {
        FinAnnoncee();
        d->bip();
        d->boite(Dialogues::Icone::Critique, titre, texte);
        d->bip();
    }
    throw FinProgramme(1);
}

QString TitreErreurFichier(const QString& chemin) {
    return QStringLiteral("Erreur dans le fichier ") + QFileInfo(chemin).fileName();
}
