// bench_soak ROOT [SECONDS]
//
// A soak run: the show window (the program's own Form1, its decode ahead and its decoder
// helpers) shows ROOT/show, 500 pictures of mixed formats and sizes, a tenth of them broken, at
// one-second ticks for SECONDS (600 unless given); the pictures are made on the first run.
// Messages are answered at once by a scripted dialog, which counts them. Prints the resident
// memory of the program and, separately, of its decoder helpers at the start (after a minute of
// warming up: every kind of picture seen, caches filled; after the first picture in runs
// shorter than three minutes) and at the end, the number of messages, and the longest tick (the
// time the timer's tick takes from its start to its end: decode wait, scaling, label,
// background), for ticks that show a picture and for ticks that give a message. The show runs
// without transition effects and without sound, so a tick holds no prescribed wait but the
// single pause before the background colour.
#include "helpers/DecoderPool.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/RandomSource.h"
#include "platform/SoundDevices.h"
#include "showwindow/Form1.h"
#include "showwindow/ShowServices.h"
#include "SoakPictures.h"
#include "startup/AppRecords.h"

#include <cstdio>
#include <map>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <set>
#include <unistd.h>

namespace {

constexpr int TickMs = 1000;
constexpr int Pictures = 500;
constexpr double SlowTickMs = 200;

struct Answering final : Dialogs, MciSequencer, Mp3Player, CommentSound {
    int messages = 0;
    void message(const QString&, std::function<void()> closed) override {
        ++messages;
        if (closed)
            closed();
    }
    void confirm(const QString&, std::function<void(bool)> answered) override { answered(true); }
    void inputBox(const QString&, const QString&, const QString&, int,
                  std::function<void(const QString&)> answered) override {
        answered({});
    }
    bool mciSendString(const QString&) override { return true; }
    void stop() override {}
    bool play(const QString&) override { return true; }
    bool sndPlaySound(const QString&) override { return true; }
};

double residentMB(const QString& pid) {
    QFile status("/proc/" + pid + "/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

// The decoder helpers: this process's children.
QStringList helperPids() {
    QStringList pids;
    const QString self = QString::number(getpid());
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool number = false;
        entry.toInt(&number);
        QFile stat("/proc/" + entry + "/stat");
        if (!number || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1] == self.toLatin1())
            pids << entry;
    }
    return pids;
}

struct Memory {
    double program = 0;
    double helpers = 0;
    int helperCount = 0;
};
Memory memoryNow() {
    Memory m;
    m.program = residentMB(QStringLiteral("self"));
    for (const QString& pid : helperPids()) {
        m.helpers += residentMB(pid);
        ++m.helperCount;
    }
    return m;
}

// Times every delivery of the show timer's tick, from its start to its end.
class SoakApplication : public QApplication {
public:
    using QApplication::QApplication;
    std::function<void(double ms)> tickEnded;

    bool notify(QObject* receiver, QEvent* event) override {
        auto* timer = event->type() == QEvent::Timer ? qobject_cast<QTimer*>(receiver) : nullptr;
        if (!timer || timer->interval() != TickMs || depth_ > 0)
            return QApplication::notify(receiver, event);
        ++depth_;
        QElapsedTimer clock;
        clock.start();
        const bool done = QApplication::notify(receiver, event);
        --depth_;
        if (tickEnded)
            tickEnded(double(clock.nsecsElapsed()) / 1e6);
        return done;
    }

private:
    int depth_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    SoakApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_soak ROOT [SECONDS]\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const int seconds = argc > 2 ? std::max(10, atoi(argv[2])) : 600;
    if (!makeSoakPictures(root, Pictures))
        return 1;

    Answering answering;
    SystemClock clock;
    UniformRandom random;
    SoundDevices sound{answering, answering, answering};
    DecoderPool pictures({QStringLiteral(QUIRELLO_DECODER_PROGRAM)});
    ShowServices services{.dialogs = answering,
                          .sound = sound,
                          .clock = clock,
                          .random = random,
                          .pictures = pictures,
                          .appFolder = {},
                          .rescanned = {}};
    AppRecords records;
    ShowSettings& s = records.settings;
    s.ShowFolder = root + "/show/";
    s.TempoAttesa = TickMs;
    s.Effetti = 0;
    s.SuonoWAV = 0;
    s.MusicaFM = 0;
    s.AllargaFoto = 1;
    s.PosLabel = 0;
    s.RGB_R = 20;
    s.RGB_G = 20;
    s.RGB_B = 20;
    records.ShowRunning = true;
    Form1 form(records, services);

    struct Longest {
        double ms = 0;
        QString picture;
        void add(double tick, const QString& name) {
            if (tick > ms) {
                ms = tick;
                picture = name;
            }
        }
    };
    int ticks = 0;
    int pictureTicks = 0;
    Longest shown, failed;
    std::map<QString, double> slow; // the picture of each tick over SlowTickMs
    std::set<QString> helpersSeen;
    const int warmUpTicks = seconds >= 180 ? 60 : 1;
    Memory start;
    int messagesBefore = 0;
    app.tickEnded = [&](double ms) {
        ++ticks;
        const QString picture = records.show.CurrentPicture;
        for (const QString& pid : helperPids())
            helpersSeen.insert(pid);
        if (answering.messages > messagesBefore)
            failed.add(ms, picture);
        else if (!picture.isEmpty() && form.shown().pictureVisible) {
            shown.add(ms, picture);
            if (++pictureTicks == warmUpTicks)
                start = memoryNow();
        }
        messagesBefore = answering.messages;
        if (ms > SlowTickMs)
            slow[picture] = std::max(slow[picture], ms);
    };

    Memory end;
    bool aliveAtEnd = false;
    QTimer::singleShot(seconds * 1000, &form, [&] {
        end = memoryNow();
        aliveAtEnd = form.shown().open && form.shown().timerActive;
        form.Fine();
    });
    QEventLoop running; // the show runs on the application's loop: this one stands in for it
    QObject::connect(&form, &Form1::ended, &running, &QEventLoop::quit);
    form.startShow();
    running.exec();

    std::printf("soak: %d s at %d ms ticks, %d pictures (a tenth broken) in %s\n", seconds, TickMs,
                Pictures, qPrintable(s.ShowFolder));
    std::printf("ticks %d, pictures shown %d, messages %d, decoder helpers started %zu\n", ticks,
                pictureTicks, answering.messages, helpersSeen.size());
    std::printf("start: after %d picture%s\n", warmUpTicks, warmUpTicks == 1 ? "" : "s");
    std::printf("resident memory  program: start %7.1f MB, end %7.1f MB, growth %+6.1f MB\n",
                start.program, end.program, end.program - start.program);
    std::printf("                 helpers: start %7.1f MB, end %7.1f MB, growth %+6.1f MB "
                "(%d then %d running)\n",
                start.helpers, end.helpers, end.helpers - start.helpers, start.helperCount,
                end.helperCount);
    std::printf("longest tick showing a picture %.1f ms (%s)\n", shown.ms,
                qPrintable(shown.picture));
    std::printf("longest tick giving a message  %.1f ms (%s)\n", failed.ms,
                qPrintable(failed.picture));
    std::printf("ticks over %.0f ms: %zu\n", SlowTickMs, slow.size());
    for (const auto& [picture, ms] : slow)
        std::printf("  %8.1f ms  %s\n", ms, qPrintable(picture));
    std::printf("program alive and showing at the end: %s\n", aliveAtEnd ? "yes" : "NO");
    return aliveAtEnd ? 0 : 1;
}
