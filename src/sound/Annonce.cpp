#include "sound/Annonce.h"

#include "state/Etat.h"
#include "sound/Son.h"

#include <QStringList>

namespace {
// Clip ids of the spoken words, before the voice offset.
constexpr int kHeures = 70;
constexpr int kMinutes = 71;
constexpr int kHeureZero = 99;
constexpr int16_t kCarillon = 85;

int enCours = 0;  // sequences under way: the chime's or the spoken time's pauses run events
struct EnCours {
    EnCours() { ++enCours; }
    ~EnCours() { --enCours; }
};
}  // namespace

bool AnnonceEnCours() { return enCours > 0; }

bool AnnonceDue(int16_t declenche, const QString& minute) {
    // Compared as text, as the tick writes them.
    static const QStringList minutes[] = {
        {QStringLiteral("00")},
        {QStringLiteral("00"), QStringLiteral("30")},
        {QStringLiteral("00"), QStringLiteral("15"), QStringLiteral("30"), QStringLiteral("45")},
        {QStringLiteral("00"), QStringLiteral("05"), QStringLiteral("10"), QStringLiteral("15"),
         QStringLiteral("20"), QStringLiteral("25"), QStringLiteral("30"), QStringLiteral("35"),
         QStringLiteral("40"), QStringLiteral("45"), QStringLiteral("50"), QStringLiteral("55")},
    };
    if (declenche < 0 || declenche > 3)
        return false;
    return minutes[declenche].contains(minute);
}

void AnnonceHeure() {
    const EnCours garde;
    const int voix = Etat.Genre * 100;
    int heure = Etat.HeureActuelle.toInt();
    if (heure == 0)
        heure = kHeureZero;  // "zéro heures"

    // A close that begins in a pause ends the announcement there.
    JoueSon(int16_t(voix + heure));
    Attente(1.2);
    if (Etat.FermetureEnCours)
        return;
    JoueSon(int16_t(voix + kHeures));
    Attente(0.8);
    if (Etat.FermetureEnCours || Etat.MinuteActuelle == QLatin1String("00"))
        return;
    JoueSon(int16_t(voix + Etat.MinuteActuelle.toInt()));
    Attente(1.2);
    if (Etat.FermetureEnCours)
        return;
    // The tick's own pause that follows lets this last clip finish.
    JoueSon(int16_t(voix + kMinutes));
}

void CarillonHeure() {
    const EnCours garde;
    JoueSon(kCarillon);
    Attente(0.5);
}
