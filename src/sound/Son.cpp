#include "sound/Son.h"

#include "platform/Plateforme.h"
#include "sound/Clips.h"

#include <QCoreApplication>

namespace {
QByteArray tampon;
}

const QByteArray& TamponSon() { return tampon; }

void JoueSon(int16_t id) {
    // The output may read the clip while it plays, so the bytes stay here until the next clip.
    tampon = DonneesClip(id);
    if (SortieSon* s = PF().son)
        s->joueDonnees(tampon);
    QCoreApplication::processEvents();
}

void JoueFichierSon(const QString& chemin) {
    if (SortieSon* s = PF().son)
        s->joueFichier(chemin);
}

void ArreteSon() {
    if (SortieSon* s = PF().son)
        s->arrete();
}

void PrepareSon() {
    if (SortieSon* s = PF().son)
        s->prepare();
}

void Attente(double secondes) {
    if (Horloge* h = PF().horloge)
        h->attendre(secondes);
    else
        QCoreApplication::processEvents();
}
