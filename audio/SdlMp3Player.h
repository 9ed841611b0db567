#pragma once

#include "platform/SoundDevices.h"

class AudioEngine;
class SoundDecoding;

// MP3 music on the shared audio engine, decoded by the sound process: plays a file once, never
// repeats it. Stopping it leaves MIDI music alone. With no sound device, play does nothing and
// reports success: the show goes on silently.
class SdlMp3Player final : public Mp3Player {
public:
    SdlMp3Player(AudioEngine& engine, SoundDecoding& decoding)
        : engine_(engine), decoding_(decoding) {}
    ~SdlMp3Player() override;
    SdlMp3Player(const SdlMp3Player&) = delete;
    SdlMp3Player& operator=(const SdlMp3Player&) = delete;

    void stop() override;
    // False when the file cannot be read or decoded.
    bool play(const QString& path) override;

private:
    AudioEngine& engine_;
    SoundDecoding& decoding_;
};
