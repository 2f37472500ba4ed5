#pragma once
// The spoken time: which minutes are announced, and the sequence of clips that speaks them.

#include "sound/Sequenceur.h"

#include <cstdint>
#include <vector>

// True when `minute` (0..59) is announced under periodicity `declenche` (0..3; others: never).
bool AnnonceDue(int16_t declenche, int minute);

// One clip of the spoken time and the pause after it, in seconds.
struct PasParole {
    int16_t clip;
    double pause;
};
// What speaks heure:minute (0..23, 0..59) in voice `genre`: the hour, 1.2 s, "heures", 0.8 s,
// then unless the minute is 0 the minute, 1.2 s, "minutes". The periodic announcement and the
// time said on demand both play it.
std::vector<PasParole> SequenceHeure(uint8_t genre, int heure, int minute);

// The same as steps of a sequence.
Etapes EtapesHeure(uint8_t genre, int heure, int minute);

// Speaks Etat.HeureActuelle / Etat.MinuteActuelle with voice Etat.Genre in the chosen form: a
// sounding part that ends, in the 24-hour form, as its last clip starts.
Etapes AnnonceHeure();
// The top-of-the-hour chime: clip 85, then half a second.
Etapes CarillonHeure();
