#pragma once
// Shared by the typed readers of the settings file: report a value that does not convert.

#include <QString>

// Names the file, the key, the value and what was expected, then ends the program.
[[noreturn]] void ErreurConversion(const QString& cle, const QString& valeur, const QString& attendu);
