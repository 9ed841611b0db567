#pragma once

#include "platform/SoundDevices.h"

#include <QString>

class AudioEngine;
class SoundDecoding;

// The MCI sequencer over the shared audio engine: one MIDI piece (.mid, or .rmi) open under one
// alias at a time, read and played by the sound process. "open" hands the file over to be
// checked, "play" starts it from the beginning, "close" stops it and forgets it. A command that
// is not understood, names another alias, opens a second piece, or names a file that is not a
// MIDI file fails without any effect. With no sound device every command fails and nothing
// plays.
class SdlMciSequencer final : public MciSequencer {
public:
    SdlMciSequencer(AudioEngine& engine, SoundDecoding& decoding)
        : engine_(engine), decoding_(decoding) {}
    ~SdlMciSequencer() override;
    SdlMciSequencer(const SdlMciSequencer&) = delete;
    SdlMciSequencer& operator=(const SdlMciSequencer&) = delete;

    bool mciSendString(const QString& command) override;

    // Waits up to `ms` milliseconds for the synthesizer to load; true when MIDI can sound.
    bool waitUntilLoaded(int ms);

private:
    bool open(const QString& path, const QString& alias);
    void close();
    bool isOpenAlias(const QString& alias) const;

    AudioEngine& engine_;
    SoundDecoding& decoding_;
    QString alias_; // empty: nothing open
    int file_ = -1; // the open piece
    qint64 bytes_ = 0;
};
