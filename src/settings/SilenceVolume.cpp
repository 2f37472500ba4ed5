#include "settings/SilenceVolume.h"

#include "settings/FichierTexte.h"
#include "settings/TexteIni.h"
#include "settings/ValeursIni.h"
#include "state/Etat.h"

namespace {
const QString kActif = QStringLiteral("silence_actif"), kDebut = QStringLiteral("silence_debut"),
              kFin = QStringLiteral("silence_fin"), kVolume = QStringLiteral("volume");

template <class T, class Conversion>
T lit(const QString& texte, const QString& cle, T defaut, Conversion convertit) {
    const std::optional<QString> valeur = ValeurFacultative(texte, cle);
    if (!valeur)
        return defaut;
    const auto v = convertit(*valeur);
    return v ? T(*v) : defaut;
}
}  // namespace

std::optional<int16_t> ConvertitVolume(const QString& texte) {
    const auto v = ConvertitEntier(texte, 0, 100);
    if (!v)
        return std::nullopt;
    return int16_t((*v + 2) / 5 * 5);
}

void LitSilenceEtVolume() {
    const EtatProgramme defauts;
    const QString& t = Etat.TexteIni;
    Etat.Silence.actif = lit(t, kActif, defauts.Silence.actif, ConvertitBooleen);
    Etat.Silence.debut = lit(t, kDebut, defauts.Silence.debut, ConvertitHeureMinute);
    Etat.Silence.fin = lit(t, kFin, defauts.Silence.fin, ConvertitHeureMinute);
    Etat.Volume = lit(t, kVolume, defauts.Volume, ConvertitVolume);
}

void EcritSilenceEtVolume() {
    EcritINIFacultative(kActif, TexteBooleen(Etat.Silence.actif));
    EcritINIFacultative(kDebut, TexteHeureMinute(Etat.Silence.debut));
    EcritINIFacultative(kFin, TexteHeureMinute(Etat.Silence.fin));
    EcritINIFacultative(kVolume, QString::number(Etat.Volume));
}

int16_t VolumeDuFichier() {
    const LectureTexte lu = LitFichierTexte(CheminIni());
    return lit(TexteIniLu(lu.texte), kVolume, EtatProgramme{}.Volume, ConvertitVolume);
}
