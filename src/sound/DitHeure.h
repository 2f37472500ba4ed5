#pragma once
// The time said on demand (the menu, the icon's middle button, the key H, the command): the
// current time in the chosen voice, without chime, with the clips and pauses of the periodic
// announcement. Played from timers, never from a wait: the tick goes on meanwhile.

// Starts saying the current time and returns true; returns false and does nothing while the
// clock is sounding (an announcement, an alarm, a clip, the time said already) or closing. A
// sequence that begins meanwhile (the chime, an announcement, an alarm) ends it.
bool DitHeure();
