// libFuzzer target over the settings text and the memo files, all in memory: decoding, encoding,
// key lookup, value writes and conversions, with what the program relies on never to lose a
// user's text. A settings fault ends in FinProgramme, caught here; no dialogue is installed.
#include "alarms/StockageAlarmes.h"
#include "settings/TexteIni.h"
#include "settings/ValeursIni.h"
#include "settings/Windows1252.h"
#include "state/Etat.h"
#include "state/FinProgramme.h"

#include <QLocale>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

#define EXIGE(c) ((c) ? void() : (std::fprintf(stderr, "invariant broken: %s\n", #c), std::abort()))

namespace {

// `avant` and `apres` differ on one line at most, and not before that line's first "=".
void uneSeuleLigneChange(const QString& avant, const QString& apres) {
    const QStringList a = avant.split(u'\n'), b = apres.split(u'\n');
    EXIGE(a.size() == b.size());
    for (qsizetype i = 0, n = 0; i < a.size(); ++i)  // n: lines changed
        EXIGE(a[i] == b[i] || (++n == 1 && a[i].section(u'=', 0, 0) == b[i].section(u'=', 0, 0)));
}

void reglages(bool utf8, const QString& cle, QString valeur, int32_t nombre, float reel) {
    try {
        ConvertitEntier(ValeurIni(cle), INT32_MIN, INT32_MAX);  // converted or refused, no crash
        ConvertitBooleen(ValeurIni(cle));
        const QString avant = Etat.TexteIni;
        EcritINI(cle, valeur);
        uneSeuleLigneChange(avant, Etat.TexteIni);
        valeur.replace(u'\r', u' ').replace(u'\n', u' ');  // a value never splits its line
        const bool mot = QStringList{"True", "Vrai", "False", "Faux"}.contains(valeur);
        EXIGE(mot || ValeurIni(cle) == valeur);
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
        EXIGE(mot || ValeurIni(cle) == valeur);
        EXIGE(EncodeFichierTexte(TexteIniAEcrire(Etat.TexteIni), utf8) == fichier);
    } catch (const FinProgramme&) {
    }
}

// A key added after files were in use: written, it reads back, and writing it again changes
// nothing (a broken or missing line never becomes a second one at each close).
void facultative(const QString& cle, QString valeur) {
    if (Etat.TexteIni.isEmpty() || cle.isEmpty() ||
        std::any_of(cle.begin(), cle.end(), [](QChar c) { return c.isSpace() || c == u'='; }))
        return;
    EcritINIFacultative(cle, valeur);
    const QString ecrit = Etat.TexteIni;
    valeur.replace(u'\r', u' ').replace(u'\n', u' ');
    EXIGE(ValeurFacultative(ecrit, cle) == valeur);
    EcritINIFacultative(cle, valeur);
    EXIGE(Etat.TexteIni == ecrit);
}

// Read, written at a close, read and written again: the second close writes the same bytes.
void memo(QString m, bool utf8) {
    PrepareMemo(m);
    m += QStringLiteral("\r\n");  // the file holds the memo and one CR LF
    const QByteArray fichier = EncodeFichierTexte(m, utf8);
    QString relu = DecodeFichierTexte(fichier, &utf8);
    EXIGE(relu == m);
    PrepareMemo(relu);
    EXIGE(EncodeFichierTexte(relu + m.right(2), utf8) == fichier);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider fdp(data, size);
    const auto choix = fdp.ConsumeIntegral<uint8_t>();
    const auto nombre = fdp.ConsumeIntegral<int32_t>();
    const auto reel = fdp.ConsumeFloatingPoint<float>();
    const auto fichier = fdp.ConsumeBytesAsString(fdp.ConsumeIntegralInRange<size_t>(0, size));
    const std::string valeur = fdp.ConsumeRemainingBytesAsString();
    QLocale::setDefault(choix & 0x80 ? QLocale(QLocale::French, QLocale::France) : QLocale::c());

    const QByteArray octets = QByteArray::fromStdString(fichier);
    bool utf8 = false;
    const QString texte = DecodeFichierTexte(octets, &utf8);
    EXIGE(EncodeFichierTexte(texte, utf8) == octets);
    memo(texte, utf8);
    Etat.TexteIni = TexteIniLu(texte);
    // The key: what one line has before its "=", or the first few characters of that line.
    const QString ligne = texte.split(u'\n')[choix % (texte.count(u'\n') + 1)];
    const QString cle = (choix & 0x40 ? ligne.left(choix % 7) : ligne.section(u'=', 0, 0)).trimmed();
    reglages(utf8, cle, DepuisWindows1252(QByteArray::fromStdString(valeur)), nombre, reel);
    facultative(cle, DepuisWindows1252(QByteArray::fromStdString(valeur)));
    return 0;
}
