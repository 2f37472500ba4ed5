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

// The first line that starts with `cle` (after blanks, any letter case) followed by a blank, "="
// or the line's end decides: it must go on with optional blanks, "=", the value and a CR. A key
// name inside a value or at the start of another name ("Genre.old") is never taken for the key.
Valeur chercheCle(const QString& texte, const QString& cle) {
    const qsizetype n = texte.size();
    qsizetype debut = 0;
    while (debut <= n) {
        qsizetype i = debut;
        while (i < n && estBlanc(texte[i]))
            ++i;
        const qsizetype apres = i + cle.size();
        if (!cle.isEmpty() && apres <= n &&
            QStringView(texte).mid(i, cle.size()).compare(cle, Qt::CaseInsensitive) == 0 &&
            (apres == n || estBlanc(texte[apres]) || estFinDeLigne(texte[apres]) ||
             texte[apres] == u'=')) {
            qsizetype j = apres;
            while (j < n && estBlanc(texte[j]))
                ++j;
            if (j >= n || texte[j] != u'=')
                ErreurINI(QStringLiteral(" = "));
            qsizetype k = j + 1;
            while (k < n && !estFinDeLigne(texte[k]))
                ++k;
            // A value must end with CR; a bare LF line end leaves the separator unproven.
            if (k >= n || texte[k] != u'\r')
                ErreurINI(QStringLiteral(" = "));
            return {j, k};
        }
        // Next line: after the next CR or LF.
        while (i < n && !estFinDeLigne(texte[i]))
            ++i;
        if (i >= n)
            break;
        debut = i + 1;
    }
    ErreurINI(cle);
}

}  // namespace

QString CheminIni() { return Etat.CheminAppli + QStringLiteral("/QS32.ini"); }

void ChargeTexteIni() {
    const QString chemin = CheminIni();
    const LectureTexte lu = LitFichierTexte(chemin);
    const QString titre = TitreErreurFichier(chemin);
    if (lu.etat == LectureTexte::Etat::Absent)
        ErreurFatale(titre, QStringLiteral("Le fichier de paramètres « %1 » est introuvable. "
                                           "Réinstallez-le avec le programme.").arg(chemin));
    if (lu.etat == LectureTexte::Etat::Illisible)
        ErreurFatale(titre, QStringLiteral("Le fichier de paramètres « %1 » ne peut pas être lu : %2.")
                                .arg(chemin, lu.raison));
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
        return QStringLiteral("Le fichier « %1 » n'a pas été enregistré : les paramètres n'avaient "
                              "pas été lus.").arg(CheminIni());
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
    // A line break inside the value would cut it and start a line of its own in the file.
    QString propre = valeur;
    propre.replace(u'\r', u' ').replace(u'\n', u' ');
    Etat.TexteIni = Etat.TexteIni.left(v.egal + 1) + propre + Etat.TexteIni.mid(v.cr);
}

void ErreurINI(const QString& quoi) {
    ErreurFatale(QStringLiteral("Erreur dans le fichier QS32.ini"),
                 QStringLiteral("Il manque le paramètre ") + quoi);
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
