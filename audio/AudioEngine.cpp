#include "audio/AudioEngine.h"

#include "audio/PcmFormat.h"
#include "core/Log.h"

#include <SDL2/SDL.h>

#include <QtGlobal>

#include <cstring>

AudioEngine::~AudioEngine() {
    if (state_ != State::Open)
        return;
    SDL_CloseAudioDevice(device_); // the callback has returned for good
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioEngine::ready() {
    if (state_ != State::Closed)
        return state_ == State::Open;
    state_ = State::Failed;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1"); // Qt owns the process's signals
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        qCWarning(logSound, "Sound is off: no audio driver (%s)", SDL_GetError());
        return false;
    }
    SDL_AudioSpec want{};
    want.freq = pcm::Rate;
    want.format = AUDIO_S16SYS;
    want.channels = pcm::Channels;
    want.samples = pcm::BufferFrames;
    want.callback = &AudioEngine::fill;
    want.userdata = this;
    // No format changes allowed: SDL converts for the device, the streams come in this one.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ == 0) {
        qCWarning(logSound, "Sound is off: the audio device cannot be opened (%s)", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    state_ = State::Open;
    return true;
}

std::unique_ptr<PcmStream> AudioEngine::swap(Voice voice, std::unique_ptr<PcmStream> next,
                                             const void* owner, const void* onlyOf, bool any) {
    Playing& playing = voices_[voice == Voice::Music ? 0 : 1];
    if (state_ != State::Open || (!any && playing.owner != onlyOf))
        return next;
    SDL_LockAudioDevice(device_);
    std::swap(playing.stream, next);
    playing.owner = owner;
    // A stream from another process: that one is watched from now on, afresh.
    if (playing.stream && playing.stream->feeder() != playing.feeder) {
        playing.feeder = playing.stream->feeder();
        playing.watch = FeedWatch();
    }
    SDL_UnlockAudioDevice(device_);
    return next;
}

void AudioEngine::play(Voice voice, std::unique_ptr<PcmStream> stream, const void* owner) {
    swap(voice, std::move(stream), owner, nullptr, true);
}

void AudioEngine::stop(Voice voice, const void* owner) {
    swap(voice, nullptr, nullptr, owner, false);
}

void AudioEngine::setTap(Tap tap) {
    if (state_ == State::Open)
        SDL_LockAudioDevice(device_);
    tap_ = std::move(tap);
    if (state_ == State::Open)
        SDL_UnlockAudioDevice(device_);
}

void AudioEngine::mix(Playing& voice, qint16* out, int frames, FeedWatch::Clock::time_point now) {
    if (!voice.feeder)
        return;
    // A stream that is over stays until the next play or stop takes it away: its pipe is closed
    // outside the audio thread.
    const PcmStream::Mixed mixed =
        voice.stream ? voice.stream->mixInto(out, frames) : PcmStream::Mixed{};
    std::optional<std::chrono::nanoseconds> cpu;
    if (voice.watch.wantsProcessorTime(now))
        cpu = voice.feeder->processorTime();
    const FeedWatch::Verdict verdict =
        voice.watch.heard(now, mixed.frames, mixed.playing && mixed.frames < frames, cpu);
    if (verdict == FeedWatch::Verdict::Fed)
        return;
    if (voice.stream && voice.stream->end() == PcmStream::End::Playing)
        voice.stream->giveUp(verdict == FeedWatch::Verdict::Stalled ? PcmStream::End::Stalled
                                                                    : PcmStream::End::Spinning);
    else
        voice.feeder->giveUp();
    voice.feeder.reset(); // given up for good: nothing more to watch
}

void AudioEngine::fill(void* self, Uint8* out, int bytes) {
    auto* engine = static_cast<AudioEngine*>(self);
    std::memset(out, 0, size_t(bytes));
    auto* samples = reinterpret_cast<qint16*>(out);
    const int frames = bytes / pcm::FrameBytes;
    const auto now = FeedWatch::Clock::now();
    for (Playing& voice : engine->voices_)
        mix(voice, samples, frames, now);
    if (engine->tap_)
        engine->tap_(samples, frames);
}
