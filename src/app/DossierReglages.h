#pragma once
// Where the settings and memo files live (Etat.CheminAppli).
//
// A program folder that holds QS32.ini keeps everything beside the executable: a build, or a copy
// carried on a stick. Otherwise each user has a folder of their own, filled at the first start
// from the defaults installed with the program; a file the user already has there is never
// replaced.

#include <QString>

// Puts the settings folder in Etat.CheminAppli, creating it when needed. When it can't be
// prepared the user is told why and it returns false: the program must end.
bool PlaceReglages();

// The folder whose settings a start would read, found without creating or copying anything: the
// program's folder or the user's when it holds QS32.ini, else the defaults installed for every user.
QString DossierReglagesALire();
