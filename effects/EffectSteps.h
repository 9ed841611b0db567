#pragma once

#include "effects/EffectCanvas.h"

#include <QtGlobal>

class Clock;
class RandomSource;

// The drawing of each effect family, called by ClsDiag once the frame is set up.
// Whole twips are kept in 32-bit integers: the effects were laid out for 16-bit values, which
// stop at screens of about 2184 pixels; wider integers let larger screens work the same way.
namespace effects {

struct EffectFrame {
    qint32 hw = 0; // half the window's width, whole twips
    qint32 hh = 0; // half the window's height, whole twips
    // The sweep of the squares and curtains: 0 up to hw, or hw down to 0, by 7 twips.
    qint32 sweepStart = 0;
    qint32 sweepEnd = 0;
    qint32 sweepStep = 0;
    double tileWidth = 0; // mosaic tile size, not rounded
    double tileHeight = 0;
};

// A counted loop whose end is fixed before the first pass: runs while the value has not passed
// the end, so the end itself is reached only when it lies on the step grid.
template <typename Body> void countedLoop(qint32 start, qint32 end, qint32 step, Body body) {
    for (qint64 v = start; step > 0 ? v <= end : v >= end; v += step)
        body(static_cast<qint32>(v));
}

// Every shape is drawn in the colour the window has at the moment of the call; coordinates go
// through single precision, as the window's drawing calls take them.
void drawLine(EffectCanvas& canvas, double x1, double y1, double x2, double y2);
void drawBox(EffectCanvas& canvas, double x1, double y1, double x2, double y2);
void drawFilledBox(EffectCanvas& canvas, double x1, double y1, double x2, double y2);
void drawCircle(EffectCanvas& canvas, double cx, double cy, double radius);

void drawMosaic(const EffectFrame& frame, EffectCanvas& canvas, RandomSource& random,
                const Clock& clock);
void drawSquare(const EffectFrame& frame, EffectCanvas& canvas);
void drawCurtain(const EffectFrame& frame, EffectCanvas& canvas);
void drawHorizontalLines(const EffectFrame& frame, EffectCanvas& canvas);
void drawSlantedLines(const EffectFrame& frame, EffectCanvas& canvas);
void drawClosingCircle(const EffectFrame& frame, EffectCanvas& canvas);
void drawOpeningCircle(const EffectFrame& frame, EffectCanvas& canvas);
void drawRay(const EffectFrame& frame, EffectCanvas& canvas, RandomSource& random);

} // namespace effects
