#pragma once

#include <chrono>
#include <QByteArray>
#include <QSize>

// How long a decoder helper may work on one picture. The processor time it may use ends a
// decoder that spins within seconds however busy the machine is. Behind it one wall-clock bound,
// set before the helper sees the picture from what the program knows itself (the file's size,
// the size its header claims, the machine's load), ends a helper that sleeps, stalls or waits on
// a slow disk; nothing the helper says moves it.
namespace timelimits {

// To read a header and ask for the size.
constexpr std::chrono::seconds headerProcessorTime{2};

// To decode and scale a picture of `natural` size: 2 s, and 1 s more for every 20 megapixels
// (a 200-megapixel panorama gets 12 s; it needs about 4 at full size).
std::chrono::seconds processorTime(QSize natural);

// What the program knows of a picture before a helper sees it.
struct PictureFacts {
    qint64 bytes = 0; // the file's size
    QSize header;     // the size its first bytes claim; invalid when they name none
};

// The wall clock's bound, whatever the picture: a user waits no longer for any.
constexpr std::chrono::milliseconds LongestBound{10'000};
// And the least one: a fresh helper's start and a small picture, on a machine that stalls now
// and then, from a USB disk that has to spin up first.
constexpr std::chrono::milliseconds ShortestBound{5000};

// The wall-clock time a picture may take from its hand-over to its pixels: a helper's start, the
// file read at a slow disk's pace, its pixels decoded at a modest processor's pace (the larger of
// the header's size and a guess from the file's size), all stretched by the share of a processor
// a decode gets at `loadPerCore` (runnable tasks per core), within the two bounds above.
std::chrono::milliseconds wallClockBound(const PictureFacts& facts, double loadPerCore);

// The machine's load over the last minute per processor the program may run on.
double loadPerCore();

// The pixels a picture's first bytes (up to its first 64 KiB) say it has: JPEG (its frame
// header), PNG, GIF, BMP and WebP; an invalid size for anything else.
QSize headerSize(const QByteArray& head);
constexpr qsizetype HeaderBytes = qsizetype(64) * 1024;

} // namespace timelimits
