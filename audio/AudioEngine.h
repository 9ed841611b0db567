#pragma once

#include "audio/FeedWatch.h"
#include "audio/PcmStream.h"

#include <SDL2/SDL_audio.h>

#include <functional>
#include <memory>

// The one SDL output the program's sounds share, opened once, on first use, in the device's
// format (pcm::Rate, stereo, signed 16-bit; SDL converts it for the hardware). When no device can
// be opened the failure is remembered and every sound operation becomes a silent no-op for the
// rest of the run (trying again would repeat a slow driver probe at every call).
//
// It mixes two voices, each a stream of samples from the sound process: the music (MP3 or MIDI:
// starting one replaces the other, so at most one music plays, and each player stops only what
// it started) and the comment. The program decodes nothing: it adds the two streams. Each voice
// watches the process that fed it last, while it plays and once it is silent (FeedWatch.h).
class AudioEngine {
public:
    AudioEngine() = default;
    ~AudioEngine();
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    // Opens the device on the first call; false when there is none.
    bool ready();

    enum class Voice { Music, Comment };
    // Plays `stream` on `voice`, replacing what played there; `owner` names who may stop it.
    void play(Voice voice, std::unique_ptr<PcmStream> stream, const void* owner = nullptr);
    // Stops `voice` when `owner` started what plays there.
    void stop(Voice voice, const void* owner = nullptr);

    // What goes to the device, block by block, from the audio thread (a benchmark listens here).
    using Tap = std::function<void(const qint16* samples, int frames)>;
    void setTap(Tap tap);

private:
    struct Playing {
        std::unique_ptr<PcmStream> stream;
        const void* owner = nullptr;
        std::shared_ptr<PcmFeeder> feeder; // the last stream's, still watched when it has gone
        FeedWatch watch;
    };
    static void fill(void* self, Uint8* out, int bytes);
    static void mix(Playing& voice, qint16* out, int frames, FeedWatch::Clock::time_point now);
    // Takes the stream off `voice` (when `onlyOf` started it, or any), puts `next` on it, under
    // the device's lock; the old stream goes outside it.
    std::unique_ptr<PcmStream> swap(Voice voice, std::unique_ptr<PcmStream> next, const void* owner,
                                    const void* onlyOf, bool any);

    enum class State { Closed, Open, Failed };
    State state_ = State::Closed;
    SDL_AudioDeviceID device_ = 0;
    Playing voices_[2];
    Tap tap_;
};
