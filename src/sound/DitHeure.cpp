#include "sound/DitHeure.h"

#include "platform/Plateforme.h"
#include "sound/Parole.h"
#include "sound/Son.h"
#include "state/Etat.h"

namespace {

// The output opens before the first clip, so that the first pause is heard as long as the others
// (a device that has just opened plays its first buffer at once, the later ones a buffer late).
constexpr double kAvantPremierClip = 0.1;

bool DitSurDemande(Etapes (*paroles)(const QDateTime&)) {
    Horloge* h = PF().horloge;
    if (!h || SonEnCours() || Etat.FermetureEnCours)
        return false;
    Etapes pas{Pause(kAvantPremierClip)};
    // The last clip plays on once the sequence has ended: the output still counts as sounding.
    Ajoute(pas, paroles(h->maintenant()));
    PrepareSon();
    LanceSequence(std::move(pas), nullptr, Priorite::ALaDemande);
    return true;
}

Etapes Heure(const QDateTime& t) { return EtapesHeureChoisie(Etat.Genre, t.time().hour(), t.time().minute()); }

}  // namespace

bool DitHeure() { return DitSurDemande(Heure); }

bool DitDate() {
    return DitSurDemande([](const QDateTime& t) { return EtapesMots(Etat.Genre, MotsDate(t.date())); });
}
