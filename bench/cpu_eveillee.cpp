// CPU time of a planned sound on the real SDL output, with the output readied a second ahead (it
// opens, plays silence, plays the chime and the announcement, then closes after its idle time)
// and with it kept awake ("Garder la sortie son éveillée": open all the time), over the same
// wall time: a whole minute from second 59, as the clock spends it when it speaks every minute;
// kept awake, the rest of each minute costs its share too. Measure it through a real sound server
// with bench/annonce_pulse.py; alone it runs on SDL's dummy driver.
// Usage: bench_cpu_eveillee [minutes=2]
#include "Mesure.h"

#include "platform/HorlogeReelle.h"
#include "platform/Plateforme.h"
#include "platform/SonSdl.h"
#include "sound/Annonce.h"
#include "sound/Son.h"
#include "state/Etat.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {
// One minute from second 59: the output readied, a second later the chime and 14:00, then the
// rest of the minute. Returns the CPU time (s) and, in *parole, that of the first 8 seconds.
double minute(double* parole) {
    const double mur0 = tempsMonotone(), cpu0 = tempsCpu();
    PrepareSon();
    patiente(1.0);
    Etat.HeureActuelle = 14;
    Etat.MinuteActuelle = 0;
    Etapes pas = CarillonHeure();
    Ajoute(pas, AnnonceHeure());
    LanceSequence(std::move(pas));
    patiente(8.0 - (tempsMonotone() - mur0));
    *parole = tempsCpu() - cpu0;
    patiente(60.0 - (tempsMonotone() - mur0));
    return tempsCpu() - cpu0;
}
}  // namespace

int main(int argc, char** argv) {
    piloteParDefaut();
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 2;
    std::printf("driver %s\n", std::getenv("SDL_AUDIODRIVER"));
    HorlogeReelle horloge;
    SonSdl son;
    Plateforme p;
    p.horloge = &horloge;
    p.son = &son;
    InstallePlateforme(p);
    double parole = 0;
    minute(&parole);  // the sound system started and the clips decoded, as in a running clock
    for (bool eveillee : {false, true, false, true}) {
        son.gardeEveillee(eveillee);
        patiente(3.0);  // opened, or closed after its idle time
        for (int i = 0; i < n; ++i) {
            const double total = minute(&parole);
            std::printf("%-13s planned sound (8 s from second 59) CPU %6.1f ms; whole minute %6.1f ms\n",
                        eveillee ? "kept awake:" : "readied 1 s:", parole * 1e3, total * 1e3);
        }
    }
    InstallePlateforme(Plateforme{});
    return 0;
}
