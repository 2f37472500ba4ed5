#include "alarms/RattrapageAlarmes.h"

#include "alarms/DeclencheAlarmes.h"
#include "state/Etat.h"

#include <QTimeZone>

namespace {
// The reading as written on the face, as plain arithmetic: on the spring change 01:59:59 is
// followed by 03:00:00, an hour later on the face though a second later in fact.
QDateTime Cadran(const QDateTime& t) { return QDateTime(t.date(), t.time(), QTimeZone::utc()); }

// The last time alarm n's minute began, up to `fin` on the face; invalid for an alarm set to no
// time of day.
QDateTime DerniereMinute(int16_t n, const QDateTime& fin) {
    const QTime heure(Etat.Alarmes[n].Heure, Etat.Alarmes[n].Minute);
    if (!heure.isValid())
        return {};
    const QDateTime minute(fin.date(), heure, QTimeZone::utc());
    return minute > fin ? minute.addDays(-1) : minute;
}
}  // namespace

qint64 EcartHorlogeMs(const LectureHorloge& avant, const LectureHorloge& apres) {
    return Cadran(avant.t).msecsTo(Cadran(apres.t)) - (apres.monoMs - avant.monoMs);
}

std::vector<int16_t> AlarmesSautees(const QDateTime& avant, const QDateTime& apres) {
    const QDateTime debut = Cadran(avant), fin = Cadran(apres);
    std::vector<int16_t> dues;
    for (int16_t n = 0; n < NombreAlarmes; ++n) {
        const QDateTime minute = DerniereMinute(n, fin);
        if (!minute.isValid())
            continue;
        const qint64 retardMs = minute.msecsTo(fin);
        if (minute > debut && retardMs >= 1000 && retardMs <= kRetardMaxAlarmeMn * 60'000)
            dues.push_back(n);
    }
    return dues;
}

Etapes RattrapeAlarmes(const QDateTime& avant, const QDateTime& apres) {
    const QDateTime fin = Cadran(apres);
    Etapes pas;
    for (const int16_t n : AlarmesSautees(avant, apres))
        pas.push_back(Selon([n, fin] {
            const QDateTime minute = DerniereMinute(n, fin);
            return SonneUneFois(n, minute.date(), minute.time());
        }));
    return pas;
}
