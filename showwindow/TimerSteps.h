#pragma once

#include "show/StepScheduler.h"

#include <QTimer>

// The show's steps on one single-shot timer of the window: a zero-time step runs once the
// event loop has delivered the input and paints that wait.
class TimerSteps final : public StepScheduler {
public:
    TimerSteps();
    void after(int delayMs, std::function<void()> step) override;
    void hasten() override;
    void cancel() override;

private:
    QTimer timer_;
    std::function<void()> step_;
};
