#include "platform/Volume.h"

#include <algorithm>

void AppliqueVolume(int16_t* echantillons, std::size_t n, int pourcent) {
    pourcent = std::clamp(pourcent, 0, 100);
    if (pourcent == 100)
        return;
    for (std::size_t i = 0; i < n; ++i) {
        // |sample| * 100 stays far inside 32 bits; halves round away from zero, so the scale
        // stays symmetric around silence.
        const int32_t v = int32_t(echantillons[i]) * pourcent;
        echantillons[i] = int16_t((v >= 0 ? v + 50 : v - 50) / 100);
    }
}
