#pragma once

#include "platform/SoundDevices.h"
#include "sound/Music.h"

#include <QStringList>
#include <vector>

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

// Runs a music change's steps in order, at once, noting each pause in `log` as the show
// takes it: "yield" without a wait, "wait N" for N milliseconds.
inline void runMusicSteps(const std::vector<MusicStep>& steps, QStringList& log) {
    for (const MusicStep& step : steps) {
        log << (step.waitMs == 0 ? QStringLiteral("yield")
                                 : "wait " + QString::number(step.waitMs));
        if (step.run)
            step.run();
    }
}

} // namespace fakes
