#include "alarms/RattrapageAlarmes.h"

#include "alarms/Calendrier.h"
#include "alarms/DeclencheAlarmes.h"
#include "platform/Plateforme.h"
#include "sound/Annonce.h"
#include "sound/Phrases.h"
#include "state/Etat.h"

namespace {
// The minute alarm n last had between the two readings, and how late it is at the second one.
struct Retard {
    QDateTime minute;
    qint64 ms = 0;
};
Retard RetardAlarme(int16_t n, const QDateTime& avant, const QDateTime& apres) {
    const Alarme& a = Etat.Alarmes[n];
    const QDateTime minute = DerniereOccurrence(a, avant, apres);
    if (!minute.isValid() || a.SonneePour == minute)
        return {};
    return {minute, minute.msecsTo(Cadran(apres))};
}

// Said once: a notification with its time and its memo's first line, and in the voice
// "alarme manquée" and its time as announcements say it.
Etapes DitManquee(int16_t n, const QDateTime& minute) {
    const Alarme& a = Etat.Alarmes[n];
    NoteSonneePour(n, minute);
    if (Notifications* avis = PF().notifications) {
        QString corps = QStringLiteral("Alarme %1 — %2").arg(n + 1).arg(minute.toString(QStringLiteral("hh:mm")));
        if (a.Message)
            corps += u'\n' + a.Texte.section(QStringLiteral("\r\n"), 0, 0).trimmed();
        avis->montre(QStringLiteral("manquee%1").arg(n + 1), QStringLiteral("Alarme manquée"), corps, {});
    }
    Etapes pas{Mot(Etat.Genre, QStringLiteral("alarme_manquee"))};
    Ajoute(pas, EtapesHeure(Etat.Genre, minute.time().hour(), minute.time().minute()));
    pas.push_back(Pause(1.5));  // the last word ends before whatever follows
    return Sonore(pas);
}
}  // namespace

qint64 EcartHorlogeMs(const LectureHorloge& avant, const LectureHorloge& apres) {
    return Cadran(avant.t).msecsTo(Cadran(apres.t)) - (apres.monoMs - avant.monoMs);
}

std::vector<int16_t> AlarmesSautees(const QDateTime& avant, const QDateTime& apres) {
    std::vector<int16_t> dues;
    for (int16_t n = 0; n < NombreAlarmes; ++n) {
        const Retard r = RetardAlarme(n, avant, apres);
        if (r.minute.isValid() && r.ms >= 1000 && r.ms <= kRetardMaxAlarmeMn * 60'000)
            dues.push_back(n);
    }
    return dues;
}

std::vector<int16_t> AlarmesManquees(const QDateTime& avant, const QDateTime& apres) {
    std::vector<int16_t> manquees;
    for (int16_t n = 0; n < NombreAlarmes; ++n) {
        const Retard r = RetardAlarme(n, avant, apres);
        if (r.minute.isValid() && r.ms > kRetardMaxAlarmeMn * 60'000 && AlarmeEnService(Etat.Alarmes[n]))
            manquees.push_back(n);
    }
    return manquees;
}

Etapes RattrapeAlarmes(const QDateTime& avant, const QDateTime& apres) {
    Etapes pas;
    for (const int16_t n : AlarmesSautees(avant, apres))
        pas.push_back(Selon([n, avant, apres] {
            const QDateTime minute = DerniereOccurrence(Etat.Alarmes[n], avant, apres);
            return SonneUneFois(n, minute.date(), minute.time());
        }));
    for (const int16_t n : AlarmesManquees(avant, apres)) {
        const QDateTime minute = DerniereOccurrence(Etat.Alarmes[n], avant, apres);
        pas.push_back(
            Selon([n, minute] { return Etat.Alarmes[n].SonneePour == minute ? Etapes{} : DitManquee(n, minute); }));
    }
    return pas;
}
