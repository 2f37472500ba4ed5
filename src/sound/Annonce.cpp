#include "sound/Annonce.h"

#include "sound/Parole.h"
#include "state/Etat.h"

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

Etapes EtapesHeure(uint8_t genre, int heure, int minute) {
    Etapes pas;
    for (const PasParole& p : SequenceHeure(genre, heure, minute))
        pas.push_back(Clip(p.clip, p.pause));
    return pas;
}

// The tick's own pause that follows lets the last clip finish.
Etapes AnnonceHeure() { return Sonore(EtapesHeureChoisie(Etat.Genre, Etat.HeureActuelle, Etat.MinuteActuelle)); }

Etapes CarillonHeure() { return Sonore({Clip(kCarillon, 0.5)}); }
