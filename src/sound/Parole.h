#pragma once
// The time in everyday French and the date, said word after word at a speaking pace
// (sound/Phrases.h), beside the design's 24-hour form with its fixed pauses (sound/Annonce.h).
// A sentence is a list of words: a number ("14", "70") is a clip of the numbered set before the
// voice offset, any other word ("et_demie", "2026") a phrase of the voice.

#include "sound/Sequenceur.h"

#include <QDate>
#include <QStringList>
#include <cstdint>

// "il est deux heures et demie de l'après-midi" for 14:30: hours 1 to 12 followed by "heure" or
// "heures", "midi" and "minuit"; ":15" "et quart", ":30" "et demie" ("et demi" after midi and
// minuit), ":35" to ":55" by fives the next hour "moins ...", other minutes their number; then
// the part of the day, none after midi and minuit.
QStringList MotsHeureCourante(int heure, int minute);
// "nous sommes le lundi sept décembre deux mille vingt-six": the days of the month are
// masculine ("premier", "vingt et un"). A year the voices have no words for is left out.
QStringList MotsDate(const QDate& jour);

// The words in voice `genre` (0 male, 1 female), each followed by a short gap.
Etapes EtapesMots(uint8_t genre, const QStringList& mots);
// heure:minute in the form the user chose (Etat.HeureCourante): the 24-hour form with its fixed
// pauses (EtapesHeure), or everyday French.
Etapes EtapesHeureChoisie(uint8_t genre, int heure, int minute);
