#pragma once
// Which days an alarm rings on, and its minutes on the clock's face: the last one before a
// moment, the next one after it. Times here are read as written on the face (QTimeZone::utc()),
// as the catching up after a jump reads them.

#include "state/Etat.h"

#include <QDateTime>
#include <QString>

// One of its three actions is on: the ringing, the memo, the program.
bool AlarmeEnService(const Alarme& a);
// It rings on `jour`: that date when it has one, else one of its days.
bool SonneLe(const Alarme& a, const QDate& jour);
// The reading as written on the face.
QDateTime Cadran(const QDateTime& t);
// The last minute of `a` on a day it rings, not after `fin` and after `debut`; invalid when none
// (or when it is set to no time of day).
QDateTime DerniereOccurrence(const Alarme& a, const QDateTime& debut, const QDateTime& fin);
// Its first minute after `apres` on a day it rings, within a week (or on its date); invalid when none.
QDateTime ProchaineOccurrence(const Alarme& a, const QDateTime& apres);
// "lun. 07:30": the next alarm in service to ring after `maintenant`, or the one put off that
// rings before it; empty when none will.
QString TexteProchaineAlarme(const QDateTime& maintenant);
