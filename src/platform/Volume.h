#pragma once
// The clock's own volume: the samples themselves are scaled, the system's mixer is left alone.

#include <cstddef>
#include <cstdint>

// Scales `n` signed 16-bit samples to `pourcent` (0 to 100; outside, the nearest bound) of their
// level, rounding to the nearest. Nothing changes at 100; nothing can overflow below it.
void AppliqueVolume(int16_t* echantillons, std::size_t n, int pourcent);
