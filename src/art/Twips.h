#pragma once
// The window's design is kept in twips: 1440 per inch, 15 per logical pixel at 96 DPI.

#include <cmath>

constexpr double TwipsParPixel = 15.0;
inline int EnPixels(double twips) { return int(std::lround(twips / TwipsParPixel)); }
inline double EnTwips(double pixels) { return pixels * TwipsParPixel; }
