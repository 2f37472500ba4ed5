// Latency from JoueSon to the first frame of the clip handed to the device callback. It is one
// device buffer (2048 frames, 46.4 ms) whatever the device was doing: a constant latency keeps
// the spoken pauses exact. Goal: < 55 ms, so that the chime, asked for 3 ms after second 0,
// starts within 60 ms of it. Through a sound server: bench/annonce_pulse.py runs it there too.
// Usage: bench_latence_son [repetitions]   (SDL_AUDIODRIVER=dummy unless set)
#include "Mesure.h"

#include "platform/Plateforme.h"
#include "platform/SonSdl.h"
#include "sound/Son.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {
double latenceMs(SonSdl& son, int16_t id) {
    const auto t0 = std::chrono::steady_clock::now();
    JoueSon(id);
    while (son.premiereTrame() < t0)
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    return std::chrono::duration<double, std::milli>(son.premiereTrame() - t0).count();
}

void resume(const char* cas, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::printf("%-42s n=%-3zu min %6.2f  median %6.2f  max %6.2f ms\n", cas, v.size(), v.front(), v[v.size() / 2],
                v.back());
}
}  // namespace

int main(int argc, char** argv) {
    piloteParDefaut();
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 20;
    Plateforme p;
    std::vector<double> froid, tiedeDecodage, chaud;
    for (int i = 0; i < n; ++i) {
        SonSdl son;  // device closed, nothing decoded yet
        p.son = &son;
        InstallePlateforme(p);
        froid.push_back(latenceMs(son, 114));
        patiente(0.05);
        tiedeDecodage.push_back(latenceMs(son, 170));  // device open, clip not yet decoded
        patiente(0.05);
        chaud.push_back(latenceMs(son, 114));  // device open, clip decoded before
        patiente(0.05);
        InstallePlateforme(Plateforme{});
    }
    std::printf("driver %s\n", std::getenv("SDL_AUDIODRIVER"));
    resume("device closed, clip not decoded", froid);
    resume("device open, clip not decoded", tiedeDecodage);
    resume("device open, clip cached", chaud);
    return 0;
}
