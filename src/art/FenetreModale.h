#pragma once
// What every window opened over the clock shares: its name, a dialog window of its own that goes
// when closed, modal for the user (opened with show(), never a nested loop: the tick goes on), its
// caption, the program's icon, its fixed size from the design in twips, and the design's font,
// "MS Sans Serif" 8.25 pt where the system has it.

class QString;
class QWidget;

void PrepareFenetreModale(QWidget* fenetre, const QString& nom, const QString& titre, int largeurTwips,
                          int hauteurTwips);
