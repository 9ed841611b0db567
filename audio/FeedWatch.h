#pragma once

#include <chrono>
#include <optional>

// Whether the process feeding a voice keeps it fed, and honestly. It is given up when the sound
// it plays has gone hungry for two seconds before its end (a decoder that hangs or spins inside
// a file), or when, over four seconds, it has spent more than half a second of the processor for
// each second of sound it delivered, and half a second besides (a decoder taken over that keeps
// the pipe full and burns the processor all the same, or burns it once its sound has ended:
// decoding takes a few hundredths). Measured against the sound, not the clock, the rule holds on
// a busy machine too.
class FeedWatch {
public:
    using Clock = std::chrono::steady_clock;
    enum class Verdict { Fed, Stalled, Spinning };

    static constexpr std::chrono::seconds StallLimit{2};
    static constexpr std::chrono::seconds Window{4};
    static constexpr double MostProcessorPerSound = 0.5;
    static constexpr std::chrono::milliseconds Allowance{500};

    // Whether the feeder's processor time is wanted at `now`: at the start and end of each window.
    bool wantsProcessorTime(Clock::time_point now) const;
    // After a block at `now`, of which the feeder delivered `frames` and which it filled or left
    // `hungry` (never, when no sound plays); `cpu`, when read, the processor time it has used in
    // all.
    Verdict heard(Clock::time_point now, long long frames, bool hungry,
                  std::optional<Clock::duration> cpu = {});

private:
    std::optional<Clock::time_point> hungrySince_;
    std::optional<Clock::time_point> windowStart_;
    Clock::duration cpuAtStart_{};
    long long framesInWindow_ = 0;
};
