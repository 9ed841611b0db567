#include "effects/EffectSteps.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"

#include <array>
#include <cmath>

namespace effects {

void drawMosaic(const EffectFrame& frame, EffectCanvas& canvas, RandomSource& random,
                const Clock& clock) {
    constexpr int Columns = 30;
    constexpr int Rows = 20;
    std::array<std::array<bool, Rows>, Columns> drawn{};
    int count = 0;
    while (count <= Columns * Rows - 1) {
        // Re-seeding mixes into the state, so an unchanged clock still gives a new pick.
        random.reseed(static_cast<float>(clock.secondsSinceMidnight()));
        const int c = static_cast<int>(std::floor(random.next() * Columns));
        const int r = static_cast<int>(std::floor(random.next() * Rows));
        if (drawn[c][r])
            continue; // a drawn cell costs no drawing: pick again
        // Tiles stand one twip closer than their size, so neighbours overlap by a twip.
        const double x = (frame.tileWidth - 1) * c;
        const double y = (frame.tileHeight - 1) * r;
        drawFilledBox(canvas, x, y, x + frame.tileWidth, y + frame.tileHeight);
        drawn[c][r] = true;
        ++count;
    }
}

} // namespace effects
