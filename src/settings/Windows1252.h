#pragma once
// Text files of the program (QS32.ini, MSG1.ASC..MSG6.ASC) are Windows-1252 so that the same files
// serve on every system. Text that Windows-1252 cannot hold is written as UTF-8 behind a byte-order
// mark rather than lost, and such a file is read back as UTF-8. A file is written back the way it
// was read, so that reading then writing changes none of its bytes.

#include <QByteArray>
#include <QString>

// Every byte maps to one character; the five bytes Windows-1252 leaves undefined map to the C1
// control of the same code, so any file reads and writes back byte for byte.
QString DepuisWindows1252(const QByteArray& octets);
// Characters Windows-1252 cannot hold become 0x1A; `complet` tells whether none did.
QByteArray VersWindows1252(const QString& texte, bool* complet = nullptr);

// A file's bytes as text: UTF-8 when they are a UTF-8 byte-order mark and valid UTF-8, else
// Windows-1252 (every byte kept). `utf8` tells which.
QString DecodeFichierTexte(const QByteArray& octets, bool* utf8 = nullptr);
// The byte-order mark and UTF-8 when `utf8` asks for it or when Windows-1252 cannot hold the text
// (or its bytes would read back as UTF-8), else Windows-1252.
QByteArray EncodeFichierTexte(const QString& texte, bool utf8 = false);
