// How long a sound holds its caller (the tick) when no sound server answers: the drivers are
// probed at the first sound and at each announcement's preparation, and not again within 5 s,
// on the sound thread, so the caller only leaves a request; and how long the sound thread takes
// to find that there is no output (the sound is no longer playing).
// Usage: bench_son_absent [repetitions]   with e.g. PULSE_SERVER=unix:/absent and SDL_AUDIODRIVER
// unset, so that every driver is tried as on a desktop whose server is gone.
#include "Mesure.h"

#include "platform/SonSdl.h"
#include "sound/Clips.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

namespace {
void resume(const char* cas, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::printf("%-44s n=%-3zu min %7.2f  median %7.2f  max %7.2f ms\n", cas, v.size(), v.front(), v[v.size() / 2],
                v.back());
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
    std::vector<double> premier, reponse, suivant, preparation;
    for (int i = 0; i < n; ++i) {
        SonSdl son;
        const double t0 = tempsMonotone();
        premier.push_back(dureeMs([&] { son.joueDonnees(clip); }));
        while (son.joue())
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        reponse.push_back((tempsMonotone() - t0) * 1000);
        suivant.push_back(dureeMs([&] { son.joueDonnees(clip); }));
        preparation.push_back(dureeMs([&] { son.prepare(); }));
    }
    std::printf("driver %s, server %s\n", std::getenv("SDL_AUDIODRIVER"), std::getenv("PULSE_SERVER"));
    resume("first sound (drivers probed)", premier);
    resume("first sound, until found silent (sound thread)", reponse);
    resume("next sound within 5 s (not probed)", suivant);
    resume("preparation before an announcement (probed)", preparation);
}
