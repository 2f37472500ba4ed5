#pragma once
// Sequences of sounds, pauses and actions, run step by step on the clock's timers
// (Horloge::plusTard): between two steps the event loop runs free, so no handler waits inside
// another and none has to find out afterwards whether its window or the program is still there.
// A sequence ends as a whole: when the object it belongs to goes, when the close begins, or, for
// the time said on demand, when the clock's own sounds begin.

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QObject;

// One step: what it does at once, then how long until the next step. A step may instead decide
// its steps only when its turn comes (which alarms are due, whether the marker shows): they run
// in its place. A sounding part is marked by a step that opens it and one that closes it.
struct Etape {
    std::function<void()> fait;
    double pause = 0;
    std::function<std::vector<Etape>()> selon;
    int8_t sonore = 0;  // +1 opens a sounding part, -1 closes it
};
using Etapes = std::vector<Etape>;

// Clip `id` of the embedded set, then `pause` seconds.
Etape Clip(int16_t id, double pause = 0);
// A WAVE file (the default alert sound when it can't be played), then `pause` seconds.
Etape Fichier(const QString& chemin, double pause = 0);
Etape Pause(double secondes);
Etape Agit(std::function<void()> fait, double pause = 0);
Etape Selon(std::function<Etapes()> selon);
// The steps as one sounding part (the chime, an announcement, an alarm's firing): while it runs
// the clock is sounding, and as it begins it ends the time said on demand.
Etapes Sonore(Etapes pas);
// Appends `suite` to `pas`.
void Ajoute(Etapes& pas, Etapes suite);

enum class Priorite {
    Horloge,     // the tick, its chime, announcement and alarms; the editor's clicks; the exit clip
    ALaDemande,  // the time said on demand: sounding throughout, ended by the clock's own sounds
};

// Runs `pas` from now: the steps up to the first pause before it returns, the others on timers.
// The sequence ends early if `proprietaire` goes (none: it belongs to the application).
void LanceSequence(Etapes pas, QObject* proprietaire = nullptr, Priorite priorite = Priorite::Horloge);
// Ends every sequence under way, at once: the close begins.
void ArreteSequences();
// A sounding part, or the time said on demand, is under way.
bool SequenceSonoreEnCours();
