#pragma once

#include "sounddecoders/WaveHeader.h"

#include <optional>
#include <QByteArray>
#include <QByteArrayView>

// The samples of a PCM or floating-point WAVE file as the converter to the device's format takes
// them. It reads 16- and 32-bit integers and 32-bit floating point in either byte order; 8-bit
// samples (unsigned, whose silence SDL's resampler would not pad with), 24-bit integers and
// 64-bit floating point (sox writes both, in big-endian RIFX files too) are rewritten first, as
// 16-bit and 32-bit integers and 32-bit floating point in the machine's order.
struct SampleLayout {
    enum class Encoding { Signed16, Signed32, Float32 };
    Encoding encoding = Encoding::Signed16; // of the samples handed on
    int fileBytes = 0;                      // bytes of one sample in the file
    bool fileBigEndian = false;             // a RIFX file
    int bytes = 0;                          // bytes of one sample handed on
    bool bigEndian = false;                 // their byte order

    bool rewritten() const { return bytes != fileBytes; }
};

// How the samples of `header` are handed on; nothing when they are not PCM of 8, 16, 24 or 32
// bits or floating point of 32 or 64 bits (the compressed formats).
std::optional<SampleLayout> sampleLayout(const WaveHeader& header);

// Samples of the file, `data`, as `layout` hands them on. Whole samples only: the bytes of a
// sample cut short are dropped.
QByteArray handedOn(const SampleLayout& layout, QByteArrayView data);
