// CPU time of one whole minute's speech (chime and announcement), decoding included, on the
// real SDL output with a cold cache and a closed device.
// Usage: bench_cpu_annonce [hh mm genre]   (default 00 00 0, then 23 55 1)
#include "Mesure.h"

#include "state/Etat.h"
#include "platform/HorlogeReelle.h"
#include "platform/Plateforme.h"
#include "platform/SonSdl.h"
#include "sound/Annonce.h"

#include <QCoreApplication>

#include <cstdio>

namespace {
void mesure(const char* hh, const char* mm, int genre) {
    HorlogeReelle horloge;
    SonSdl son;
    Plateforme p;
    p.horloge = &horloge;
    p.son = &son;
    InstallePlateforme(p);
    Etat.HeureActuelle = QString::fromLatin1(hh);
    Etat.MinuteActuelle = QString::fromLatin1(mm);
    Etat.Genre = uint8_t(genre);
    const double mur0 = tempsMonotone(), cpu0 = tempsCpu();
    if (Etat.MinuteActuelle == QLatin1String("00"))
        CarillonHeure();
    AnnonceHeure();
    const double cpu = tempsCpu() - cpu0, mur = tempsMonotone() - mur0;
    std::printf("%s:%s voice %d: wall %.3f s, CPU %.2f ms\n", hh, mm, genre, mur, cpu * 1e3);
    InstallePlateforme(Plateforme{});
}
}  // namespace

int main(int argc, char** argv) {
    piloteParDefaut();
    QCoreApplication app(argc, argv);
    std::printf("driver %s\n", std::getenv("SDL_AUDIODRIVER"));
    if (argc > 3) {
        mesure(argv[1], argv[2], std::atoi(argv[3]));
        return 0;
    }
    mesure("00", "00", 0);
    mesure("23", "55", 1);
    mesure("09", "05", 0);
    return 0;
}
