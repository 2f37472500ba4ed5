#include "sound/Annonce.h"

#include "state/Etat.h"

#include <QStringList>

namespace {
// Clip ids of the spoken words, before the voice offset.
constexpr int kHeures = 70;
constexpr int kMinutes = 71;
constexpr int kHeureZero = 99;
constexpr int16_t kCarillon = 85;
}  // namespace

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

std::vector<PasParole> SequenceHeure(uint8_t genre, const QString& heure, const QString& minute) {
    const int voix = genre * 100;
    int h = heure.toInt();
    if (h == 0)
        h = kHeureZero;  // "zéro heures"
    std::vector<PasParole> pas{{int16_t(voix + h), 1.2}, {int16_t(voix + kHeures), 0.8}};
    if (minute != QLatin1String("00"))
        pas.insert(pas.end(), {{int16_t(voix + minute.toInt()), 1.2}, {int16_t(voix + kMinutes), 0}});
    return pas;
}

Etapes EtapesHeure(uint8_t genre, const QString& heure, const QString& minute) {
    Etapes pas;
    for (const PasParole& p : SequenceHeure(genre, heure, minute))
        pas.push_back(Clip(p.clip, p.pause));
    return pas;
}

// The tick's own pause that follows lets the last clip finish.
Etapes AnnonceHeure() { return Sonore(EtapesHeure(Etat.Genre, Etat.HeureActuelle, Etat.MinuteActuelle)); }

Etapes CarillonHeure() { return Sonore({Clip(kCarillon, 0.5)}); }
