#pragma once

#include "baseline/MidiSynth.h"
#include "platform/SoundDevices.h"

#include <QByteArray>
#include <QString>

// The engine and players as they were in the program, for the benchmark's baseline.
namespace inprocess {

class AudioEngine;

// The MCI sequencer over the shared audio engine: one MIDI piece (.mid, or .rmi unwrapped) open
// under one alias at a time. "open" loads the file, "play" starts it from the beginning,
// "close" stops it and forgets it. A command that is not understood, names another alias, opens
// a second piece, or names a file that is not a MIDI file fails without any effect. With no
// sound device every command fails and nothing plays.
class SdlMciSequencer final : public MciSequencer {
public:
    explicit SdlMciSequencer(AudioEngine& engine);
    bool mciSendString(const QString& command) override;

    // Waits up to `ms` milliseconds for the synthesizer to load; true when MIDI can sound.
    bool waitUntilLoaded(int ms) { return synth_.waitUntilLoaded(ms); }

private:
    bool open(const QString& path, const QString& alias);
    bool isOpenAlias(const QString& alias) const;

    AudioEngine& engine_;
    MidiSynth synth_;
    QString alias_; // empty: nothing open
    QByteArray piece_;
};

} // namespace inprocess
