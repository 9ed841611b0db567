#pragma once

#include <fluidsynth/types.h>
#include <QByteArray>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// The engine and players as they were in the program, for the benchmark's baseline.
namespace inprocess {

class AudioEngine;

// General MIDI music through a fluidsynth synthesizer on the engine's music stream. The
// synthesizer and its soundfont are loaded once, on a thread of their own, because loading
// takes a few hundred milliseconds; a piece asked for meanwhile starts as soon as they are ready.
// Without a soundfont MIDI stays silent.
class MidiSynth {
public:
    explicit MidiSynth(AudioEngine& engine);
    ~MidiSynth();
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;

    // Starts loading the synthesizer if it is not loaded yet; returns at once.
    void prepare();
    // Plays a standard MIDI file once from its start, replacing the piece playing.
    void play(const QByteArray& smf);
    // No MIDI plays afterwards; a piece still waiting for the synthesizer is dropped.
    void stop();
    // Waits up to `ms` milliseconds for the synthesizer; true when it is usable.
    bool waitUntilLoaded(int ms);

private:
    enum class Load { NotStarted, Loading, Ready, Failed };
    void load();
    void startLocked(); // needs mutex_
    void stopLocked();  // needs mutex_
    static void render(void* self, unsigned char* stream, int len);

    AudioEngine& engine_;
    std::mutex mutex_;
    std::condition_variable loaded_;
    std::thread loader_;
    Load load_ = Load::NotStarted;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_player_t* player_ = nullptr;
    QByteArray pending_;                 // the piece to start once loaded
    unsigned pendingSeen_ = 0;           // the engine's music starts when it was asked for
    std::vector<unsigned char> scratch_; // used by the audio thread only
};

} // namespace inprocess
