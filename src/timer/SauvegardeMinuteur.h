#pragma once
// A running timer outlives the process: its end is kept in the clock's run record (key
// "minuteur"), one value rewritten at each start, pause, resume and end of a timer, so that a
// crash loses it no more than a close does.

#include <QDateTime>
#include <optional>

struct FinMinuteur {
    QDateTime fin;         // when it ends, while it runs
    qint64 restantMs = 0;  // what is left, while it is held (no end then)
    int longueur = 0;      // the length it started with, in seconds
    QTime jusqua;          // the time of day it counts down to; invalid for a length
};

// Keeps `f`, or, with nothing, forgets the timer.
void SauveFinMinuteur(const std::optional<FinMinuteur>& f);
// The timer kept, if any; a value that does not read whole is no timer.
std::optional<FinMinuteur> LitFinMinuteur();
