#include "settings/ErreurFatale.h"

#include "state/FinProgramme.h"
#include "platform/Plateforme.h"

#include <QFileInfo>

void ErreurFatale(const QString& titre, const QString& texte) {
    if (Dialogues* d = PF().dialogues) {
        d->bip();
        d->boite(Dialogues::Icone::Critique, titre, texte);
        d->bip();
    }
    throw FinProgramme(1);
}

QString TitreErreurFichier(const QString& chemin) {
    return QStringLiteral("Erreur dans le fichier ") + QFileInfo(chemin).fileName();
}
