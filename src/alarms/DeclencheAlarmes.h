#pragma once
// The alarm check at second 0 of each minute, and the firing of a due alarm: its program, its
// ringing (which brings the clock back on screen) and its memo.

#include "sound/Sequenceur.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>

// Fires, in order 1 to 6, every alarm whose hour and minute match Etat.HeureActuelle and
// Etat.MinuteActuelle on a day it rings (Etat.JourActuel); each firing ends before the next alarm
// is looked at.
// Below, n is the alarm's place in Etat.Alarmes (0 to 5).
Etapes VérifieAlarmes();
// Alarm n has rung, or was told missed, for `minute` (on the face): kept in the run record too.
void NoteSonneePour(int16_t n, const QDateTime& minute);
// How the run record writes a time on the face.
inline const QString kFormatReleve = QStringLiteral("yyyy-MM-ddTHH:mm:ss");
// The clock runs at this minute: a restart catches up with the alarms from here (run record).
void NoteMarche();
// Some alarm rings (plays its sound) at the minute `t`, on a day it rings.
bool AlarmeSonneA(const QDateTime& t);
// Fires alarm n for the minute `heure` of `jour`, unless it has already rung for that minute.
Etapes SonneUneFois(int16_t n, const QDate& jour, const QTime& heure);
// Program, ringing, 2-second pause, memo: one sounding part. A program that cannot be started is
// reported in a box that does not hold the clock, and the rest of the firing still happens.
Etapes DéclencheAlarme(int16_t n);

// What the ringing calls to bring the clock window back (visible, normal, repainted). The clock
// window installs it when it is built and removes it (nullptr) when it goes.
void InstalleRetourHorloge(std::function<void()> retour);

// The error report of a firing: "L'erreur n° ..." with its source and description.
QString TexteErreurAlarme(int numero, const QString& source, const QString& description);
