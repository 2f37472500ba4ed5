#include "sound/Silence.h"

#include "platform/Plateforme.h"
#include "sound/Annonce.h"

bool EnSilence(const HeuresSilence& s, int minuteDuJour) {
    if (!s.actif || s.debut == s.fin)
        return false;
    if (s.debut < s.fin)
        return minuteDuJour >= s.debut && minuteDuJour < s.fin;
    return minuteDuJour >= s.debut || minuteDuJour < s.fin;  // across midnight
}

bool BureauEnSilence() {
    NePasDeranger* n = PF().nePasDeranger;
    return Etat.NePasDeranger && n && n->actif();
}

SonsMinute SonsDeLaMinute(int16_t declenche, int heure, int minute, const HeuresSilence& silence) {
    if (EnSilence(silence, heure * 60 + minute) || BureauEnSilence())
        return {};
    return {minute == 0, AnnonceDue(declenche, minute)};
}
