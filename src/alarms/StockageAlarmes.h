#pragma once
// The six alarms' 42 settings keys and their memo files MSG1.ASC..MSG6.ASC.

#include <QString>
#include <QStringList>

// Loads the 42 keys and the six memos into Etat. Faults are reported and end the program.
void ChargeAlarmes();
// Writes the 42 keys into Etat.TexteIni (nothing reaches the disk here).
void EnregistreAlarmes();
// Rewrites the six memo files atomically; returns the French reason of each file that failed.
QStringList EcritMemos();
// The memo as it is kept and written: CR LF line breaks, a blank for an empty memo, and the final
// CR LF it was read with taken off, since the file always gets the text plus one CR LF. Any
// number of load and close cycles then gives the same file.
void PrepareMemo(QString& memo);
// CheminAppli + "/MSG" + n + ".ASC", for alarm n (1 to 6)
QString CheminMemo(int n);
