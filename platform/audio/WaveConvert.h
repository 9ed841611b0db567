#pragma once

#include "platform/audio/WaveHeader.h"

#include <QByteArray>

// WAVE files SDL's loader refuses but sox and other players play: big-endian RIFX files and
// 64-bit floating-point samples. The program rewrites them as a plain RIFF WAVE file for it.

// Whether the sound needs rewriting before SDL loads it.
bool needsConversion(const WaveHeader& header);

// The samples `data` (as many bytes as `header` declares) as a little-endian RIFF WAVE file of
// PCM or 32-bit floating-point samples. Empty when the format is not one this converts: PCM of
// 8 to 32 bits or floating point of 32 or 64 bits.
QByteArray convertedWave(const WaveHeader& header, const QByteArray& data);
