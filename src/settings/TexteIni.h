#pragma once
// The settings file QS32.ini: read whole at load, looked up and rewritten in memory
// (Etat.TexteIni), written whole at close.

#include <QString>
#include <cstdint>

// Full path of the settings file in Etat.CheminAppli.
QString CheminIni();

// Reads the file into Etat.TexteIni (Windows-1252), completing a missing final CR LF.
// A missing, unreadable or empty file is reported and ends the program (throws FinProgramme).
void ChargeTexteIni();
// Writes Etat.TexteIni back atomically. Returns an empty text, or the French reason it failed.
QString EnregistreTexteIni();

// The value of `cle` ("True"/"Vrai" give "-1", "False"/"Faux" give "0").
// A missing key or separator goes to ErreurINI.
QString ValeurIni(const QString& cle);
// Replaces the value of `cle`. A missing key or separator goes to ErreurINI.
void EcritINI(const QString& cle, const QString& valeur);
void EcritINI(const QString& cle, const char* valeur) = delete;  // say QString or a number
void EcritINI(const QString& cle, int32_t valeur);
void EcritINI(const QString& cle, bool valeur);
void EcritINI(const QString& cle, double valeur);  // single precision, locale decimal separator

// Beep, "Il manque le paramètre " + quoi, beep, then ends the program (throws FinProgramme).
[[noreturn]] void ErreurINI(const QString& quoi);

// Removes all leading blanks of `s` (which starts with one). Returns false, leaving `s` empty,
// when `s` is or becomes empty.
bool RetireBlancs(QString& s);

// Values read and converted to their kind; a value that does not convert is reported (file, key,
// value, what was expected) and ends the program (throws FinProgramme).
int32_t LitEntier32(const QString& cle);
int16_t LitEntier16(const QString& cle);
uint8_t LitOctet(const QString& cle);
double LitSimple(const QString& cle);
bool LitBooleen(const QString& cle);
