#include "sound/Son.h"

#include "platform/Plateforme.h"
#include "state/Etat.h"
#include "sound/Clips.h"
#include "sound/Sequenceur.h"

#include <algorithm>

namespace {
QByteArray tampon;
}  // namespace

bool SonEnCours() {
    const SortieSon* s = PF().son;
    return SequenceSonoreEnCours() || (s && s->joue());
}

void JoueSon(int16_t id) { JoueDonnees(DonneesClip(id)); }

void JoueDonnees(const QByteArray& wav) {
    // The output may read the clip while it plays, so the bytes stay here until the next clip.
    tampon = wav;
    if (SortieSon* s = PF().son)
        s->joueDonnees(tampon);
}

void JoueFichierSon(const QString& chemin) {
    if (SortieSon* s = PF().son)
        s->joueFichier(chemin);
}

void ArreteSon() {
    if (SortieSon* s = PF().son)
        s->arrete();
}

void RegleVolume(int16_t pourcent) {
    Etat.Volume = std::clamp<int16_t>(pourcent, 0, 100);
    if (SortieSon* s = PF().son)
        s->regleVolume(Etat.Volume);
}

void PrepareSon(double ouverte) {
    if (SortieSon* s = PF().son)
        s->prepare(int(ouverte * 1000));
}

void GardeSortieEveillee(bool eveillee) {
    Etat.SortieEveillee = eveillee;
    if (SortieSon* s = PF().son)
        s->gardeEveillee(eveillee);
}
