#pragma once
// The report of a fault that ends the program during the load or close sequence: a beep, a modal
// critical box, a beep once it is dismissed, then FinProgramme. Nothing is written after it.

#include <QString>

// A fault that ends the program is about to be reported: from here on the program is closing.
void FinAnnoncee();

[[noreturn]] void ErreurFatale(const QString& titre, const QString& texte);

// "Erreur dans le fichier " + the file's name without its folder.
QString TitreErreurFichier(const QString& chemin);
