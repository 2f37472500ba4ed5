// Typed reads and writes of settings values, on top of ValeurIni / EcritINI.
#include "settings/LitValeurs.h"

#include "settings/ErreurFatale.h"
#include "settings/TexteIni.h"
#include "settings/ValeursIni.h"

namespace {

int64_t litEntier(const QString& cle, int64_t min, int64_t max) {
    const QString valeur = ValeurIni(cle);
    const auto v = ConvertitEntier(valeur, min, max);
    if (!v)
        ErreurConversion(cle, valeur, QStringLiteral("un nombre entier de %1 à %2").arg(min).arg(max));
    return *v;
}

}  // namespace

void ErreurConversion(const QString& cle, const QString& valeur, const QString& attendu) {
    const QString chemin = CheminIni();
    ErreurFatale(TitreErreurFichier(chemin), QStringLiteral("Dans le fichier « %1 », le paramètre %2 vaut « %3 », "
                                                            "alors qu'il faut %4.")
                                                 .arg(chemin, cle, valeur, attendu));
}

int32_t LitEntier32(const QString& cle) { return static_cast<int32_t>(litEntier(cle, INT32_MIN, INT32_MAX)); }

int16_t LitEntier16(const QString& cle) { return static_cast<int16_t>(litEntier(cle, INT16_MIN, INT16_MAX)); }

uint8_t LitOctet(const QString& cle) { return static_cast<uint8_t>(litEntier(cle, 0, 255)); }

double LitSimple(const QString& cle) {
    const QString valeur = ValeurIni(cle);
    const auto v = ConvertitSimple(valeur);
    if (!v)
        ErreurConversion(cle, valeur,
                         QStringLiteral("un nombre décimal (séparateur décimal « %1 »)").arg(SeparateurDecimal()));
    return *v;
}

bool LitBooleen(const QString& cle) {
    const QString valeur = ValeurIni(cle);
    const auto v = ConvertitBooleen(valeur);
    if (!v)
        ErreurConversion(cle, valeur, QStringLiteral("Vrai, Faux, True, False ou un nombre"));
    return *v;
}

void EcritINI(const QString& cle, int32_t valeur) { EcritINI(cle, QString::number(valeur)); }

void EcritINI(const QString& cle, bool valeur) { EcritINI(cle, TexteBooleen(valeur)); }

void EcritINI(const QString& cle, double valeur) { EcritINI(cle, TexteSimple(valeur)); }
