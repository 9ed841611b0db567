#pragma once

#include <QtGlobal>

// The time of day and a monotonic clock, behind an interface so that tests can fix them.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since midnight, local time, with the fraction (seeds the random generator).
    virtual double secondsSinceMidnight() const = 0;
    // Milliseconds on a clock that never goes back (waits use it, so they end across midnight).
    virtual qint64 monotonicMs() const = 0;
};

class SystemClock final : public Clock {
public:
    SystemClock();
    double secondsSinceMidnight() const override;
    qint64 monotonicMs() const override;
};
