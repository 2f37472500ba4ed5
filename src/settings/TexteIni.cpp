#include "settings/TexteIni.h"

#include "state/Etat.h"
#include "settings/ErreurFatale.h"
#include "settings/FichierTexte.h"

namespace {

const QString kCRLF = QStringLiteral("\r\n");

bool estBlanc(QChar c) { return c == u' ' || c == u'\t'; }
bool estFinDeLigne(QChar c) { return c == u'\r' || c == u'\n'; }

struct Valeur {
    qsizetype egal;  // position of the "=" (0-based)
    qsizetype cr;    // position of the CR that ends the value
};

// Where a key stands in the text: its line (from its first character to just past its line end)
// and, when that line is whole, its "=" and the CR that ends the value.
struct Place {
    enum class Etat { Absente, SansSeparateur, Trouvee } etat = Etat::Absente;
    qsizetype debutLigne = 0, finLigne = 0;
    Valeur valeur{0, 0};
};

// The first line that starts with `cle` (after blanks, any letter case) followed by a blank, "="
// or the line's end decides: it must go on with optional blanks, "=", the value and a CR. A key
// name inside a value or at the start of another name ("Genre.old") is never taken for the key.
Place placeCle(const QString& texte, const QString& cle) {
    const qsizetype n = texte.size();
    qsizetype debut = 0;
    while (debut <= n) {
        qsizetype i = debut;
        while (i < n && estBlanc(texte[i]))
            ++i;
        const qsizetype apres = i + cle.size();
        if (!cle.isEmpty() && apres <= n &&
            QStringView(texte).mid(i, cle.size()).compare(cle, Qt::CaseInsensitive) == 0 &&
            (apres == n || estBlanc(texte[apres]) || estFinDeLigne(texte[apres]) || texte[apres] == u'=')) {
            qsizetype fin = apres;
            while (fin < n && !estFinDeLigne(texte[fin]))
                ++fin;
            const qsizetype finLigne =
                fin + (fin < n) + (fin + 1 < n && texte[fin] == u'\r' && texte[fin + 1] == u'\n');
            qsizetype j = apres;
            while (j < n && estBlanc(texte[j]))
                ++j;
            // A value must end with CR; a bare LF line end leaves the separator unproven.
            if (j >= n || texte[j] != u'=' || fin >= n || texte[fin] != u'\r')
                return {Place::Etat::SansSeparateur, debut, finLigne};
            return {Place::Etat::Trouvee, debut, finLigne, {j, fin}};
        }
        // Next line: after the next CR or LF.
        while (i < n && !estFinDeLigne(texte[i]))
            ++i;
        if (i >= n)
            break;
        debut = i + 1;
    }
    return {};
}

Valeur chercheCle(const QString& texte, const QString& cle) {
    const Place p = placeCle(texte, cle);
    if (p.etat == Place::Etat::Absente)
        ErreurINI(cle);
    if (p.etat == Place::Etat::SansSeparateur)
        ErreurINI(QStringLiteral(" = "));
    return p.valeur;
}

// A line break inside a value would cut it and start a line of its own in the file.
QString surUneLigne(const QString& valeur) {
    QString propre = valeur;
    return propre.replace(u'\r', u' ').replace(u'\n', u' ');
}

}  // namespace

QString CheminIni() { return Etat.CheminAppli + QStringLiteral("/QS32.ini"); }

void ChargeTexteIni() {
    const QString chemin = CheminIni();
    const LectureTexte lu = LitFichierTexte(chemin);
    const QString titre = TitreErreurFichier(chemin);
    if (lu.etat == LectureTexte::Etat::Absent)
        ErreurFatale(titre, QStringLiteral("Le fichier de paramètres « %1 » est introuvable. "
                                           "Réinstallez-le avec le programme.")
                                .arg(chemin));
    if (lu.etat == LectureTexte::Etat::Illisible)
        ErreurFatale(
            titre, QStringLiteral("Le fichier de paramètres « %1 » ne peut pas être lu : %2.").arg(chemin, lu.raison));
    if (lu.texte.isEmpty())
        ErreurFatale(titre, QStringLiteral("Le fichier de paramètres « %1 » est vide.").arg(chemin));
    Etat.TexteIni = TexteIniLu(lu.texte);
    Etat.IniEnUtf8 = lu.utf8;
}

QString TexteIniLu(const QString& texte) {
    return !texte.isEmpty() && texte.back().unicode() > 13 ? texte + kCRLF : texte;
}

QString TexteIniAEcrire(const QString& texte) {
    QString t = texte;
    // Only a real line end is taken off, so no character of the last line is ever lost.
    if (t.endsWith(kCRLF))
        t.chop(2);
    else if (t.endsWith(u'\n'))
        t.chop(1);
    return t + kCRLF;
}

QString EnregistreTexteIni() {
    if (Etat.TexteIni.isEmpty())
        return QStringLiteral(
                   "Le fichier « %1 » n'a pas été enregistré : les paramètres n'avaient "
                   "pas été lus.")
            .arg(CheminIni());
    return EcritFichierTexte(CheminIni(), TexteIniAEcrire(Etat.TexteIni), Etat.IniEnUtf8);
}

QString ValeurIniTexte(const QString& cle) {
    const Valeur v = chercheCle(Etat.TexteIni, cle);
    return Etat.TexteIni.mid(v.egal + 1, v.cr - v.egal - 1);
}

QString ValeurIni(const QString& cle) {
    const QString valeur = ValeurIniTexte(cle);
    if (valeur == u"True" || valeur == u"Vrai")
        return QStringLiteral("-1");
    if (valeur == u"False" || valeur == u"Faux")
        return QStringLiteral("0");
    return valeur;
}

void EcritINI(const QString& cle, const QString& valeur) {
    const Valeur v = chercheCle(Etat.TexteIni, cle);
    Etat.TexteIni = Etat.TexteIni.left(v.egal + 1) + surUneLigne(valeur) + Etat.TexteIni.mid(v.cr);
}

std::optional<QString> ValeurFacultative(const QString& texte, const QString& cle) {
    const Place p = placeCle(texte, cle);
    if (p.etat != Place::Etat::Trouvee)
        return std::nullopt;
    return texte.mid(p.valeur.egal + 1, p.valeur.cr - p.valeur.egal - 1);
}

void EcritINIFacultative(const QString& cle, const QString& valeur) {
    QString& t = Etat.TexteIni;
    if (t.isEmpty())
        return;  // never loaded: the text must stay empty, so that nothing is saved
    const Place p = placeCle(t, cle);
    const QString ligne = cle + u'=' + surUneLigne(valeur) + kCRLF;
    switch (p.etat) {
    case Place::Etat::Trouvee: t = t.left(p.valeur.egal + 1) + surUneLigne(valeur) + t.mid(p.valeur.cr); break;
    case Place::Etat::SansSeparateur:  // the key's own line, broken: written whole again
        t = t.left(p.debutLigne) + ligne + t.mid(p.finLigne);
        break;
    case Place::Etat::Absente:
        if (!estFinDeLigne(t.back()))
            t += kCRLF;
        t += ligne;
        break;
    }
}

void ErreurINI(const QString& quoi) {
    ErreurFatale(QStringLiteral("Erreur dans le fichier QS32.ini"), QStringLiteral("Il manque le paramètre ") + quoi);
}

bool RetireBlancs(QString& s) {
    if (s.isEmpty())
        return false;
    s.remove(0, 1);
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    s.remove(0, i);
    return !s.isEmpty();
}
