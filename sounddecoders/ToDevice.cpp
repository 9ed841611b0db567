#include "sounddecoders/ToDevice.h"

#include "audio/PcmFormat.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace {
// What the resampler may add at the end of a sound, beyond the exact ratio.
constexpr qint64 ResamplerSlack = 4096;
} // namespace

ToDevice::ToDevice(SDL_AudioFormat format, int channels, int rate) : rate_(rate) {
    if (channels > 0 && channels <= 255 && rate > 0)
        stream_ = SDL_NewAudioStream(format, Uint8(channels), rate, AUDIO_S16SYS, pcm::Channels,
                                     pcm::Rate);
}

ToDevice::~ToDevice() {
    if (stream_ != nullptr)
        SDL_FreeAudioStream(stream_);
}

bool ToDevice::put(const void* samples, qsizetype bytes) {
    return valid() && bytes >= 0 && bytes <= 0x7FFFFFFF &&
           (bytes == 0 || SDL_AudioStreamPut(stream_, samples, int(bytes)) == 0);
}

void ToDevice::finish() {
    if (valid())
        SDL_AudioStreamFlush(stream_);
}

qsizetype ToDevice::take(qint16* out, qsizetype frames) {
    if (!valid() || frames <= 0)
        return 0;
    const int bytes = int(std::min<qsizetype>(frames, 1 << 20) * pcm::FrameBytes);
    const int got = SDL_AudioStreamGet(stream_, out, bytes);
    return got > 0 ? got / pcm::FrameBytes : 0;
}

qsizetype ToDevice::waiting() const {
    return valid() ? SDL_AudioStreamAvailable(stream_) / pcm::FrameBytes : 0;
}

qint64 ToDevice::inputFor(qint64 frames) const {
    return std::max<qint64>(1, frames * rate_ / pcm::Rate);
}

qint64 ToDevice::mostOutputOf(qint64 input) const {
    return rate_ <= 0 ? 0 : input * pcm::Rate / rate_ + 1 + ResamplerSlack;
}
