#pragma once

#include "platform/audio/FeedWatch.h"

#include <chrono>
#include <memory>
#include <optional>
#include <QtGlobal>
#include <vector>

// The process that feeds a stream, as the stream acts on it from the audio thread.
class PcmFeeder {
public:
    virtual ~PcmFeeder() = default;
    // The processor time it has used in all; nothing once it is gone.
    virtual std::optional<std::chrono::nanoseconds> processorTime() = 0;
    // Ends it: it sent more than it declared, stalled or spins.
    virtual void giveUp() = 0;
};

// One sound coming from the process that decodes it, through a pipe, in the device's format
// (pcm::Rate, stereo, signed 16-bit). The stream holds the process to what it declared: no more
// frames than the declared count, fed without stalling, without burning the processor
// (FeedWatch); a process that breaks its word is given up and the sound ends there, silent.
class PcmStream {
public:
    // Reads `pipe` (its read end, non-blocking; the stream closes it): at most `frames` frames.
    PcmStream(int pipe, qint64 frames, std::shared_ptr<PcmFeeder> feeder);
    ~PcmStream();
    PcmStream(const PcmStream&) = delete;
    PcmStream& operator=(const PcmStream&) = delete;

    enum class End { Playing, Ended, Overlong, Stalled, Spinning };

    // Adds the next `frames` frames, as many as have come, to `out` (sums clamped to 16 bits);
    // false once the sound is over. Called from the audio thread alone.
    bool mixInto(qint16* out, int frames, FeedWatch::Clock::time_point now);
    End end() const { return end_; }

private:
    void giveUp(End why);

    int pipe_;
    qint64 left_; // frames the process may still send
    std::shared_ptr<PcmFeeder> feeder_;
    FeedWatch watch_;
    std::vector<char> bytes_;
    qsizetype carried_ = 0; // bytes of a frame that came in part
    End end_ = End::Playing;
};
