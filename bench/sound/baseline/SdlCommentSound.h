#pragma once

#include "platform/SoundDevices.h"

#include <SDL2/SDL_mixer.h>

// The engine and players as they were in the program, for the benchmark's baseline.
namespace inprocess {

class AudioEngine;

// WAVE comments on the engine's reserved channel: a comment starts at once, a new one cuts the
// one playing, and nothing else stops it (it outlives the show that started it). The last
// comment stays loaded until it is replaced or the program ends.
class SdlCommentSound final : public CommentSound {
public:
    explicit SdlCommentSound(AudioEngine& engine) : engine_(engine) {}
    ~SdlCommentSound() override;
    SdlCommentSound(const SdlCommentSound&) = delete;
    SdlCommentSound& operator=(const SdlCommentSound&) = delete;

    // False when there is no sound device or the file cannot be played.
    bool sndPlaySound(const QString& path) override;

private:
    void release();

    AudioEngine& engine_;
    Mix_Chunk* chunk_ = nullptr;
};

} // namespace inprocess
