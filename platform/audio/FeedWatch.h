#pragma once

#include <chrono>
#include <optional>

// Whether the process feeding a sound keeps it fed, and honestly. It is given up when the sound
// has gone hungry for two seconds before its end (a decoder that hangs or spins inside a file),
// or when it has spent more than half a core over four seconds (a decoder taken over that keeps
// the pipe full and burns the processor besides: decoding takes a few per cent).
class FeedWatch {
public:
    using Clock = std::chrono::steady_clock;
    enum class Verdict { Fed, Stalled, Spinning };

    static constexpr std::chrono::seconds StallLimit{2};
    static constexpr std::chrono::seconds Window{4};
    static constexpr double MostCores = 0.5;

    // Whether the feeder's processor time is wanted at `now`: at the start and end of each window.
    bool wantsProcessorTime(Clock::time_point now) const;
    // After a block of the sound at `now`, which the feeder filled or left `hungry`; `cpu`, when
    // read, the processor time it has used in all.
    Verdict heard(Clock::time_point now, bool hungry, std::optional<Clock::duration> cpu = {});

private:
    std::optional<Clock::time_point> hungrySince_;
    std::optional<Clock::time_point> windowStart_;
    Clock::duration cpuAtStart_{};
};
