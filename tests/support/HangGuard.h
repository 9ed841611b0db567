#pragma once

#include <unistd.h>

// Ends the test program with SIGALRM when a call that must never block blocks all the same
// (an open of a named pipe), so that such a fault fails the run instead of hanging it.
class HangGuard {
public:
    explicit HangGuard(unsigned seconds = 60) { ::alarm(seconds); }
    ~HangGuard() { ::alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};
