#pragma once

#include "audio/PcmFormat.h"
#include "audio/PcmStream.h"

#include <memory>

// Where the sound devices have their files decoded: a confined process of the program's own
// (helpers/SoundProcess.h), never the program. The devices open the files themselves
// (regular files only) and hand over the open descriptors; what comes back is PCM in the
// device's format, checked (PcmFormat.h, PcmStream.h).
class SoundDecoding {
public:
    virtual ~SoundDecoding() = default;
    // Starts, ahead of its first sound, what decodes `kind`; returns at once.
    virtual void prepare(SoundKind kind) = 0;
    // Waits up to `ms` milliseconds for the decoding of `kind` to be ready; true when it can
    // sound (MIDI: the synthesizer has its soundfont).
    virtual bool waitUntilReady(SoundKind kind, int ms) = 0;
    // Whether the open `file` holds sound of `kind` that can be played.
    virtual bool playable(SoundKind kind, int file) = 0;
    // The sound of the open `file` of `bytes` bytes, as it is decoded; null when it cannot be
    // played.
    virtual std::unique_ptr<PcmStream> decode(SoundKind kind, int file, qint64 bytes) = 0;
};
