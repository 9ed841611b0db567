#include "core/Rounding.h"

#include <cfenv>
#include <cmath>
#include <limits>

qint64 RoundHalfEven(double value) {
    constexpr double lo = static_cast<double>(std::numeric_limits<qint64>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<qint64>::max());
    if (std::isnan(value))
        return 0;
    if (value <= lo)
        return std::numeric_limits<qint64>::min();
    if (value >= hi)
        return std::numeric_limits<qint64>::max();
    // The default rounding mode rounds halves to the even neighbour.
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(mode);
    return static_cast<qint64>(r);
}

qint16 ClampToInt16(qint64 value) {
    if (value < std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    if (value > std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    return static_cast<qint16>(value);
}
