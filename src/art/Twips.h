#pragma once
// The window's design is kept in twips: 1440 per inch, 15 per logical pixel at 96 DPI.

#include <QRect>
#include <cmath>

constexpr double TwipsParPixel = 15.0;
inline int EnPixels(double twips) { return int(std::lround(twips / TwipsParPixel)); }
inline double EnTwips(double pixels) { return pixels * TwipsParPixel; }
// A control's place in pixels from its design place in twips (left, top, width, height).
inline QRect Place(double gauche, double haut, double largeur, double hauteur) {
    return QRect(EnPixels(gauche), EnPixels(haut), EnPixels(largeur), EnPixels(hauteur));
}
