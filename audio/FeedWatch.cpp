#include "audio/FeedWatch.h"

#include "audio/PcmFormat.h"

bool FeedWatch::wantsProcessorTime(Clock::time_point now) const {
    return !windowStart_ || now - *windowStart_ >= Window;
}

FeedWatch::Verdict FeedWatch::heard(Clock::time_point now, long long frames, bool hungry,
                                    std::optional<Clock::duration> cpu) {
    if (!hungry)
        hungrySince_.reset();
    else if (!hungrySince_)
        hungrySince_ = now;
    else if (now - *hungrySince_ >= StallLimit)
        return Verdict::Stalled;

    framesInWindow_ += frames;
    if (cpu && wantsProcessorTime(now)) {
        if (windowStart_) {
            const double sound = double(framesInWindow_) / pcm::Rate;
            const double used = std::chrono::duration<double>(*cpu - cpuAtStart_).count();
            if (used >
                MostProcessorPerSound * sound + std::chrono::duration<double>(Allowance).count())
                return Verdict::Spinning;
        }
        windowStart_ = now;
        cpuAtStart_ = *cpu;
        framesInWindow_ = 0;
    }
    return Verdict::Fed;
}
