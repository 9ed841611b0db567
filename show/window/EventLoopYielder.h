#pragma once

#include "platform/Yielder.h"

#include <functional>

// Yields by processing the pending window events (input, paints, timers). A yield with nothing
// to repaint is a wait (the music's): it then also sleeps a moment, so that waiting does not
// keep a processor busy.
class EventLoopYielder final : public Yielder {
public:
    // `stillOpen` tells whether the show survived the yield; `takeRepaintPending` tells whether
    // anything was drawn since the last yield, and clears that mark.
    EventLoopYielder(std::function<bool()> stillOpen, std::function<bool()> takeRepaintPending);
    bool yieldOnce() override;

private:
    std::function<bool()> stillOpen_;
    std::function<bool()> takeRepaintPending_;
};
