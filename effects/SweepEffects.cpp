#include "effects/EffectSteps.h"

namespace effects {

// Each outline is drawn twice: the pace of the wipe is part of its look.
void drawSquare(const EffectFrame& f, EffectCanvas& canvas) {
    countedLoop(f.sweepStart, f.sweepEnd, f.sweepStep, [&](qint32 d) {
        drawBox(canvas, f.hw - d, f.hh - d, f.hw + d, f.hh + d);
        drawBox(canvas, f.hw - d, f.hh - d, f.hw + d, f.hh + d);
    });
}

void drawCurtain(const EffectFrame& f, EffectCanvas& canvas) {
    const double bottom = 2.0 * f.hh - 1;
    countedLoop(f.sweepStart, f.sweepEnd, f.sweepStep, [&](qint32 d) {
        const double left = f.hw - d;
        const double right = f.hw + d;
        drawLine(canvas, left, 0, left, bottom);
        drawLine(canvas, right, 0, right, bottom);
        drawLine(canvas, left, 0, left, bottom);
        drawLine(canvas, right, 0, right, bottom);
    });
}

// The lower line takes the window's height as it is at that moment.
void drawHorizontalLines(const EffectFrame& f, EffectCanvas& canvas) {
    const double right = 2.0 * f.hw;
    countedLoop(1, f.hh, 7, [&](qint32 y) {
        drawLine(canvas, 0, y, right, y);
        const double h = canvas.height();
        drawLine(canvas, 0, h - y, right, h - y);
    });
}

// Two parallel lines falling 8000 twips across the window, one from above the top, one from
// the bottom, meeting near the middle.
void drawSlantedLines(const EffectFrame& f, EffectCanvas& canvas) {
    canvas.setDrawWidth(50);
    const double right = 2.0 * f.hw;
    countedLoop(-4000, f.hh, 98, [&](qint32 y) {
        drawLine(canvas, 0, y - 4000.0, right, y + 4000.0);
        const double h = canvas.height();
        drawLine(canvas, 0, h - y - 4000, right, h - y + 4000);
    });
}

} // namespace effects
