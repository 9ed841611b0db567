#include "showwindow/TimerSteps.h"

#include <utility>

TimerSteps::TimerSteps() {
    timer_.setSingleShot(true);
    // The music's waits are heard: they keep to the millisecond rather than a coarse slot.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // The step may schedule the next one: it is taken out first.
        const std::function<void()> step = std::exchange(step_, {});
        if (step)
            step();
    });
}

void TimerSteps::after(int delayMs, std::function<void()> step) {
    step_ = std::move(step);
    timer_.start(delayMs);
}

void TimerSteps::hasten() {
    if (step_)
        timer_.start(0);
}

void TimerSteps::cancel() {
    timer_.stop();
    step_ = {};
}
