#pragma once

#include "platform/SoundDevices.h"

#include <optional>
#include <QString>
#include <sys/stat.h>

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

    // A file as it was when it was opened: the same file, unchanged, when all of it is equal.
    struct Identity {
        dev_t device;
        ino_t inode;
        off_t size;
        timespec modified;
    };
    static bool same(const Identity& a, const Identity& b);

    AudioEngine& engine_;
    SoundDecoding& decoding_;
    QString alias_; // empty: nothing open
    int file_ = -1; // the open piece
    qint64 bytes_ = 0;
    // The file last found to hold a piece: the show opens a piece, closes it and opens it again
    // at once, and the sound process is asked once.
    std::optional<Identity> playable_;
};
