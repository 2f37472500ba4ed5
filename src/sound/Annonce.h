#pragma once
// The spoken time: which minutes are announced, and the sequence of clips that speaks them.

#include <QString>
#include <cstdint>

// True when `minute` ("00".."59") is announced under periodicity `declenche` (0..3; others: never).
bool AnnonceDue(int16_t declenche, const QString& minute);
// Speaks Etat.HeureActuelle / Etat.MinuteActuelle with voice Etat.Genre, with the fixed pauses.
void AnnonceHeure();
// The top-of-the-hour chime: clip 85, then half a second.
void CarillonHeure();
// True while the chime or a spoken time is under way (in one of its pauses).
bool AnnonceEnCours();
