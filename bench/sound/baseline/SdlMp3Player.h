#pragma once

#include "platform/SoundDevices.h"

#include <SDL2/SDL_mixer.h>

// The engine and players as they were in the program, for the benchmark's baseline.
namespace inprocess {

class AudioEngine;

// MP3 music on the shared audio engine: plays a file once, never repeats it. Stopping it
// leaves MIDI music alone. With no sound device, play does nothing and reports success: the
// show goes on silently.
class SdlMp3Player final : public Mp3Player {
public:
    explicit SdlMp3Player(AudioEngine& engine) : engine_(engine) {}
    ~SdlMp3Player() override;
    SdlMp3Player(const SdlMp3Player&) = delete;
    SdlMp3Player& operator=(const SdlMp3Player&) = delete;

    void stop() override;
    // False when the file cannot be read or decoded.
    bool play(const QString& path) override;

private:
    AudioEngine& engine_;
    Mix_Music* music_ = nullptr;
};

} // namespace inprocess
