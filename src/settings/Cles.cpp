#include "settings/Cles.h"

#include "settings/Couleur.h"
#include "settings/LitValeurs.h"
#include "settings/SilenceVolume.h"
#include "settings/ValeursIni.h"

namespace {

template <class T, int64_t Min, int64_t Max>
std::optional<T> entier(const QString& texte) {
    const auto v = ConvertitEntier(texte, Min, Max);
    return v ? std::optional<T>(T(*v)) : std::nullopt;
}

template <class T>
QString nombre(const T& valeur) {
    return QString::number(int64_t{valeur});
}

QString brut(const QString& texte) { return texte; }
std::optional<QString> brutConverti(const QString& texte) { return texte; }

// The value of a key every file has, converted with `convertit`; `attendu` says what it must be.
template <class T>
T litConverti(const QString& cle, std::optional<T> (*convertit)(const QString&), const QString& attendu) {
    const QString valeur = ValeurIni(cle);
    const std::optional<T> v = convertit(valeur);
    if (!v)
        ErreurConversion(cle, valeur, attendu);
    return *v;
}

std::optional<int16_t> heureMinute(const QString& texte) {
    const auto v = ConvertitHeureMinute(texte);
    return v ? std::optional<int16_t>(int16_t(*v)) : std::nullopt;
}

std::optional<QColor> couleur(const QString& texte) {
    const auto v = ConvertitEntier(texte, 0, 0xFFFFFF);
    return v ? std::optional<QColor>(CouleurDepuisNombre(int32_t(*v))) : std::nullopt;
}

std::optional<uint8_t> jours(const QString& texte) {
    if (texte.size() != 7)
        return std::nullopt;
    uint8_t masque = 0;
    for (int j = 0; j < 7; ++j) {
        if (texte[j] != u'0' && texte[j] != u'1')
            return std::nullopt;
        masque |= uint8_t((texte[j] == u'1') << j);
    }
    return masque;
}

QString texteJours(const uint8_t& masque) {
    QString t;
    for (int j = 0; j < 7; ++j)
        t += masque & (1 << j) ? u'1' : u'0';
    return t;
}

// Empty is a value of its own: no date.
std::optional<QDate> date(const QString& texte) {
    if (texte.isEmpty())
        return QDate();
    const QDate d = QDate::fromString(texte, QStringLiteral("yyyy-MM-dd"));
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

}  // namespace

namespace Sortes {
const Sorte<int16_t> Entier16 = {LitEntier16, entier<int16_t, INT16_MIN, INT16_MAX>, nombre<int16_t>};
const Sorte<uint8_t> Octet = {LitOctet, entier<uint8_t, 0, 255>, nombre<uint8_t>};
const Sorte<bool> Booleen = {LitBooleen, ConvertitBooleen, [](const bool& v) { return TexteBooleen(v); }};
const Sorte<bool> BooleenEnChiffre = {LitBooleen, ConvertitBooleen,
                                      [](const bool& v) { return QString::number(v ? 1 : 0); }};
const Sorte<double> Simple = {LitSimple, ConvertitSimple, [](const double& v) { return TexteSimple(v); }};
const Sorte<QColor> Couleur = {LitCouleur, couleur,
                               [](const QColor& c) { return QString::number(NombreDepuisCouleur(c)); }};
const Sorte<QString> Texte = {ValeurIniTexte, brutConverti, brut};
const Sorte<int16_t> HeureMinute = {
    [](const QString& cle) { return litConverti(cle, heureMinute, QStringLiteral("une heure de 00:00 à 23:59")); },
    heureMinute, [](const int16_t& v) { return TexteHeureMinute(v); }};
const Sorte<int16_t> Volume = {
    [](const QString& cle) { return litConverti(cle, ConvertitVolume, QStringLiteral("un nombre entier de 0 à 100")); },
    ConvertitVolume, nombre<int16_t>};
const Sorte<uint8_t> Jours = {
    [](const QString& cle) { return litConverti(cle, jours, QStringLiteral("sept chiffres 1 ou 0, lundi d'abord")); },
    jours, texteJours};
const Sorte<QDate> Date = {
    [](const QString& cle) { return litConverti(cle, date, QStringLiteral("une date aaaa-mm-jj ou rien")); }, date,
    [](const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString(); }};
const Sorte<int16_t> RepeteMn = {
    [](const QString& cle) { return litConverti(cle, entier<int16_t, 1, 60>, QStringLiteral("un nombre de 1 à 60")); },
    entier<int16_t, 1, 60>, nombre<int16_t>};
const Sorte<int16_t> SonneMn = {
    [](const QString& cle) { return litConverti(cle, entier<int16_t, 0, 30>, QStringLiteral("un nombre de 0 à 30")); },
    entier<int16_t, 0, 30>, nombre<int16_t>};
const Sorte<int32_t> Secondes = {[](const QString& cle) {
                                     return litConverti(cle, entier<int32_t, 1, 86399>,
                                                        QStringLiteral("un nombre de secondes de 1 à 86399"));
                                 },
                                 entier<int32_t, 1, 86399>, nombre<int32_t>};
}  // namespace Sortes

void LitCles(const std::vector<Cle>& cles) {
    for (const Cle& c : cles)
        c.lit();
}

void EcritCles(const std::vector<Cle>& cles) {
    for (const Cle& c : cles)
        c.ecrit();
}
