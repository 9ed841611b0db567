#pragma once

#include <functional>
#include <memory>

class SoundFiles;
class Synthesizer;

// What a test build of the sound process may change about its life; the shipped one takes the
// defaults.
struct SoundHelperOptions {
    int landlockVersionAtMost = 1000; // lower: confine as on an older kernel; 0: no Landlock
};

// How the process decodes, given the synthesizer (null in the comments' process, or without a
// soundfont).
using MakeSoundFiles = std::function<std::unique_ptr<SoundFiles>(Synthesizer* synth)>;

// The sound process's whole life: it checks it was started by the program (whose id is its
// first argument, its role "music" or "comment" the second) and dies with it; the music process
// loads the synthesizer and its soundfont; then it confines itself more tightly than the picture
// decoder (no file opened, no thread started, no memfd made: all it needs came before) and
// serves the program on descriptor 3.
int runSoundHelper(int argc, char** argv, const MakeSoundFiles& makeFiles,
                   const SoundHelperOptions& options = {});
