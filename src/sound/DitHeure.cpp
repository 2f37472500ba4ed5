#include "sound/DitHeure.h"

#include "platform/Plateforme.h"
#include "sound/Annonce.h"
#include "sound/Sequenceur.h"
#include "sound/Son.h"
#include "state/Etat.h"

namespace {

// The output opens before the first clip, so that the first pause is heard as long as the others
// (a device that has just opened plays its first buffer at once, the later ones a buffer late).
constexpr double kAvantPremierClip = 0.1;

}  // namespace

bool DitHeure() {
    Horloge* h = PF().horloge;
    if (!h || SonEnCours() || Etat.FermetureEnCours)
        return false;
    const QTime t = h->maintenant().time();
    Etapes pas{Pause(kAvantPremierClip)};
    // The last clip plays on once the sequence has ended: the output still counts as sounding.
    Ajoute(pas, EtapesHeure(Etat.Genre, t.hour(), t.minute()));
    PrepareSon();
    LanceSequence(std::move(pas), nullptr, Priorite::ALaDemande);
    return true;
}
