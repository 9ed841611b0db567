#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/RandomSource.h"
#include "show/window/Form1.h"
#include "show/window/ShowServices.h"
#include "sound/SoundDevices.h"
#include "startup/AppRecords.h"
#include "support/TestFiles.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>

// A show window over recording devices and a sandbox show folder.
namespace form1test {

struct Recorder final : Dialogs, MciSequencer, Mp3Player, CommentSound {
    QStringList calls;
    void message(const QString& text) override { calls << "message " + text; }
    bool confirm(const QString&) override { return true; }
    QString inputBox(const QString&, const QString&, const QString&, int) override { return {}; }
    bool mciSendString(const QString& command) override {
        calls << "mci " + command;
        return true;
    }
    void stop() override { calls << "mp3 stop"; }
    bool play(const QString& path) override {
        calls << "mp3 play " + path;
        return true;
    }
    bool sndPlaySound(const QString& path) override {
        calls << "wav " + path;
        return true;
    }
};

struct SteadyClock final : Clock {
    QElapsedTimer timer;
    SteadyClock() { timer.start(); }
    double secondsSinceMidnight() const override { return 3600; }
    qint64 monotonicMs() const override { return timer.elapsed(); }
};

struct HalfRandom final : RandomSource {
    void reseed(double) override {}
    double next() override { return 0.5; }
};

struct ShowWindow {
    testfiles::Sandbox folder;
    Recorder recorder;
    SteadyClock clock;
    HalfRandom random;
    SoundDevices sound{recorder, recorder, recorder};
    QList<int> rescans;
    ShowServices services{recorder, sound, clock, random, [this](int n) { rescans << n; }};
    AppRecords records;
    Form1 form{records, services};

    ShowWindow() {
        records.settings.ShowFolder = folder.path() + "/";
        records.settings.TempoAttesa = 30000;
        records.settings.Effetti = 100;
        records.settings.TipoEffetto = 11;
        records.settings.PosLabel = 0;
        records.settings.AllargaFoto = 1;
        records.ShowRunning = true;
    }

    // Opens the show modally and runs `whileOpen` inside it; returns true when the show ended
    // by itself within a few seconds (otherwise it is ended here and false is returned).
    template <typename Action> bool runShow(Action whileOpen, int patienceMs = 5000) {
        bool forced = false;
        QTimer::singleShot(0, &form, [&] { whileOpen(); });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &form, [&] {
            forced = form.isShowOpen();
            form.Fine();
        });
        guard.start(patienceMs);
        form.showModal();
        return !forced;
    }
};

} // namespace form1test
