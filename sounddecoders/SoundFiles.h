#pragma once

#include "sounddecoders/PcmSource.h"

#include <memory>

class Synthesizer;

// How the sound process decodes the files the program hands it; a test build of the process has
// its own.
class SoundFiles {
public:
    virtual ~SoundFiles() = default;
    // Whether the open `file` holds sound of `kind` that can be played.
    virtual bool playable(SoundKind kind, int file) = 0;
    // Its sound, or null when it cannot be played.
    virtual std::unique_ptr<PcmSource> open(SoundKind kind, int file) = 0;
};

// WAVE, MP3 and, with `synth` (null: MIDI stays silent), MIDI and RMI.
class DecodedSoundFiles final : public SoundFiles {
public:
    explicit DecodedSoundFiles(Synthesizer* synth) : synth_(synth) {}
    bool playable(SoundKind kind, int file) override;
    std::unique_ptr<PcmSource> open(SoundKind kind, int file) override;

private:
    Synthesizer* synth_;
};
