#pragma once
// Playing clips and files, one sound at a time. Sequences of them are paced by sound/Sequenceur.

#include "sound/Clips.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// Plays clip `id` of the embedded set asynchronously.
void JoueSon(int16_t id);
// Plays a complete WAVE image asynchronously (nothing when it can't be decoded).
void JoueDonnees(const QByteArray& wav);
// Plays a WAVE file asynchronously; the default alert sound when it can't be played.
void JoueFichierSon(const QString& chemin);
void ArreteSon();
// The volume of every sound the clock plays, 0 (nothing is heard) to 100 %: kept in Etat.Volume
// and in force at once, for the sound playing too.
void RegleVolume(int16_t pourcent);
// Sound is due within about a second (or within `ouverte` seconds): the output gets ready so that
// it starts on time, and stays open, playing silence, until then.
void PrepareSon(double ouverte = 0);
// Etat.SortieEveillee, in force at once: the output stays open between sounds.
void GardeSortieEveillee(bool eveillee);

// The clock is sounding (the chime, an announcement, an alarm's firing, the time said on demand,
// or a sound still playing): the time asked for on demand is then refused.
bool SonEnCours();
