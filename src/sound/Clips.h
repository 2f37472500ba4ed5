#pragma once
// The clip set the program carries: WAVE resources named by integer id.

#include <QByteArray>
#include <cstdint>
#include <vector>

// The sound effects played by name (a spoken word's id is worked out from what it says).
// The program's own short sound: at start and exit, on each toolbar button, in the information window.
inline constexpr int16_t kClipSignature = 84;
// The top-of-the-hour chime, also played from the popup menu's time.
inline constexpr int16_t kClipCarillon = 85;
// Each press of the alarm editor's hour and minute arrows.
inline constexpr int16_t kClipFleche = 80;
// The alarm editor's return to the clock.
inline constexpr int16_t kClipRetourHorloge = 82;

// Every id of the set, ascending (131 of them).
const std::vector<int16_t>& IdsClips();
// The clip's bytes, or an empty array when the set has no such id.
QByteArray DonneesClip(int16_t id);
