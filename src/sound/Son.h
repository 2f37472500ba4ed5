#pragma once
// Playing clips and files, one sound at a time, and the paced wait every sequence uses.

#include "sound/Clips.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// Plays clip `id` of the embedded set asynchronously; events run once afterwards.
void JoueSon(int16_t id);
// Plays a WAVE file asynchronously; the default alert sound when it can't be played.
void JoueFichierSon(const QString& chemin);
void ArreteSon();
// The volume of every sound the clock plays, 0 (nothing is heard) to 100 %: kept in Etat.Volume
// and in force at once, for the sound playing too.
void RegleVolume(int16_t pourcent);
// Sound is due within about a second: the output gets ready so that it starts on time.
void PrepareSon();
// Returns once at least `secondes` have passed; events keep running meanwhile (at least once).
void Attente(double secondes);

// A sequence of sounds is under way (the chime, an announcement, an alarm's firing, the time said
// on demand): while one is, or while a sound still plays, the clock is sounding and the time asked
// for on demand is refused. Each sequence that begins may end the one said on demand, which
// watches the count of sequences begun.
class SequenceSonore {
public:
    SequenceSonore();
    ~SequenceSonore();
    SequenceSonore(const SequenceSonore&) = delete;
    SequenceSonore& operator=(const SequenceSonore&) = delete;
};
bool SonEnCours();
// How many sequences have begun since the program started.
uint64_t SequencesCommencees();

// The last clip started; kept until the next one replaces it.
const QByteArray& TamponSon();
