#pragma once
// Alarms whose minute the clock never saw: the computer slept through it, or the local time
// jumped over it (a clock set forward, the spring change). They ring at the first tick after the
// jump; spoken times and chimes are not replayed, the clock speaks the time that it is.

#include "sound/Sequenceur.h"

#include <QDateTime>
#include <cstdint>
#include <vector>

// A reading of the local time with the monotonic time it was taken at.
struct LectureHorloge {
    QDateTime t;
    qint64 monoMs = 0;
};

// How far the local time ran ahead of the time that passed between two readings, in ms, counted
// on the clock's face: a sleep, a clock set forward and the spring change give a positive gap,
// a clock set back and the autumn change a negative one, time passing none.
qint64 EcartHorlogeMs(const LectureHorloge& avant, const LectureHorloge& apres);
// Beyond this the local time is taken to have jumped; below it, it only drifted.
inline constexpr qint64 kSautHorlogeMs = 2000;
// An alarm later than this, in minutes, is not rung any more.
inline constexpr int kRetardMaxAlarmeMn = 60;

// The alarms (their places in Etat.Alarmes), in order, whose minute on a day they ring began
// after `avant` and not after `apres`, is at most an hour old and has not rung. The minute of `apres` is left out while its second 0
// is being read: its own minute's work rings it.
std::vector<int16_t> AlarmesSautees(const QDateTime& avant, const QDateTime& apres);

// The alarms in service, in order, whose last minute between the readings is more than an hour
// old and was neither rung nor told: they are told missed, not rung.
std::vector<int16_t> AlarmesManquees(const QDateTime& avant, const QDateTime& apres);

// Fires those alarms, each once and to its end, as at their minute; then tells the missed ones.
Etapes RattrapeAlarmes(const QDateTime& avant, const QDateTime& apres);
