#pragma once

#include "platform/Clock.h"
#include "platform/Yielder.h"
#include "sound/SoundDevices.h"

#include <QStringList>

// The three sound devices, the clock and the event loop as one recorder: every call lands in one
// log, so that tests see the order across devices and yields. Each yield moves the monotonic
// clock on by `stepMs`; the yield numbered `endAt` (1-based) ends the show. The time of day runs
// backwards across midnight, so only a wait on the monotonic clock ever ends.
struct FakeSound final : MciSequencer, Mp3Player, CommentSound, Clock, Yielder {
    QStringList log;
    bool playSucceeds = true;
    qint64 now = 5000;
    qint64 stepMs = 250;
    int yields = 0;
    int endAt = 0; // 0: never
    SoundDevices devices{*this, *this, *this};

    bool mciSendString(const QString& c) override { return log << "mci " + c, true; }
    void stop() override { log << "mp3 stop"; }
    bool play(const QString& path) override { return log << "mp3 play " + path, playSucceeds; }
    bool sndPlaySound(const QString& path) override { return log << "wav " + path, true; }
    double secondsSinceMidnight() const override { return 86399.0 - now / 1000.0; }
    qint64 monotonicMs() const override { return now; }
    bool yieldOnce() override {
        now += stepMs;
        log << "yield";
        return ++yields != endAt;
    }
};
