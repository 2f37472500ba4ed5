#include "settings/SilenceVolume.h"

#include "settings/FichierTexte.h"
#include "settings/Reglages.h"
#include "settings/TexteIni.h"
#include "settings/ValeursIni.h"
#include "state/Etat.h"

std::optional<int16_t> ConvertitVolume(const QString& texte) {
    const auto v = ConvertitEntier(texte, 0, 100);
    if (!v)
        return std::nullopt;
    return int16_t((*v + 2) / 5 * 5);
}

int16_t VolumeDuFichier() {
    const LectureTexte lu = LitFichierTexte(CheminIni());
    const std::optional<QString> valeur = ValeurFacultative(TexteIniLu(lu.texte), CleVolume);
    const std::optional<int16_t> volume = valeur ? ConvertitVolume(*valeur) : std::nullopt;
    return volume.value_or(EtatProgramme{}.Volume);
}
