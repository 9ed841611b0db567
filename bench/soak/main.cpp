// bench_soak ROOT [SECONDS [START]]
//
// A soak run: the show window (the program's own Form1, its decode ahead and its decoder
// helpers; its sound engine and sound processes) shows ROOT/show-sound, 500 pictures of mixed
// formats and sizes, a tenth of them broken, each with a spoken comment, to MIDI music, at
// one-second ticks for SECONDS (600 unless given); the files are made on the first run. The
// sound goes to SDL_AUDIODRIVER when set, otherwise to the disk driver writing to /dev/null,
// which takes it at the pace of a real device. Messages are answered by a scripted dialog right
// after they open, which counts them.
//
// It watches what reaches the screen (ShowWatch.h): a picture counts when the window paints it.
// Prints the memory (resident and proportional) of the program and, added up, of its helpers
// (every process it started: decoder helpers, sound processes) after START pictures (60 unless
// given: every kind of picture seen, caches filled) and at the end, and their growth; the
// pictures shown, the messages, the longest tick (from the event that starts it to the end of its
// last step: decode wait, comment, scaling, label, background) for ticks that show a picture and
// for ticks that give a message, and the longest wait from a tick's start to its picture on
// screen. The show runs without transition effects, so a tick holds no prescribed wait but the
// music's start (at the first picture only) and the single pause before the background colour.
//
// Fails (exit status 1, with the reason on stderr) when it saw no picture on screen, fewer than
// START, or the show was no longer running at the end.
#include "audio/AudioEngine.h"
#include "audio/SdlCommentSound.h"
#include "audio/SdlMciSequencer.h"
#include "audio/SdlMp3Player.h"
#include "helpers/DecoderPool.h"
#include "helpers/SoundDecoders.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/RandomSource.h"
#include "platform/SoundDevices.h"
#include "ProcessMemory.h"
#include "ShowWatch.h"
#include "showwindow/Form1.h"
#include "showwindow/ShowServices.h"
#include "SoakPictures.h"
#include "startup/AppRecords.h"

#include <cstdio>
#include <QEventLoop>
#include <QTimer>
#include <set>

