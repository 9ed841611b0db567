#include "baseline/AudioEngine.h"

#include <SDL2/SDL.h>

#include <QtGlobal>

namespace inprocess {

namespace {
constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kChunkFrames = 1024; // about 23 ms: a stop is heard at once
constexpr int kMixChannels = 8;
} // namespace

AudioEngine::~AudioEngine() {
    if (state_ != State::Open)
        return;
    Mix_HookMusic(nullptr, nullptr);
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioEngine::ready() {
    if (state_ != State::Closed)
        return state_ == State::Open;
    state_ = State::Failed;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1"); // Qt owns the process's signals
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        qWarning("Sound is off: no audio driver (%s)", SDL_GetError());
        return false;
    }
    Mix_Init(MIX_INIT_MP3);
    // No format changes allowed: SDL converts for the device, and the MIDI renderer writes
    // exactly this format.
    if (Mix_OpenAudioDevice(kFrequency, AUDIO_S16SYS, kChannels, kChunkFrames, nullptr, 0) != 0) {
        qWarning("Sound is off: the audio device cannot be opened (%s)", Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kMixChannels);
    Mix_ReserveChannels(kCommentChannel + 1);
    sampleRate_ = kFrequency;
    state_ = State::Open;
    return true;
}

bool AudioEngine::playMusic(Mix_Music* music) {
    std::lock_guard lock(mutex_);
    if (state_ != State::Open || music == nullptr)
        return false;
    if (hooked_ != nullptr) {
        Mix_HookMusic(nullptr, nullptr);
        hooked_ = nullptr;
    }
    ++starts_;
    return Mix_PlayMusic(music, 0) == 0;
}

void AudioEngine::freeMusic(Mix_Music* music) {
    if (music == nullptr)
        return;
    std::lock_guard lock(mutex_);
    Mix_FreeMusic(music); // halts it first when it is the music playing, and only then
}

unsigned AudioEngine::musicStarts() const {
    std::lock_guard lock(mutex_);
    return starts_;
}

bool AudioEngine::hookMusic(Renderer renderer, void* context, unsigned startsSeen) {
    std::lock_guard lock(mutex_);
    if (state_ != State::Open || starts_ != startsSeen)
        return false;
    ++starts_;
    Mix_HaltMusic();
    Mix_HookMusic(renderer, context);
    hooked_ = context;
    return true;
}

void AudioEngine::unhookMusic(void* context) {
    std::lock_guard lock(mutex_);
    if (hooked_ != context || context == nullptr)
        return;
    Mix_HookMusic(nullptr, nullptr); // takes the audio lock: the renderer has returned
    hooked_ = nullptr;
}

} // namespace inprocess
