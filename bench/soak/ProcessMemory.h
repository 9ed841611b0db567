#pragma once

#include <map>
#include <QString>
#include <QStringList>

// What the program and its helpers hold in memory, read from /proc: the resident size (RSS)
// and the proportional share (PSS), which splits pages shared between processes (the helpers'
// libraries, the pictures they hand over) among those that share them.
struct Footprint {
    double rssMB = 0;
    double pssMB = 0;
    Footprint& operator+=(const Footprint& other) {
        rssMB += other.rssMB;
        pssMB += other.pssMB;
        return *this;
    }
};

struct ProcessMemory {
    Footprint program;
    Footprint helpers;                 // every process started by the program, added up
    std::map<QString, int> helperRuns; // how many of each are running, by command name
    QStringList helperPids;
    int helperCount() const;
};

// The program (this process) and its helpers (its children and theirs: decoder helpers, sound
// processes) now.
ProcessMemory processMemoryNow();
