#pragma once
// The silent hours: while they last the minute's work neither chimes nor speaks the time. Alarms
// still ring, and the time asked for is still spoken.

#include "state/Etat.h"

// Whether the minute `minuteDuJour` (0 to 1439) is one of the silent hours `s`.
bool EnSilence(const HeuresSilence& s, int minuteDuJour);

// The desktop is in "do not disturb" and the user lets it silence the clock (Etat.NePasDeranger).
bool BureauEnSilence();

// What the minute's work plays at `heure`:`minute`: the chime at the top of the hour,
// the spoken time when periodicity `declenche` asks for it; neither in the silent hours nor while
// the desktop is in "do not disturb".
struct SonsMinute {
    bool carillon = false, annonce = false;
};
SonsMinute SonsDeLaMinute(int16_t declenche, int heure, int minute, const HeuresSilence& silence);
