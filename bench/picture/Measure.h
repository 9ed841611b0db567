#pragma once

#include <functional>

// What one variant of the pipeline costs, measured in a child process of its own so that its
// memory high-water mark is its own.
struct Figures {
    double meanMs = 0;
    double minMs = 0;
    double peakMB = 0;     // the process's resident high-water mark
    double pipelineMB = 0; // that mark less what the process held before the first picture
    bool ok = false;
};

// Runs `work` in a forked child; `work` returns the milliseconds of each step it timed.
Figures measureInChild(const std::function<std::vector<double>()>& work);

// Resident memory now and its high-water mark, in megabytes (Linux /proc/self/status).
double residentMB();
double residentPeakMB();
