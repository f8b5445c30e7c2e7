#pragma once
// Window coordinates are kept in twips, 1440 to the inch; the screen's logical DPI
// says how many fall on a pixel (15 on the usual 96 DPI screen).
#include <cmath>

namespace miravela {

inline constexpr double kTwipsPorPulgada = 1440.0;
inline constexpr double kTwipsPorPixelHabitual = 15.0;

// Twips per pixel for a screen of the given logical DPI; an unusable DPI gets the usual 15.
inline double TwipsPorPixel(double puntosPorPulgada) {
  return puntosPorPulgada > 0 ? kTwipsPorPulgada / puntosPorPulgada : kTwipsPorPixelHabitual;
}

// The pixel a position in twips falls in; the small bias keeps a position that is a
// whole number of pixels from landing one pixel short after a division.
inline int PixelDeTwips(double twips, double twipsPorPixel) {
  return static_cast<int>(std::floor(twips / twipsPorPixel + 1e-7));
}

// A size in twips as whole pixels, and a pixel count as whole twips: to the nearest.
inline int PixelesDeTwips(double twips, double twipsPorPixel) {
  return static_cast<int>(std::lround(twips / twipsPorPixel));
}
inline int TwipsDePixeles(double pixeles, double twipsPorPixel) {
  return static_cast<int>(std::lround(pixeles * twipsPorPixel));
}

}  // namespace miravela
