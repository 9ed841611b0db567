#pragma once

#include <fluidsynth/types.h>

// The General MIDI synthesizer with the system's soundfont, loaded once when the sound process
// starts, before it confines itself (afterwards it can open no file). It renders at the device's
// rate on the calling thread alone: no audio driver, no thread of its own, its player timed by
// the samples it renders. Without a soundfont, MIDI stays silent.
class Synthesizer {
public:
    Synthesizer();
    ~Synthesizer();
    Synthesizer(const Synthesizer&) = delete;
    Synthesizer& operator=(const Synthesizer&) = delete;

    bool usable() const { return synth_ != nullptr; }
    fluid_synth_t* synth() const { return synth_; }
    fluid_settings_t* settings() const { return settings_; }

private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
};
