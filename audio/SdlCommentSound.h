#pragma once

#include "platform/SoundDevices.h"

class AudioEngine;
class SoundDecoding;

// WAVE comments on the engine's comment voice, decoded by the sound process: a comment starts at
// once, a new one cuts the one playing, and nothing else stops it (it outlives the show that
// started it).
class SdlCommentSound final : public CommentSound {
public:
    SdlCommentSound(AudioEngine& engine, SoundDecoding& decoding)
        : engine_(engine), decoding_(decoding) {}
    ~SdlCommentSound() override;
    SdlCommentSound(const SdlCommentSound&) = delete;
    SdlCommentSound& operator=(const SdlCommentSound&) = delete;

    // False when there is no sound device or the file cannot be played.
    bool sndPlaySound(const QString& path) override;

private:
    AudioEngine& engine_;
    SoundDecoding& decoding_;
};
