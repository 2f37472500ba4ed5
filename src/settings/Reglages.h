#pragma once
// The table of the settings file's keys, but the alarms' (alarms/StockageAlarmes.cpp), in the
// order the load reads them: that order decides which fault of a file is reported first. The load
// reads it in groups, with the clock window's own steps between them; the close writes it all.

#include "settings/Cles.h"
#include "state/FenetreHorloge.h"

// The clock window's settings between the file and the window.
struct ReglagesFenetre {
    QColor fond, encre, bande;
    RectTwips geometrie;  // the normal window's outer geometry
    int16_t etat = 0;     // 0 normal, 1 minimised, 2 maximised
    bool imageActive = false;
};

struct ClesHorloge {
    explicit ClesHorloge(ReglagesFenetre& fenetre);
    std::vector<Cle> fenetre;   // colours, geometry and state of the window, and QS_visible
    std::vector<Cle> annonce;   // when and in which voice the time is spoken
    std::vector<Cle> ajoutees;  // ClesAjoutees(), then ClesParole()
    std::vector<Cle> image;     // the background picture
};

// The keys added after files were already in use, each with its default: the silent hours, the
// volume and the timer's, bound to Etat.
std::vector<Cle> ClesAjoutees();
// The same for how and when the time is spoken: the form of the time, at start, at wake, "do not
// disturb", the output kept awake.
std::vector<Cle> ClesParole();

// The name of the volume's key, which the start reads before the load.
extern const QString CleVolume;
