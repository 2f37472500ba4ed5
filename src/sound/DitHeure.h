#pragma once
// The time said on demand (the menu, the icon's middle button, the key H, the command): the
// current time in the chosen voice and form, without chime, with the clips and pauses of the
// periodic announcement; and the date, the same way. Played from timers, never from a wait: the
// tick goes on meanwhile.

#include "sound/Sequenceur.h"

// Starts saying the current time and returns true; returns false and does nothing while the
// clock is sounding (an announcement, an alarm, a clip, the time said already) or closing. A
// sequence that begins meanwhile (the chime, an announcement, an alarm) ends it.
bool DitHeure();
// The same for today's date: "nous sommes le lundi sept décembre deux mille vingt-six".
bool DitDate();

// The time said by the clock itself, at start (after `apres` seconds, the start clip's) or once
// after a wake: a sounding part, nothing when the options are off, in the silent hours or while
// the desktop asks not to be disturbed.
Etapes AnnonceDemarrage(double apres);
Etapes AnnonceReveil();
