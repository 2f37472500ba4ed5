#pragma once
// The settings file QS32.ini: read whole at load, looked up and rewritten in memory
// (Etat.TexteIni), written whole at close.

#include <QString>
#include <cstdint>
#include <optional>

// Full path of the settings file in Etat.CheminAppli.
QString CheminIni();

// The settings text as it is kept in memory once read: CR LF appended when its last character is
// not a control character.
QString TexteIniLu(const QString& texte);
// The text written to the file: one final CR LF in place of the text's own (a final CR LF, or a
// lone final LF), so that it ends with exactly one however many times it is read and written.
QString TexteIniAEcrire(const QString& texte);

// Reads the file into Etat.TexteIni (Windows-1252, or UTF-8 after a UTF-8 byte-order mark),
// appending CR LF when its last character is not a control character.
// A missing, unreadable or empty file is reported and ends the program (throws FinProgramme).
void ChargeTexteIni();
// Writes Etat.TexteIni back atomically, ending with exactly one CR LF (a final CR LF, or a lone
// final LF, of the text is taken off first). In the encoding it was read with (Windows-1252, or
// UTF-8 behind a byte-order mark), UTF-8 when the text holds a character Windows-1252 cannot. Throws nothing: returns an empty text, or the
// French reason it failed naming the file (the old file is then untouched). Refuses to write an
// empty text (settings never loaded) rather than wipe the file.
QString EnregistreTexteIni();

// A key is found on the first line that starts with it (blanks and tabs may precede it, any letter
// case) followed by a blank, "=" or the line's end; that line must go on with optional blanks,
// "=", the value and a CR, or ErreurINI(" = "). No such line: ErreurINI(cle).

// The value of `cle` between the "=" and the CR ("True"/"Vrai" give "-1", "False"/"Faux" give "0").
QString ValeurIni(const QString& cle);
// The same, as it stands: for paths and other texts, which may be any word.
QString ValeurIniTexte(const QString& cle);
// Puts `valeur` right after the key's "=", in place of everything up to the CR. A CR or LF inside
// `valeur` becomes a blank, so a value can never split its line.
void EcritINI(const QString& cle, const QString& valeur);
void EcritINI(const QString& cle, const char* valeur) = delete;  // say QString or a number
void EcritINI(const QString& cle, int32_t valeur);
void EcritINI(const QString& cle, bool valeur);
void EcritINI(const QString& cle, double valeur);  // single precision, locale decimal separator

// Keys added after files were already in use: a file without them, or with a line of theirs
// that is broken, is no error. The value of `cle` in `texte` (found as above), or nothing.
std::optional<QString> ValeurFacultative(const QString& texte, const QString& cle);
// Puts `valeur` after the key's "=" in Etat.TexteIni; a broken line of the key is written whole
// again in its place, and a key with no line gets one at the end of the text. Every other line
// keeps its bytes. Does nothing to a text never loaded.
void EcritINIFacultative(const QString& cle, const QString& valeur);

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
