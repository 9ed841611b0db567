#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <QtGlobal>
#include <vector>

// The process that feeds a stream, as the audio thread acts on it.
class PcmFeeder {
public:
    virtual ~PcmFeeder() = default;
    // The processor time it has used in all; nothing once it is gone.
    virtual std::optional<std::chrono::nanoseconds> processorTime() = 0;
    // Ends it: it sent more than it declared, stalled or spins.
    virtual void giveUp() = 0;
};

// One sound coming from the process that decodes it, through a pipe, in the device's format
// (pcm::Rate, stereo, signed 16-bit). The stream holds the process to the frame count it
// declared: one that sends more is given up and the sound ends there, silent. (How it keeps the
// sound fed is the engine's watch, FeedWatch.h.)
class PcmStream {
public:
    // Reads `pipe` (its read end, non-blocking; the stream closes it): at most `frames` frames.
    PcmStream(int pipe, qint64 frames, std::shared_ptr<PcmFeeder> feeder);
    ~PcmStream();
    PcmStream(const PcmStream&) = delete;
    PcmStream& operator=(const PcmStream&) = delete;

    enum class End { Playing, Ended, Overlong, Stalled, Spinning };

    struct Mixed {
        qint64 frames = 0;    // delivered
        bool playing = false; // false once the sound is over
    };
    // Adds the next `frames` frames, as many as have come, to `out` (sums clamped to 16 bits).
    // Called from the audio thread alone.
    Mixed mixInto(qint16* out, int frames);
    // Ends the sound here and gives its feeder up.
    void giveUp(End why);
    End end() const { return end_; }
    const std::shared_ptr<PcmFeeder>& feeder() const { return feeder_; }

private:
    int pipe_;
    qint64 left_; // frames the process may still send
    std::shared_ptr<PcmFeeder> feeder_;
    std::vector<char> bytes_;
    qsizetype carried_ = 0; // bytes of a frame that came in part
    End end_ = End::Playing;
};