namespace {

constexpr int TickMs = 1000;
constexpr int Pictures = 500;

// Answers each message on the next turn of the event loop, as a user's click would come: the
// tick that gave it waits for the answer.
struct Answering final : Dialogs {
    int messages = 0;
    void message(const QString&, std::function<void()> closed) override {
        ++messages;
        if (closed)
            QTimer::singleShot(0, std::move(closed));
    }
    void confirm(const QString&, std::function<void(bool)> answered) override { answered(true); }
    void inputBox(const QString&, const QString&, const QString&, int,
                  std::function<void(const QString&)> answered) override {
        answered({});
    }
};

void configure(ShowSettings& s, const QString& folder) {
    s.ShowFolder = folder;
    s.TempoAttesa = TickMs;
    s.Effetti = 0;
    s.SuonoWAV = 1;
    s.MusicaFM = 1;
    s.AllargaFoto = 1;
    s.PosLabel = LabelTop;
    s.RGB_R = 20;
    s.RGB_G = 20;
    s.RGB_B = 20;
}

void printMemoryLine(const char* who, const Footprint& start, const Footprint& end) {
    std::printf("  %-8s RSS start %7.1f MB, end %7.1f MB, growth %+6.1f MB;  "
                "PSS start %7.1f MB, end %7.1f MB, growth %+6.1f MB\n",
                who, start.rssMB, end.rssMB, end.rssMB - start.rssMB, start.pssMB, end.pssMB,
                end.pssMB - start.pssMB);
}

QString runningHelpers(const ProcessMemory& m) {
    QStringList names;
    for (const auto& [name, runs] : m.helperRuns)
        names << QStringLiteral("%1 %2").arg(runs).arg(name);
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

struct Figures {
    int seconds = 0;
    int startAt = 0;
    ProcessMemory start, end;
    bool started = false;
    bool aliveAtEnd = false;
    std::set<QString> helpersSeen;
};

void report(const Figures& f, const ShowWatch& watch, int messages) {
    std::printf("soak: %d s at %d ms ticks, %d pictures (a tenth broken) with comments, music\n",
                f.seconds, TickMs, Pictures);
    std::printf("ticks %d, pictures shown %d, messages %d, helper processes started %zu\n",
                watch.ticks, watch.pictures, messages, f.helpersSeen.size());
    if (f.started) {
        std::printf("memory after %d pictures and at the end (program, and its helpers added "
                    "up):\n",
                    f.startAt);
        printMemoryLine("program", f.start.program, f.end.program);
        printMemoryLine("helpers", f.start.helpers, f.end.helpers);
    } else {
        // No start figures: a growth from nothing would read as a figure.
        std::printf("memory at the end only (fewer than %d pictures shown): program RSS %.1f MB, "
                    "helpers RSS %.1f MB\n",
                    f.startAt, f.end.program.rssMB, f.end.helpers.rssMB);
    }
    std::printf("  helpers running: %s at the start; %s at the end\n",
                qPrintable(runningHelpers(f.start)), qPrintable(runningHelpers(f.end)));
    std::printf("longest tick showing a picture %.1f ms (%s)\n", watch.tickShowing.ms,
                qPrintable(watch.tickShowing.picture));
    std::printf("longest tick giving a message  %.1f ms (%s)\n", watch.tickFailing.ms,
                qPrintable(watch.tickFailing.picture));
    std::printf("longest from a tick's start to its picture on screen %.1f ms (%s)\n",
                watch.untilOnScreen.ms, qPrintable(watch.untilOnScreen.picture));
    std::printf("ticks over %.0f ms: %zu\n", ShowWatch::SlowTickMs, watch.slow.size());
    for (const auto& [picture, ms] : watch.slow)
        std::printf("  %8.1f ms  %s\n", ms, qPrintable(picture));
    std::printf("program alive and showing at the end: %s\n", f.aliveAtEnd ? "yes" : "NO");
}

// The reason the run failed, or nothing.
QString failure(const Figures& f, const ShowWatch& watch) {
    if (watch.pictures == 0)
        return QStringLiteral("no picture was seen on screen in %1 ticks").arg(watch.ticks);
    if (!f.started)
        return QStringLiteral("only %1 pictures were seen on screen, fewer than the %2 after "
                              "which the memory is first measured")
            .arg(watch.pictures)
            .arg(f.startAt);
    if (!f.aliveAtEnd)
        return QStringLiteral("the show was no longer running at the end");
    return {};
}

// The show window with the program's own services: its decoder helpers, its sound engine and
// sound processes; a scripted dialog; what only the panel uses stands in, never called.
struct ShowUnderTest {
    explicit ShowUnderTest(const QString& folder) {
        configure(records.settings, folder);
        records.ShowRunning = true;
    }
    Answering answering;
    SystemClock clock;
    UniformRandom random;
    SoundDecoders decoding{QStringLiteral(QUIRELLO_SOUND_PROGRAM)};
    AudioEngine engine;
    SdlCommentSound comments{engine, decoding};
    SdlMp3Player mp3{engine, decoding};
    SdlMciSequencer midi{engine, decoding};
    SoundDevices sound{midi, mp3, comments};
    DecoderPool pictures{{QStringLiteral(QUIRELLO_DECODER_PROGRAM)}};
    ShowServices services{.dialogs = answering,
                          .sound = sound,
                          .clock = clock,
                          .random = random,
                          .pictures = pictures,
                          .appFolder = {},
                          .rescanned = {}};
    AppRecords records;
    Form1 form{records, services};
};

// Wires `watch` to the application's events and the figures to what it sees.
void watchShow(HookedApplication& app, ShowWatch& watch, const Form1& form, Figures& f) {
    watch.pictureShown = [&f](int shown) {
        if (shown == f.startAt) {
            f.start = processMemoryNow();
            f.started = true;
        }
        if (shown % 300 == 0) {
            const ProcessMemory now = processMemoryNow();
            std::fprintf(stderr, "after %d pictures: program %.1f MB, helpers %.1f MB (RSS)\n",
                         shown, now.program.rssMB, now.helpers.rssMB);
        }
    };
    watch.tickDone = [&f] {
        for (const QString& pid : processMemoryNow().helperPids)
            f.helpersSeen.insert(pid);
    };
    app.beforeEvent = [&watch] { watch.beforeEvent(); };
    app.afterEvent = [&watch] { watch.afterEvent(); };
    app.painting = &form;
    app.painted = [&watch](const QRegion& area) { watch.painted(area); };
}

} // namespace

int main(int argc, char** argv) {
    HookedApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_soak ROOT [SECONDS [START]]\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    Figures f;
    f.seconds = argc > 2 ? std::max(10, atoi(argv[2])) : 600;
    f.startAt = argc > 3 ? std::max(1, atoi(argv[3])) : 60;
    const QString folder = makeSoakShow(root, Pictures);
    if (folder.isEmpty())
        return 1;
    if (qgetenv("SDL_AUDIODRIVER").isEmpty()) {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", "/dev/null");
    }

    ShowUnderTest show(folder);
    Form1& form = show.form;
    AppRecords& records = show.records;
    Answering& answering = show.answering;

    ShowWatch watch(form, records, answering.messages);
    watchShow(app, watch, form, f);

    QTimer::singleShot(f.seconds * 1000, &form, [&] {
        f.end = processMemoryNow();
        f.aliveAtEnd = form.shown().open && form.shown().timerActive;
        form.Fine();
    });
    QEventLoop running; // the show runs on the application's loop: this one stands in for it
    QObject::connect(&form, &Form1::ended, &running, &QEventLoop::quit);
    form.startShow();
    running.exec();
    app.beforeEvent = app.afterEvent = nullptr;
    app.painted = nullptr;

    report(f, watch, answering.messages);
    const QString failed = failure(f, watch);
    if (!failed.isEmpty())
        std::fprintf(stderr, "bench_soak: FAILED: %s\n", qPrintable(failed));
    return failed.isEmpty() ? 0 : 1;
}
