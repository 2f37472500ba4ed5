// CPU time spent while a sequence pauses: a pause is one timer on the real clock, and the program
// sleeps until it fires.  Usage: bench_cpu_pause [seconds=60]
#include "Mesure.h"

#include "platform/HorlogeReelle.h"
#include "platform/Plateforme.h"
#include "sound/Sequenceur.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double secondes = argc > 1 ? std::atof(argv[1]) : 60.0;
    HorlogeReelle horloge;
    Plateforme p;
    p.horloge = &horloge;
    InstallePlateforme(p);
    const double mur0 = tempsMonotone(), cpu0 = tempsCpu();
    LanceSequence({Pause(secondes), Agit([] { QCoreApplication::quit(); })});
    app.exec();
    const double cpu = tempsCpu() - cpu0, mur = tempsMonotone() - mur0;
    std::printf("pause of %g s: wall %.4f s, CPU %.3f ms (%.4f %%)\n", secondes, mur, cpu * 1e3, 100 * cpu / mur);
    InstallePlateforme(Plateforme{});
    return 0;
}
