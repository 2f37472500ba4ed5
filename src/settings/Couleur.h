#pragma once
// Colours as stored: red + 256 x green + 65536 x blue.

#include <QColor>
#include <cstdint>

QColor CouleurDepuisNombre(int32_t rgb);
int32_t NombreDepuisCouleur(const QColor& c);
