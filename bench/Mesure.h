#pragma once
// Shared by the benchmarks: process CPU time (all threads, the audio thread included), and the
// event loop run for a while, as the program's own runs between two sounds.

#include "platform/HorlogeReelle.h"
#include "platform/Plateforme.h"
#include "platform/SonSdl.h"

#include <QEventLoop>
#include <QTimer>

#include <cstdlib>
#include <ctime>

inline double tempsCpu() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

inline double tempsMonotone() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

inline void patiente(double secondes) {
    QEventLoop boucle;
    QTimer::singleShot(int(secondes * 1000), Qt::PreciseTimer, &boucle, &QEventLoop::quit);
    boucle.exec();
}

// Benchmarks run on SDL's dummy driver unless told otherwise (it paces like a real device).
inline void piloteParDefaut() { setenv("SDL_AUDIODRIVER", "dummy", 0); }

// The real clock and sound output installed, as the program runs them.
struct HorlogeEtSonReels {
    HorlogeReelle horloge;
    SonSdl son;
    HorlogeEtSonReels() {
        Plateforme p;
        p.horloge = &horloge;
        p.son = &son;
        InstallePlateforme(p);
    }
};
