#include "platform/audio/FeedWatch.h"

bool FeedWatch::wantsProcessorTime(Clock::time_point now) const {
    return !windowStart_ || now - *windowStart_ >= Window;
}

FeedWatch::Verdict FeedWatch::heard(Clock::time_point now, bool hungry,
                                    std::optional<Clock::duration> cpu) {
    if (!hungry)
        hungrySince_.reset();
    else if (!hungrySince_)
        hungrySince_ = now;
    else if (now - *hungrySince_ >= StallLimit)
        return Verdict::Stalled;

    if (cpu && wantsProcessorTime(now)) {
        if (windowStart_) {
            const auto wall = std::chrono::duration<double>(now - *windowStart_).count();
            const auto used = std::chrono::duration<double>(*cpu - cpuAtStart_).count();
            if (used > MostCores * wall)
                return Verdict::Spinning;
        }
        windowStart_ = now;
        cpuAtStart_ = *cpu;
    }
    return Verdict::Fed;
}
