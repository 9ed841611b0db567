#pragma once

#include <SDL2/SDL_audio.h>

#include <QtGlobal>

// Samples of a format SDL reads, converted to the device's (pcm::Rate, stereo, signed 16-bit) by
// SDL's own converter, as SDL_mixer converted them when it played the files itself. Fed and
// drained a piece at a time, so that a sound of any length needs little memory.
class ToDevice {
public:
    ToDevice(SDL_AudioFormat format, int channels, int rate);
    ~ToDevice();
    ToDevice(const ToDevice&) = delete;
    ToDevice& operator=(const ToDevice&) = delete;

    // False when SDL cannot convert from that format (an unknown channel count, a rate out of
    // its range).
    bool valid() const { return stream_ != nullptr; }

    // Whole frames of the input format.
    bool put(const void* samples, qsizetype bytes);
    // No more input: what the resampler still holds comes out.
    void finish();
    // Up to `frames` converted frames into `out`; the count.
    qsizetype take(qint16* out, qsizetype frames);
    // Converted frames waiting.
    qsizetype waiting() const;
    // About how many input frames give `frames` converted ones (at least one).
    qint64 inputFor(qint64 frames) const;
    // The most frames `input` frames of the input give, all told.
    qint64 mostOutputOf(qint64 input) const;

private:
    SDL_AudioStream* stream_ = nullptr;
    int rate_ = 0;
};
