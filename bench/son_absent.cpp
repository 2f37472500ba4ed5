// How long a sound holds its caller (the tick) when no sound server answers: the drivers are
// probed at the first sound and at each announcement's preparation, and not again within 5 s.
// Usage: bench_son_absent [repetitions]   with e.g. PULSE_SERVER=unix:/absent and SDL_AUDIODRIVER
// unset, so that every driver is tried as on a desktop whose server is gone.
#include "Mesure.h"

#include "platform/SonSdl.h"
#include "sound/Clips.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
void resume(const char* cas, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::printf("%-44s n=%-3zu min %7.2f  median %7.2f  max %7.2f ms\n", cas, v.size(), v.front(),
                v[v.size() / 2], v.back());
}

template <class F>
double dureeMs(F f) {
    const double t0 = tempsMonotone();
    f();
    return (tempsMonotone() - t0) * 1000;
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 20;
    const QByteArray clip = DonneesClip(114);
    std::vector<double> premier, suivant, preparation;
    for (int i = 0; i < n; ++i) {
        SonSdl son;
        premier.push_back(dureeMs([&] { son.joueDonnees(clip); }));
        suivant.push_back(dureeMs([&] { son.joueDonnees(clip); }));
        preparation.push_back(dureeMs([&] { son.prepare(); }));
    }
    std::printf("driver %s, server %s\n", std::getenv("SDL_AUDIODRIVER"), std::getenv("PULSE_SERVER"));
    resume("first sound (drivers probed)", premier);
    resume("next sound within 5 s (not probed)", suivant);
    resume("preparation before an announcement (probed)", preparation);
}
