#pragma once
// Colours as stored: red + 256 x green + 65536 x blue.

#include <QColor>
#include <QString>
#include <cstdint>

// Only the low 24 bits count; use LitCouleur for numbers read from the settings file.
QColor CouleurDepuisNombre(int32_t rgb);
int32_t NombreDepuisCouleur(const QColor& c);

// The colour of settings key `cle`; a value that is not a number from 0 to 16777215 is reported
// (file, key, value, what was expected) and ends the program (throws FinProgramme).
QColor LitCouleur(const QString& cle);
