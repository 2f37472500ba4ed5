#include "alarms/Calendrier.h"

#include <QLocale>
#include <QTimeZone>

bool AlarmeEnService(const Alarme& a) { return a.Active || a.Message || a.Appli; }

bool SonneLe(const Alarme& a, const QDate& jour) {
    if (a.Date.isValid())
        return jour == a.Date;
    // No day known yet: only an alarm of every day rings, as alarms always did.
    if (!jour.isValid())
        return a.Jours == 0x7F;
    return a.Jours & (1 << (jour.dayOfWeek() - 1));
}

QDateTime Cadran(const QDateTime& t) { return QDateTime(t.date(), t.time(), QTimeZone::utc()); }

QDateTime DerniereOccurrence(const Alarme& a, const QDateTime& debut, const QDateTime& fin) {
    const QTime heure(a.Heure, a.Minute);
    if (!heure.isValid() || !fin.isValid())
        return {};
    const QDateTime d = Cadran(debut), f = Cadran(fin);
    // A dated alarm has one minute; days repeat every week.
    QDateTime minute(a.Date.isValid() ? a.Date : f.date(), heure, QTimeZone::utc());
    for (int jours = 0; jours < 8 && minute > d; ++jours, minute = minute.addDays(-1))
        if (minute <= f && SonneLe(a, minute.date()))
            return minute;
    return {};
}

QDateTime ProchaineOccurrence(const Alarme& a, const QDateTime& apres) {
    const QTime heure(a.Heure, a.Minute);
    if (!heure.isValid())
        return {};
    const QDateTime debut = Cadran(apres);
    QDateTime minute(a.Date.isValid() ? a.Date : debut.date(), heure, QTimeZone::utc());
    for (int jours = 0; jours < 8; ++jours, minute = minute.addDays(1))
        if (minute > debut && SonneLe(a, minute.date()))
            return minute;
    return {};
}

QString TexteProchaineAlarme(const QDateTime& maintenant) {
    QDateTime prochaine;
    for (const Alarme& a : Etat.Alarmes) {
        QDateTime t = AlarmeEnService(a) ? ProchaineOccurrence(a, maintenant) : QDateTime();
        if (a.RepeteA.isValid() && (!t.isValid() || Cadran(a.RepeteA) < t))
            t = Cadran(a.RepeteA);
        if (t.isValid() && (!prochaine.isValid() || t < prochaine))
            prochaine = t;
    }
    if (!prochaine.isValid())
        return {};
    // Always the day's short name, in French as the rest of the clock.
    return QLocale(QLocale::French, QLocale::France).toString(prochaine, QStringLiteral("ddd hh:mm"));
}
