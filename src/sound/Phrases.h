#pragma once
// The recorded phrases beside the numbered clips (the date, everyday French, timers, alarms),
// one set per voice, named by what they say: "nous_sommes_le", "et_quart", "2026", "alarme_manquee".
// Unlike the announcement's fixed pauses, words said with them follow each other at a speaking
// pace: each step waits for its own clip to end, then a short gap.

#include "sound/Sequenceur.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// The gap between two words of one sentence, in seconds.
inline constexpr double kEcartMots = 0.08;

// Phrase `nom` in voice `genre` (0 male, 1 female); empty when the set has no such phrase.
QByteArray DonneesPhrase(uint8_t genre, const QString& nom);
// How long a WAVE image plays, in seconds; 0 when its header can't be read.
double DureeWav(const QByteArray& wav);

// Says phrase `nom` in voice `genre`, then waits for its end and `ecart` more.
Etape Mot(uint8_t genre, const QString& nom, double ecart = kEcartMots);
// The same for clip `id` of the numbered set (a number, "heures", "minutes").
Etape MotClip(int16_t id, double ecart = kEcartMots);
