#pragma once
// The help document, beside the settings or where the program installed it, opened in the
// desktop's viewer.

#include <QString>

// The folder of the help document: the settings folder (Etat.CheminAppli) when it holds one (a
// build, a portable copy), else the folder of the files installed with the program.
QString DossierAide();

void PrépareAide();
QString CheminAide();
void OuvreAide();
