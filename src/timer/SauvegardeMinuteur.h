#pragma once
// A running timer outlives the process: its end is kept beside the settings (QS32.minuteur in
// Etat.CheminAppli), rewritten at each start, pause, resume and end of a timer, so that a crash
// loses it no more than a close does.

#include <QDateTime>
#include <optional>

struct FinMinuteur {
    QDateTime fin;         // when it ends, while it runs
    qint64 restantMs = 0;  // what is left, while it is held (no end then)
    int longueur = 0;      // the length it started with, in seconds
    QTime jusqua;          // the time of day it counts down to; invalid for a length
};

// Keeps `f`, or, with nothing, forgets the timer. Atomic: an interrupted write leaves the old
// file whole. False, with one line on stderr, when it can't be written.
bool SauveFinMinuteur(const std::optional<FinMinuteur>& f);
// The timer kept, if any; a file that does not read whole is no timer.
std::optional<FinMinuteur> LitFinMinuteur();
