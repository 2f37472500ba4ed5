#pragma once
// The clip set the program carries: WAVE resources named by integer id.

#include <QByteArray>
#include <cstdint>
#include <vector>

// Every id of the set, ascending (131 of them).
const std::vector<int16_t>& IdsClips();
// The clip's bytes, or an empty array when the set has no such id.
QByteArray DonneesClip(int16_t id);
