#include "sound/DitHeure.h"

#include "platform/Plateforme.h"
#include "sound/Parole.h"
#include "sound/Silence.h"
#include "sound/Son.h"
#include "state/Etat.h"

#include <algorithm>

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

// The clock speaks of its own accord: as the periodic announcement does, not in the silent hours
// nor while the desktop is in "do not disturb", as they stand when the time is said.
Etapes SiPasDeSilence(bool option, Etapes avant) {
    if (!option)
        return {};
    BureauEnSilence();  // a desktop never asked yet is asked now, and has answered by then
    avant.push_back(Selon([] {
        const QDateTime t = PF().horloge->maintenant();
        if (EnSilence(Etat.Silence, t.time().hour() * 60 + t.time().minute()) || BureauEnSilence())
            return Etapes{};
        return Heure(t);
    }));
    return Sonore(std::move(avant));
}

}  // namespace

bool DitHeure() { return DitSurDemande(Heure); }

bool DitDate() {
    return DitSurDemande([](const QDateTime& t) { return EtapesMots(Etat.Genre, MotsDate(t.date())); });
}

Etapes AnnonceDemarrage(double apres) {
    // The output gets ready a second ahead, as for every sound the clock plans.
    const double preparation = std::max(0.0, apres - 1.0);
    return SiPasDeSilence(Etat.AnnonceDemarrage, {Pause(preparation), Agit([] { PrepareSon(); }, apres - preparation)});
}

Etapes AnnonceReveil() {
    return SiPasDeSilence(Etat.AnnonceReveil, {Agit([] { PrepareSon(); }, 1.0)});
}
