#pragma once

#include <QRect>

// Twips, the unit of the design places and of the show's rules: 15 to a logical pixel.
inline constexpr double TwipsPerPixel = 15;

// A width and a height in twips.
struct TwipsSize {
    double width = 0;
    double height = 0;
    friend bool operator==(const TwipsSize&, const TwipsSize&) = default;
};

// The whole pixel nearest to a place or length in twips, a half away from zero (7.5 twips
// make 1 pixel, -7.5 make -1). The panel's controls and the show window's picture and label
// are placed by this one rule.
int TwipsToPixels(double twips);

// The same place in pixels without rounding, for drawing finer than a logical pixel (a screen
// of two device pixels to one).
constexpr double TwipsToExactPixels(double twips) {
    return twips / TwipsPerPixel;
}

constexpr double PixelsToTwips(double pixels) {
    return pixels * TwipsPerPixel;
}

// A design place in twips as a rectangle in pixels, each edge and length by TwipsToPixels.
QRect FromTwips(int left, int top, int width, int height);
