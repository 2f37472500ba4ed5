#include "alarms/StockageAlarmes.h"

#include "state/Etat.h"
#include "settings/Cles.h"
#include "settings/ErreurFatale.h"
#include "settings/FichierTexte.h"
#include "settings/TexteIni.h"

namespace {

const QString kCRLF = QStringLiteral("\r\n");

// The keys of alarm i, in the order they are read and written: each is its stem followed by the
// alarm's number, "ALH1" to "ALH6".
std::vector<Cle> clesAlarme(int i) {
    using namespace Sortes;
    Alarme& a = Etat.Alarmes[i];
    const Alarme defaut;
    const QString n = QString::number(i + 1);
    return {
        Lien(QStringLiteral("ALH") + n, Entier16, a.Heure),
        Lien(QStringLiteral("ALMN") + n, Entier16, a.Minute),
        Lien(QStringLiteral("AL") + n, Booleen, a.Active),
        Lien(QStringLiteral("ALMSG") + n, Booleen, a.Message),
        Lien(QStringLiteral("ALAPP") + n, Booleen, a.Appli),
        Lien(QStringLiteral("ALEXE") + n, Texte, a.Exe),
        Lien(QStringLiteral("ALSON") + n, Texte, a.Son),
        // Added later: a file without them gets their defaults, and the close appends them.
        Lien(QStringLiteral("ALJOURS") + n, Jours, a.Jours, defaut.Jours),
        Lien(QStringLiteral("ALDATE") + n, Date, a.Date, defaut.Date),
        Lien(QStringLiteral("ALREPETE") + n, RepeteMn, a.Repete, defaut.Repete),
        Lien(QStringLiteral("ALSONNE") + n, SonneMn, a.Sonne, defaut.Sonne),
    };
}

// The memo of alarm i, from its file.
void litMemo(int i) {
    const int n = i + 1;
    const QString chemin = CheminMemo(n);
    const LectureTexte lu = LitFichierTexte(chemin);
    if (lu.etat == LectureTexte::Etat::Absent)
        ErreurFatale(TitreErreurFichier(chemin),
                     QStringLiteral("Le fichier mémo de l'alarme %1 « %2 » est introuvable.").arg(n).arg(chemin));
    if (lu.etat == LectureTexte::Etat::Illisible)
        ErreurFatale(TitreErreurFichier(chemin),
                     QStringLiteral("Le fichier mémo de l'alarme %1 « %2 » ne peut pas être lu : %3.")
                         .arg(n)
                         .arg(chemin, lu.raison));
    Etat.Alarmes[i].Texte = lu.texte;
    Etat.Alarmes[i].MemoEnUtf8 = lu.utf8;
}

}  // namespace

void PrepareMemo(QString& memo) {
    // What the text box gives has bare LF line breaks; the file has CR LF.
    QString normal;
    normal.reserve(memo.size());
    for (qsizetype i = 0; i < memo.size(); ++i) {
        if (memo[i] == u'\n' && (i == 0 || memo[i - 1] != u'\r'))
            normal += u'\r';
        normal += memo[i];
    }
    memo = normal;
    if (memo.isEmpty())
        memo = QStringLiteral(" ");
    if (memo.size() >= 3 && memo.endsWith(kCRLF))
        memo.chop(2);
}

QString CheminMemo(int n) { return Etat.CheminAppli + QStringLiteral("/MSG%1.ASC").arg(n); }

void ChargeAlarmes() {
    for (int i = 0; i < NombreAlarmes; ++i) {
        LitCles(clesAlarme(i));
        litMemo(i);
    }
}

void EnregistreAlarmes() {
    for (int i = 0; i < NombreAlarmes; ++i)
        EcritCles(clesAlarme(i));
}

QStringList EcritMemos() {
    QStringList echecs;
    for (int i = 0; i < NombreAlarmes; ++i) {
        Alarme& a = Etat.Alarmes[i];
        PrepareMemo(a.Texte);
        const QString raison = EcritFichierTexte(CheminMemo(i + 1), a.Texte + kCRLF, a.MemoEnUtf8);
        if (!raison.isEmpty())
            echecs << raison;
    }
    return echecs;
}
