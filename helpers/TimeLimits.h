#pragma once

#include <chrono>
#include <QSize>

// How long a decoder helper may work on one picture. The processor time it may use ends a
// decoder that spins within seconds however busy the machine is; the wall-clock bound behind
// it, three times as long, lets a panorama through on a machine shared with other work (load 4
// on 2 cores gives a decode about half a core) and ends a helper that escapes the first.
namespace timelimits {

// To read a header and ask for the size.
constexpr std::chrono::seconds headerProcessorTime{2};

// To decode and scale a picture of `natural` size: 2 s, and 1 s more for every 20 megapixels
// (a 200-megapixel panorama gets 12 s; it needs about 4 at full size).
std::chrono::seconds processorTime(QSize natural);

// When the program stops waiting for a picture given `budget` from now.
std::chrono::steady_clock::time_point wallClockEnd(std::chrono::seconds budget);

} // namespace timelimits
