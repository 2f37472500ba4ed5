// CPU time of one whole minute's speech (chime and announcement) on the real SDL output, from
// the closed device to the device closed again after it: first cold (sound system not started,
// nothing decoded), then warm (clips decoded before, device closed in between), as the running
// clock speaks every few minutes. Measure it through a real sound server with
// bench/annonce_pulse.py; alone it runs on SDL's dummy driver.
// Usage: bench_cpu_annonce [repetitions=3]
#include "Mesure.h"

#include "state/Etat.h"
#include "sound/Annonce.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {
void mesure(const char* quand, SonSdl& son, const char* hh, const char* mm, int genre) {
    Etat.HeureActuelle = int16_t(std::atoi(hh));
    Etat.MinuteActuelle = int16_t(std::atoi(mm));
    Etat.Genre = uint8_t(genre);
    const double mur0 = tempsMonotone(), cpu0 = tempsCpu();
    Etapes minute = Etat.MinuteActuelle == 0 ? CarillonHeure() : Etapes{};
    Ajoute(minute, AnnonceHeure());
    LanceSequence(std::move(minute));
    // The speech ends as its last clip starts, as the minute's work goes on from there.
    while (SequenceSonoreEnCours())
        patiente(0.01);
    const double cpu = tempsCpu() - cpu0, mur = tempsMonotone() - mur0;
    // The device plays on to the last clip's end, then idles until it closes: that is part of
    // what an announcement costs.
    while (son.peripheriqueOuvert())
        patiente(0.05);
    const double cpuFerme = tempsCpu() - cpu0, murFerme = tempsMonotone() - mur0;
    std::printf("%s %s:%s voice %d: speech %.2f s, CPU %5.1f ms; until the device closed %.2f s, CPU %5.1f ms\n", quand,
                hh, mm, genre, mur, cpu * 1e3, murFerme, cpuFerme * 1e3);
}
}  // namespace

int main(int argc, char** argv) {
    piloteParDefaut();
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 3;
    std::printf("driver %s\n", std::getenv("SDL_AUDIODRIVER"));
    HorlogeEtSonReels reels;
    SonSdl& son = reels.son;
    mesure("cold", son, "00", "00", 0);
    mesure("cold", son, "23", "55", 1);
    for (int i = 0; i < n; ++i) {
        mesure("warm", son, "00", "00", 0);
        mesure("warm", son, "23", "55", 1);
    }
    InstallePlateforme(Plateforme{});
    return 0;
}
