#include "sound/Silence.h"

#include "sound/Annonce.h"

bool EnSilence(const HeuresSilence& s, int minuteDuJour) {
    if (!s.actif || s.debut == s.fin)
        return false;
    if (s.debut < s.fin)
        return minuteDuJour >= s.debut && minuteDuJour < s.fin;
    return minuteDuJour >= s.debut || minuteDuJour < s.fin;  // across midnight
}

SonsMinute SonsDeLaMinute(int16_t declenche, const QString& heure, const QString& minute,
                          const HeuresSilence& silence) {
    if (EnSilence(silence, heure.toInt() * 60 + minute.toInt()))
        return {};
    return {minute == QLatin1String("00"), AnnonceDue(declenche, minute)};
}
