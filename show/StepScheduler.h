#pragma once

#include <functional>

// Runs the show's steps one after another on the application's event loop, so that input,
// paints and timers are handled between two steps. One step is pending at a time.
class StepScheduler {
public:
    virtual ~StepScheduler() = default;
    // Runs `step` once `delayMs` milliseconds have passed; with 0, as soon as the loop has
    // handled what waits. Replaces a step still pending.
    virtual void after(int delayMs, std::function<void()> step) = 0;
    // Runs the pending step as soon as the loop has handled what waits, rather than at its time:
    // what it waited for has come. Nothing when no step is pending.
    virtual void hasten() = 0;
    // Drops the pending step: it never runs.
    virtual void cancel() = 0;
};
