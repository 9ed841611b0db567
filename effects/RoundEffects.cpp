#include "core/Rounding.h"
#include "effects/EffectSteps.h"
#include "platform/RandomSource.h"

#include <cmath>
#include <numbers>

namespace effects {

namespace {
// The outermost circle: a third wider than half the window, so that on 4:3 and wider screens
// it clears the corners.
qint32 largestRadius(const EffectFrame& f) {
    return static_cast<qint32>(RoundHalfEven(f.hw / 3.0 + f.hw));
}
} // namespace

// Rings 100 twips apart under a 150-twip pen overlap and fill the disc.
void drawClosingCircle(const EffectFrame& f, EffectCanvas& canvas) {
    canvas.setDrawWidth(10);
    countedLoop(largestRadius(f), 1, -100, [&](qint32 r) { drawCircle(canvas, f.hw, f.hh, r); });
}

void drawOpeningCircle(const EffectFrame& f, EffectCanvas& canvas) {
    canvas.setDrawWidth(10);
    countedLoop(1, largestRadius(f), 100, [&](qint32 r) { drawCircle(canvas, f.hw, f.hh, r); });
}

// One full turn from a random start, one degree a step: 361 lines, so the start angle is drawn
// again at the end and both 0 and 360 are drawn.
void drawRay(const EffectFrame& f, EffectCanvas& canvas, RandomSource& random) {
    canvas.setDrawWidth(50);
    float a = static_cast<float>(std::floor(random.next() * 360) + 1);
    const double length = 2.0 * f.hw;
    for (int i = 0; i <= 360; ++i) {
        a += 1;
        if (a > 360)
            a = 0;
        const double theta = a * std::numbers::pi / 180;
        drawLine(canvas, f.hw, f.hh, f.hw + length * std::cos(theta),
                 f.hh + length * std::sin(theta));
    }
}

} // namespace effects
