#pragma once
// Around the display's connection (QApplication's construction). With no display to be had, Qt
// ends the process by an abort (a core dump, status 134) after an English hint to reinstall the
// program; the clock says instead, in one French line on stderr, which display is missing or
// refuses it, and ends with status 1. Qt's own options (-platform, -display) keep their meaning:
// Qt still reads them; they only name the display in that line.

#include <QString>

class GardeAffichage {
public:
    GardeAffichage(int argc, char** argv);
    // The connection is made: what Qt said meanwhile reaches the console as it would have.
    void leve();
    ~GardeAffichage() { leve(); }

private:
    bool active = true;
};
