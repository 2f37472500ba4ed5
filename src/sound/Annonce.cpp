#include "sound/Annonce.h"

#include "state/Etat.h"
#include "sound/Son.h"

namespace {
// Clip ids of the spoken words, before the voice offset.
constexpr int kHeures = 70;
constexpr int kMinutes = 71;
constexpr int kHeureZero = 99;
constexpr int16_t kCarillon = 85;
}  // namespace

bool AnnonceDue(int16_t declenche, int minute) {
    // Every hour, half hour, quarter hour, five minutes.
    static constexpr int periodes[] = {60, 30, 15, 5};
    if (declenche < 0 || declenche > 3 || minute < 0 || minute > 59)
        return false;
    return minute % periodes[declenche] == 0;
}

std::vector<PasParole> SequenceHeure(uint8_t genre, int heure, int minute) {
    const int voix = genre * 100;
    const int h = heure == 0 ? kHeureZero : heure;  // "zéro heures"
    std::vector<PasParole> pas{{int16_t(voix + h), 1.2}, {int16_t(voix + kHeures), 0.8}};
    if (minute != 0)
        pas.insert(pas.end(), {{int16_t(voix + minute), 1.2}, {int16_t(voix + kMinutes), 0}});
    return pas;
}

void AnnonceHeure() {
    SequenceSonore sequence;
    // A close that begins in a pause ends the announcement there. The tick's own pause that
    // follows lets the last clip finish.
    for (const PasParole& p : SequenceHeure(Etat.Genre, Etat.HeureActuelle, Etat.MinuteActuelle)) {
        JoueSon(p.clip);
        if (p.pause > 0)
            Attente(p.pause);
        if (Etat.FermetureEnCours)
            return;
    }
}

void CarillonHeure() {
    SequenceSonore sequence;
    JoueSon(kCarillon);
    Attente(0.5);
}
