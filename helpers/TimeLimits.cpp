#include "helpers/TimeLimits.h"

namespace timelimits {

std::chrono::seconds processorTime(QSize natural) {
    const qint64 pixels = qint64(qMax(natural.width(), 0)) * qMax(natural.height(), 0);
    return headerProcessorTime + std::chrono::seconds(pixels / 20'000'000);
}

std::chrono::steady_clock::time_point wallClockEnd(std::chrono::seconds budget) {
    return std::chrono::steady_clock::now() + 3 * budget;
}

} // namespace timelimits
