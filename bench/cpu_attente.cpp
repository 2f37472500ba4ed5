// CPU time spent by Attente over a long wait.  Usage: bench_cpu_attente [seconds=60]
#include "Mesure.h"

#include "platform/HorlogeReelle.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double secondes = argc > 1 ? std::atof(argv[1]) : 60.0;
    HorlogeReelle horloge;
    const double mur0 = tempsMonotone(), cpu0 = tempsCpu();
    horloge.attendre(secondes);
    const double cpu = tempsCpu() - cpu0, mur = tempsMonotone() - mur0;
    std::printf("Attente(%g): wall %.4f s, CPU %.3f ms (%.4f %%)\n", secondes, mur, cpu * 1e3,
                100 * cpu / mur);
    return 0;
}
