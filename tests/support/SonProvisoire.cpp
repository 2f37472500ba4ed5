// Stand-in for the sound module, compiled into the tests only while src/sound/Son.cpp is absent,
// so the clock and alarm tests link on their own. It plays and waits through the platform doubles
// exactly as the real module does.
#include "app/Etat.h"
#include "platform/Plateforme.h"
#include "sound/Annonce.h"
#include "sound/Clips.h"
#include "sound/Son.h"

#include <QCoreApplication>

namespace {
QByteArray tampon;
}

void JoueSon(int16_t id) {
    tampon = DonneesClip(id);
    PF().son->joueDonnees(tampon);
    QCoreApplication::processEvents();
}

void JoueFichierSon(const QString& chemin) { PF().son->joueFichier(chemin); }
void ArreteSon() { PF().son->arrete(); }
void Attente(double secondes) { PF().horloge->attendre(secondes); }
const QByteArray& TamponSon() { return tampon; }

bool AnnonceDue(int16_t declenche, const QString& minute) {
    static const QStringList minutes[] = {
        {"00"},
        {"00", "30"},
        {"00", "15", "30", "45"},
        {"00", "05", "10", "15", "20", "25", "30", "35", "40", "45", "50", "55"},
    };
    return declenche >= 0 && declenche <= 3 && minutes[declenche].contains(minute);
}

void AnnonceHeure() {
    const int voix = Etat.Genre * 100;
    int h = Etat.HeureActuelle.toInt();
    if (h == 0)
        h = 99;
    JoueSon(int16_t(voix + h));
    Attente(1.2);
    JoueSon(int16_t(voix + 70));
    Attente(0.8);
    if (Etat.MinuteActuelle == QLatin1String("00"))
        return;
    JoueSon(int16_t(voix + Etat.MinuteActuelle.toInt()));
    Attente(1.2);
    JoueSon(int16_t(voix + 71));
}

void CarillonHeure() {
    JoueSon(85);
    Attente(0.5);
}
