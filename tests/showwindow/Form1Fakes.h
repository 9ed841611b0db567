#pragma once

#include "showwindow/Form1.h"
#include "showwindow/ShowServices.h"
#include "startup/AppRecords.h"
#include "support/Fakes.h"
#include "support/FakeSound.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <QBackingStore>
#include <QEventLoop>
#include <QImage>
#include <QStringList>
#include <QTimer>

// A show window over the recording dialogs and sound devices, and a sandbox show folder.
namespace form1test {

inline QImage solid(QColor colour, QSize size = {100, 100}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// What reached the window system: the window's backing store, in device pixels. (The offscreen
// platform's screen grab crops a scaled window to its logical size.)
inline QImage onScreen(QWidget& window) {
    const auto* image = dynamic_cast<const QImage*>(window.backingStore()->paintDevice());
    return image ? image->copy() : QImage();
}

struct ShowWindow {
    testfiles::Sandbox folder;
    QStringList calls; // the messages and the sound
    fakes::ScriptedDialogs dialogs{&calls};
    fakes::RecordingSound sound{calls};
    SoundDevices& soundDevices; // the recorder's, or real ones given
    SystemClock clock;
    UniformRandom random;
    QList<int> rescans;
    testfiles::TestDecoder pictures;
    ShowServices services{.dialogs = dialogs,
                          .sound = soundDevices,
                          .clock = clock,
                          .random = random,
                          .pictures = pictures,
                          .appFolder = {},
                          .rescanned = [this](int n) { rescans << n; }};
    AppRecords records;
    Form1 form{records, services};

    explicit ShowWindow(DecoderPool::Options decoder = {testfiles::decoderProgram()},
                        SoundDevices* realSound = nullptr)
        : soundDevices(realSound ? *realSound : sound.devices), pictures(std::move(decoder)) {
        records.settings.ShowFolder = folder.path() + "/";
        records.settings.TempoAttesa = 30000;
        records.settings.Effetti = 100;
        records.settings.TipoEffetto = 11;
        records.settings.AllargaFoto = 1;
        records.ShowRunning = true;
    }

    // Opens the show, runs `whileOpen` once it runs and waits for its end; returns true when the
    // show ended by itself within `patienceMs` (otherwise it is ended here and false is
    // returned).
    template <typename Action> bool runShow(Action whileOpen, int patienceMs = 5000) {
        bool forced = false;
        QTimer::singleShot(0, &form, [&] { whileOpen(); });
        QTimer guard; // dies with this call, so it never fires into a later show
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &form, [&] {
            forced = form.shown().open;
            form.Fine();
        });
        guard.start(patienceMs);
        QEventLoop running; // stands in for the application's loop, which the show runs on
        QObject::connect(&form, &Form1::ended, &running, &QEventLoop::quit);
        form.startShow();
        running.exec();
        return !forced;
    }
};

} // namespace form1test
