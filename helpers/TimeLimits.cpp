#include "helpers/TimeLimits.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <QThread>

namespace timelimits {

namespace {

// A helper's start, its confinement and the header read.
constexpr double StartSeconds = 1.0;
// A USB disk waking up or a network share: the file is read at this pace at worst.
constexpr double BytesPerSecond = 25e6;
// Pixels decoded, converted and scaled a second on one core of a modest machine, full size.
constexpr double PixelsPerSecond = 50e6;
// A compressed picture holds no more pixels than this per byte, for a file whose header the
// program cannot read (a metafile is drawn at the screen's size: its bytes count as its pixels).
constexpr double PixelsPerByte = 4;

} // namespace

std::chrono::seconds processorTime(QSize natural) {
    const qint64 pixels = qint64(qMax(natural.width(), 0)) * qMax(natural.height(), 0);
    return headerProcessorTime + std::chrono::seconds(pixels / 20'000'000);
}

std::chrono::milliseconds wallClockBound(const PictureFacts& facts, double loadPerCore) {
    const double bytes = double(std::max<qint64>(facts.bytes, 0));
    const double claimed =
        facts.header.isValid() ? double(facts.header.width()) * double(facts.header.height()) : 0.0;
    const double pixels = std::max(claimed, bytes * PixelsPerByte);
    // The decode shares the processors with the tasks already runnable.
    const double stretch = std::max(1.0, std::isfinite(loadPerCore) ? loadPerCore : 1.0);
    const double seconds =
        StartSeconds + bytes / BytesPerSecond + pixels / PixelsPerSecond * stretch;
    const double ms = std::min(seconds * 1000.0, double(LongestBound.count()));
    return std::clamp(std::chrono::milliseconds(qint64(ms)), ShortestBound, LongestBound);
}

double loadPerCore() {
    double load[1] = {0};
    if (::getloadavg(load, 1) != 1)
        return 1.0;
    // One more task runs beside the load: the decode itself.
    return (load[0] + 1.0) / std::max(1, QThread::idealThreadCount());
}

} // namespace timelimits
