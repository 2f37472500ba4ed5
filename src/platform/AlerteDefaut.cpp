#include "platform/AlerteDefaut.h"

#include <cmath>
#include <numbers>

namespace {
// A bell-like note: quick rise, then an exponential fade, with a soft octave partial.
void ajouteNote(Pcm& p, double frequence, double duree, double amplitude) {
    const int n = int(duree * kFrequenceSortie);
    const double attaque = 0.006 * kFrequenceSortie;
    const double fin = 0.010 * kFrequenceSortie;  // fades to zero, so the note never clicks
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kFrequenceSortie;
        double env = std::exp(-t * 6.0);
        if (i < attaque)
            env *= i / attaque;
        if (n - i < fin)
            env *= (n - i) / fin;
        const double w = 2 * std::numbers::pi * frequence * t;
        const double v = amplitude * env * (std::sin(w) + 0.25 * std::sin(2 * w)) / 1.25;
        const auto e = int16_t(std::lround(v * 32767));
        p.push_back(e);
        p.push_back(e);
    }
}
}  // namespace

std::shared_ptr<const Pcm> AlerteDefaut() {
    static const std::shared_ptr<const Pcm> alerte = [] {
        auto p = std::make_shared<Pcm>();
        ajouteNote(*p, 1318.5, 0.16, 0.45);  // E6
        ajouteNote(*p, 1046.5, 0.34, 0.45);  // C6
        return p;
    }();
    return alerte;
}
