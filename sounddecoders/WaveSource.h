#pragma once

#include "sounddecoders/PcmSource.h"

#include <memory>

// A WAVE comment from the open `file` (read from its start; the source keeps its own copy of the
// descriptor). PCM of 8 to 32 bits and floating point of 32 or 64 bits, in RIFF or big-endian
// RIFX files, are read and converted a piece at a time; the compressed formats SDL's loader
// knows (ADPCM, A-law, mu-law) are decoded whole by it. Null when the file is no WAVE file this
// plays, declares more samples than it holds, holds more than about twelve minutes, or has a
// sample rate beyond 768 kHz.
std::unique_ptr<PcmSource> openWave(int file);
