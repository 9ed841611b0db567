#pragma once

#include <SDL2/SDL_mixer.h>

#include <mutex>

// The engine and players as they were in the program, for the benchmark's baseline.
namespace inprocess {

// The one SDL2_mixer output the program's sounds share: opened once, on first use. When no
// device can be opened the failure is remembered and every sound operation becomes a silent
// no-op for the rest of the run (trying again would repeat a slow driver probe at every call).
//
// The mixer has one music stream. MP3 music plays there as a mixer music; MIDI music is rendered
// by a synthesizer through a hook on the same stream. Starting either one stops the other, so at
// most one music plays; stopping one never touches the other. Comments have a channel of their
// own, reserved so that nothing else plays on it.
class AudioEngine {
public:
    AudioEngine() = default;
    ~AudioEngine();
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    // Opens the device on the first call; false when there is none.
    bool ready();
    int sampleRate() const { return sampleRate_; }

    // Plays `music` once on the music stream, replacing whatever played there.
    bool playMusic(Mix_Music* music);
    // Halts `music` when it is the one playing, and frees it.
    void freeMusic(Mix_Music* music);

    // A MIDI renderer on the music stream: writes `len` bytes of signed 16-bit stereo.
    using Renderer = void (*)(void* context, Uint8* stream, int len);
    // Counts the starts of music, so that a start prepared earlier can tell whether another
    // music has started since.
    unsigned musicStarts() const;
    // Installs the renderer, replacing whatever played, unless another music started after
    // `startsSeen` was read. False when it did not install.
    bool hookMusic(Renderer renderer, void* context, unsigned startsSeen);
    // Removes the renderer of `context` when it is the one installed. Once this returns, the
    // renderer is no longer running.
    void unhookMusic(void* context);

    // The channel reserved for comments.
    static constexpr int kCommentChannel = 0;

private:
    enum class State { Closed, Open, Failed };
    State state_ = State::Closed;
    int sampleRate_ = 0;
    mutable std::mutex mutex_; // music calls may come from the synthesizer's loading thread
    void* hooked_ = nullptr;
    unsigned starts_ = 0;
};

} // namespace inprocess
