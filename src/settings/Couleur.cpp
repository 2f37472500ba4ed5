#include "settings/Couleur.h"

#include "settings/LitValeurs.h"
#include "settings/TexteIni.h"
#include "settings/ValeursIni.h"

QColor CouleurDepuisNombre(int32_t rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

int32_t NombreDepuisCouleur(const QColor& c) {
    const QColor rvb = c.toRgb();
    return rvb.red() + 256 * rvb.green() + 65536 * rvb.blue();
}

QColor LitCouleur(const QString& cle) {
    const QString valeur = ValeurIni(cle);
    const auto v = ConvertitEntier(valeur, 0, 0xFFFFFF);
    if (!v)
        ErreurConversion(cle, valeur,
                         QStringLiteral("une couleur : un nombre entier de 0 à 16777215 "
                                        "(rouge + 256 × vert + 65536 × bleu)"));
    return CouleurDepuisNombre(static_cast<int32_t>(*v));
}
