#pragma once
// An alarm's ringing beyond its firing: once, as it always did, or again and again until it is
// stopped or put off, for at most its minutes; stopped or put off ("Répéter") from its desktop
// notification, the notification-area menu, its memo window or a command. Put off, it rings
// again (its sound and its notification, neither its program nor its memo) minutes later.
// Below, n is the alarm's place in Etat.Alarmes (0 to 5).

#include <QDateTime>
#include <QString>
#include <cstdint>

// The alarm ringing now, or -1.
int16_t AlarmeQuiSonne();
// What a stop or a snooze acts on: the alarm ringing now, else the put-off one that rings first;
// -1 when there is none.
int16_t AlarmeEnCours();
// Alarm n begins ringing, its sound just started: its notification is shown and, with `veille`,
// its sound is watched: played again when it ends before the alarm is stopped, or for a sound
// played once, the ringing is over. It ends any other alarm's ringing.
void SuitSonnerie(int16_t n, bool veille);
// The end of a firing: an alarm whose sound plays once has rung. Its notification stays until it
// is acted on, so that it can still be put off.
void SonneeUneFois(int16_t n);
// Ends its ringing (the sound with it), lets go of its next ring and withdraws its notification.
void ArreteAlarme(int16_t n);
// Ends its ringing; it rings again Etat.Alarmes[n].Repete minutes from now.
void RepousseAlarme(int16_t n);
// At each tick: the put-off alarms whose time has come ring again, unless they are more than an
// hour late (a sleep, a clock set forward), which drops them.
void RepetitionsDues(const QDateTime& maintenant);
// A notification's action: true when it was an alarm's ("alarme1", "arreter" or "repeter").
bool ActionNotificationAlarme(const QString& cle, const QString& action);
// Changed each time an alarm starts or ends ringing or is put off: whoever shows the state
// (the menu, the tooltip) looks again.
int GenerationSonnerie();
