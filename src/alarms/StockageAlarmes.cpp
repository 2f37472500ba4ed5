#include "alarms/StockageAlarmes.h"

#include "state/Etat.h"
#include "settings/ErreurFatale.h"
#include "settings/FichierTexte.h"
#include "settings/TexteIni.h"

namespace {

const QString kCRLF = QStringLiteral("\r\n");

QString cle(const char* racine, int n) { return QLatin1String(racine) + QString::number(n); }

QString litMemo(int n) {
    const QString chemin = CheminMemo(n);
    const LectureTexte lu = LitFichierTexte(chemin);
    if (lu.etat == LectureTexte::Etat::Absent)
        ErreurFatale(TitreErreurFichier(chemin),
                     QStringLiteral("Le fichier mémo de l'alarme %1 « %2 » est introuvable.")
                         .arg(n)
                         .arg(chemin));
    if (lu.etat == LectureTexte::Etat::Illisible)
        ErreurFatale(TitreErreurFichier(chemin),
                     QStringLiteral("Le fichier mémo de l'alarme %1 « %2 » ne peut pas être lu : %3.")
                         .arg(n)
                         .arg(chemin, lu.raison));
    Etat.Alarmes[n - 1].MemoEnUtf8 = lu.utf8;
    return lu.texte;
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
    for (int n = 1; n <= 6; ++n) {
        Alarme& a = Etat.Alarmes[n - 1];
        a.Heure = LitEntier16(cle("ALH", n));
        a.Minute = LitEntier16(cle("ALMN", n));
        a.Active = LitBooleen(cle("AL", n));
        a.Message = LitBooleen(cle("ALMSG", n));
        a.Appli = LitBooleen(cle("ALAPP", n));
        a.Exe = ValeurIniTexte(cle("ALEXE", n));
        a.Son = ValeurIniTexte(cle("ALSON", n));
        a.Texte = litMemo(n);
    }
}

void EnregistreAlarmes() {
    for (int n = 1; n <= 6; ++n) {
        const Alarme& a = Etat.Alarmes[n - 1];
        EcritINI(cle("ALH", n), int32_t{a.Heure});
        EcritINI(cle("ALMN", n), int32_t{a.Minute});
        EcritINI(cle("AL", n), a.Active);
        EcritINI(cle("ALMSG", n), a.Message);
        EcritINI(cle("ALAPP", n), a.Appli);
        EcritINI(cle("ALEXE", n), a.Exe);
        EcritINI(cle("ALSON", n), a.Son);
    }
}

QStringList EcritMemos() {
    QStringList echecs;
    for (int n = 1; n <= 6; ++n) {
        Alarme& a = Etat.Alarmes[n - 1];
        PrepareMemo(a.Texte);
        const QString raison = EcritFichierTexte(CheminMemo(n), a.Texte + kCRLF, a.MemoEnUtf8);
        if (!raison.isEmpty())
            echecs << raison;
    }
    return echecs;
}
