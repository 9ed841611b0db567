#pragma once

// Yields once to the event loop (input, paints, timers are handled there). Returns false when
// the show was ended meanwhile: the caller must then stop at once without touching the show.
class Yielder {
public:
    virtual ~Yielder() = default;
    virtual bool yieldOnce() = 0;
};
