#pragma once
// The command line: what a start of the program is asked to do.

#include <QString>
#include <QStringList>

struct Options {
    enum class Action { Horloge, DitHeure, DitDate, ArreteAlarme, RepousseAlarme, Minuteur, Aide, Version, Erreur };
    Action action = Action::Horloge;
    QString erreur;    // for Erreur: the one line that says what is wrong
    QString commande;  // for Minuteur: the line the running clock is sent ("minuteur 1500")
};

// `arguments` without the program's name. The options the Qt library reads itself (-session,
// -display, -platform, ...) are left to it. Any other unknown argument is an error; else, of
// several options, --help wins, then --version, then --dire-l-heure (alias --say-time), then
// --dire-la-date (alias --say-date), then --arrete (--stop-alarm), then --repousse (--snooze), then
// the last of the timer's (--minuteur DURÉE, --minuteur-jusqu-a HH:MM, --minuteur-restant,
// --minuteur-arret), whose value is checked here.
Options LitOptions(const QStringList& arguments);

// The text --help prints, and the one --version prints.
QString TexteAideOptions();
QString TexteVersionProgramme();
