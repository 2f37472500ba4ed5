#pragma once
// The clock window's load and close sequences, and the start-up values of the shared state.

#include <QLocale>
#include <QString>

class QUENTOR;

// CheminAppli, the two program folders and VersionTexte, from the platform.
void RemplitEtat();
// major + minor / 10, "##0.00" with the locale's decimal separator: 6.1 gives "6,10" in French.
QString TexteVersion(int majeure, int mineure, const QLocale& locale);

// Reads every setting and applies it to the window and the shared state. A settings fault is
// reported and throws FinProgramme before anything is written.
void QUENTOR_Form_Load(QUENTOR& fenetre);
// Writes every setting back and ends the program. Runs once, whatever asked for the close.
void QUENTOR_Form_QueryUnload(QUENTOR& fenetre);

#include <functional>
// Called by the load step when the background picture can't be shown, with the reason; the
// load waits until it returns. Set by main().
extern std::function<void(QUENTOR&, const QString&)> LorsErreurImage;
