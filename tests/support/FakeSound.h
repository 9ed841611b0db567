#pragma once

#include "platform/SoundDevices.h"

#include <QStringList>

namespace fakes {

// The three sound devices as one recorder: each call lands in `log` ("mci …", "mp3 stop",
// "mp3 play …", "wav …"); `mp3Plays` says whether an MP3 starts.
struct RecordingSound final : MciSequencer, Mp3Player, CommentSound {
    explicit RecordingSound(QStringList& out) : log(out) {}
    QStringList& log;
    bool mp3Plays = true;
    SoundDevices devices{*this, *this, *this};

    bool mciSendString(const QString& command) override { return log << "mci " + command, true; }
    void stop() override { log << "mp3 stop"; }
    bool play(const QString& path) override { return log << "mp3 play " + path, mp3Plays; }
    bool sndPlaySound(const QString& path) override { return log << "wav " + path, true; }
};

} // namespace fakes
