#pragma once

#include "platform/Clock.h"
#include "platform/Yielder.h"
#include "sound/SoundDevices.h"

#include <QString>
#include <QStringList>

// Recording stand-ins for the sound devices, the clock and the event loop. Every call lands in
// one shared log, so that tests can check the order across devices and yields.
namespace fakesound {

struct Log {
    QStringList lines;
    void add(const QString& line) { lines << line; }
};

class RecordingMci final : public MciSequencer {
public:
    explicit RecordingMci(Log& log) : log_(log) {}
    bool mciSendString(const QString& command) override {
        log_.add(QStringLiteral("mci ") + command);
        return true;
    }

private:
    Log& log_;
};

class RecordingMp3 final : public Mp3Player {
public:
    explicit RecordingMp3(Log& log) : log_(log) {}
    void stop() override { log_.add(QStringLiteral("mp3 stop")); }
    bool play(const QString& path) override {
        log_.add(QStringLiteral("mp3 play ") + path);
        return playSucceeds;
    }
    bool playSucceeds = true;

private:
    Log& log_;
};

class RecordingComment final : public CommentSound {
public:
    explicit RecordingComment(Log& log) : log_(log) {}
    bool sndPlaySound(const QString& path) override {
        log_.add(QStringLiteral("wav ") + path);
        return true;
    }

private:
    Log& log_;
};

// The time of day runs backwards across midnight, so only a wait on the monotonic clock ends.
class FakeClock final : public Clock {
public:
    double secondsSinceMidnight() const override { return 86399.0 - now / 1000.0; }
    qint64 monotonicMs() const override { return now; }
    qint64 now = 5000;
};

// Each yield moves the clock on by `stepMs`; the yield numbered `endAt` (1-based) ends the show.
class FakeYielder final : public Yielder {
public:
    FakeYielder(Log& log, FakeClock& clock) : log_(log), clock_(clock) {}
    bool yieldOnce() override {
        ++count;
        clock_.now += stepMs;
        log_.add(QStringLiteral("yield"));
        return endAt == 0 || count < endAt;
    }
    int count = 0;
    int endAt = 0; // 0: never
    qint64 stepMs = 250;

private:
    Log& log_;
    FakeClock& clock_;
};

// Everything a music test needs, wired together.
struct Rig {
    Log log;
    RecordingMci mci{log};
    RecordingMp3 mp3{log};
    RecordingComment comment{log};
    FakeClock clock;
    FakeYielder yielder{log, clock};
    SoundDevices devices{mci, mp3, comment};
};

} // namespace fakesound
