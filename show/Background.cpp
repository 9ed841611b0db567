#include "show/Background.h"

#include "core/Rounding.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"

#include <algorithm>

namespace {
quint32 component(double unit) {
    return static_cast<quint32>(std::clamp<qint64>(RoundHalfEven(unit * 256), 0, 255));
}
quint32 channel(qint16 value) {
    return static_cast<quint32>(std::clamp<int>(value, 0, 255));
}
} // namespace

quint32 RandomBackColor(RandomSource& random, const Clock& clock) {
    random.reseed(clock.secondsSinceMidnight());
    const quint32 red = component(random.next());
    const quint32 green = component(random.next());
    const quint32 blue = component(random.next());
    return (red << 16) | (green << 8) | blue;
}

quint32 FixedBackColor(qint16 red, qint16 green, qint16 blue) {
    return (channel(red) << 16) | (channel(green) << 8) | channel(blue);
}
