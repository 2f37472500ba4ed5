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
    Etat.MemoEnUtf8[n] = lu.utf8;
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
        Etat.AlarmeHeure[n] = LitEntier16(cle("ALH", n));
        Etat.AlarmeMinute[n] = LitEntier16(cle("ALMN", n));
        Etat.AlarmeActive[n] = LitBooleen(cle("AL", n));
        Etat.AlarmeMessage[n] = LitBooleen(cle("ALMSG", n));
        Etat.AlarmeAppli[n] = LitBooleen(cle("ALAPP", n));
        Etat.AlarmeExe[n] = ValeurIniTexte(cle("ALEXE", n));
        Etat.AlarmeSon[n] = ValeurIniTexte(cle("ALSON", n));
        Etat.AlarmeTexte[n] = litMemo(n);
    }
}

void EnregistreAlarmes() {
    for (int n = 1; n <= 6; ++n) {
        EcritINI(cle("ALH", n), int32_t{Etat.AlarmeHeure[n]});
        EcritINI(cle("ALMN", n), int32_t{Etat.AlarmeMinute[n]});
        EcritINI(cle("AL", n), Etat.AlarmeActive[n]);
        EcritINI(cle("ALMSG", n), Etat.AlarmeMessage[n]);
        EcritINI(cle("ALAPP", n), Etat.AlarmeAppli[n]);
        EcritINI(cle("ALEXE", n), Etat.AlarmeExe[n]);
        EcritINI(cle("ALSON", n), Etat.AlarmeSon[n]);
    }
}

QStringList EcritMemos() {
    QStringList echecs;
    for (int n = 1; n <= 6; ++n) {
        PrepareMemo(Etat.AlarmeTexte[n]);
        const QString raison = EcritFichierTexte(CheminMemo(n), Etat.AlarmeTexte[n] + kCRLF,
                                                 Etat.MemoEnUtf8[n]);
        if (!raison.isEmpty())
            echecs << raison;
    }
    return echecs;
}
