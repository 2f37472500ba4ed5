// libFuzzer target over the settings text and the memo files, all in memory: decoding, encoding,
// key lookup, value writes and conversions, with what the program relies on never to lose a
// user's text. A settings fault ends in FinProgramme, caught here; no dialogue is installed.
#include "alarms/StockageAlarmes.h"
#include "settings/Couleur.h"
#include "settings/TexteIni.h"
#include "settings/ValeursIni.h"
#include "settings/Windows1252.h"
#include "state/Etat.h"
#include "state/FinProgramme.h"

#include <QLocale>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

#define EXIGE(c) ((c) ? void() : (std::fprintf(stderr, "invariant broken: %s\n", #c), std::abort()))

namespace {

const char* const kCles[] = {"couleur_fond", "QS_top", "Réduction", "QS_visible",
                             "déclenche_annonce", "Genre", "ALH1", "AL1", "ALEXE1", "image_fond"};
const QString kCRLF = QStringLiteral("\r\n");

// `avant` and `apres` differ inside one line only, after an "=" of that line.
void uneSeuleLigneChange(const QString& avant, const QString& apres) {
    qsizetype d = 0, f = 0;
    while (d < avant.size() && d < apres.size() && avant[d] == apres[d])
        ++d;
    while (f < avant.size() - d && f < apres.size() - d && avant.rbegin()[f] == apres.rbegin()[f])
        ++f;
    const QString change = avant.mid(d, avant.size() - d - f) + apres.mid(d, apres.size() - d - f);
    EXIGE(!change.contains(u'\r') && !change.contains(u'\n'));
    const qsizetype ligne = std::max(avant.lastIndexOf(u'\r', d - 1), avant.lastIndexOf(u'\n', d - 1));
    EXIGE(avant == apres || avant.lastIndexOf(u'=', d - 1) > ligne);
}

// ValeurIni's answer for a value just written.
QString relu(QString v) {
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    return v == u"True" || v == u"Vrai" ? QStringLiteral("-1")
           : v == u"False" || v == u"Faux" ? QStringLiteral("0") : v;
}

void reglages(const QString& texte, bool utf8, const QString& cle, const QString& valeur,
              int32_t nombre, float reel) {
    Etat.TexteIni = TexteIniLu(texte);
    try {
        ValeurIni(cle);
        for (auto lit : {+[](const QString& c) { LitSimple(c); }, +[](const QString& c) { LitBooleen(c); },
                         +[](const QString& c) { LitCouleur(c); }})
            try { lit(cle); } catch (const FinProgramme&) {}
        const QString avant = Etat.TexteIni;
        EcritINI(cle, valeur);
        uneSeuleLigneChange(avant, Etat.TexteIni);
        EXIGE(ValeurIni(cle) == relu(valeur));
        EcritINI(cle, nombre);
        EXIGE(LitEntier32(cle) == nombre);
        EcritINI(cle, nombre % 2 == 0);
        EXIGE(LitBooleen(cle) == (nombre % 2 == 0));
        if (std::isfinite(reel)) {  // seven significant digits, then the same text again
            EcritINI(cle, double(reel));
            const double lu = LitSimple(cle);
            EXIGE(std::fabs(lu - reel) <= std::fabs(reel) * 6e-7 + FLT_TRUE_MIN);
            const QString ecrit = ValeurIni(cle);
            EcritINI(cle, lu);
            EXIGE(ValeurIni(cle) == ecrit);
        }
        // Saved and read again: the same value, and the next save writes the same bytes.
        EcritINI(cle, valeur);
        const QByteArray fichier = EncodeFichierTexte(TexteIniAEcrire(Etat.TexteIni), utf8);
        Etat.TexteIni = TexteIniLu(DecodeFichierTexte(fichier, &utf8));
        EXIGE(ValeurIni(cle) == relu(valeur));
        EXIGE(EncodeFichierTexte(TexteIniAEcrire(Etat.TexteIni), utf8) == fichier);
    } catch (const FinProgramme&) {
    }
}

// Read, written at a close, read and written again: the second close writes the same bytes.
void memo(QString m, bool utf8) {
    PrepareMemo(m);
    const QByteArray fichier = EncodeFichierTexte(m + kCRLF, utf8);
    QString relu = DecodeFichierTexte(fichier, &utf8);
    EXIGE(relu == m + kCRLF);
    PrepareMemo(relu);
    EXIGE(EncodeFichierTexte(relu + kCRLF, utf8) == fichier);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QLocale francais(QLocale::French, QLocale::France);
    FuzzedDataProvider fdp(data, size);
    const auto choix = fdp.ConsumeIntegral<uint8_t>();
    const auto nombre = fdp.ConsumeIntegral<int32_t>();
    const auto reel = fdp.ConsumeFloatingPoint<float>();
    const std::string fichier = fdp.ConsumeBytesAsString(fdp.ConsumeIntegralInRange<size_t>(0, size));
    const std::string cle = fdp.ConsumeRandomLengthString(12);
    const std::string valeur = fdp.ConsumeRemainingBytesAsString();
    QLocale::setDefault(choix & 1 ? francais : QLocale::c());

    const QByteArray octets = QByteArray::fromStdString(fichier);
    bool utf8 = false;
    const QString texte = DecodeFichierTexte(octets, &utf8);
    EXIGE(EncodeFichierTexte(texte, utf8) == octets);
    memo(texte, utf8);
    reglages(texte, utf8, choix & 2 ? QString::fromUtf8(cle) : QString::fromUtf8(kCles[(choix >> 2) % 10]),
             DepuisWindows1252(QByteArray::fromStdString(valeur)), nombre, reel);
    return 0;
}
