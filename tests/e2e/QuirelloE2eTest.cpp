// The real program in a copy of its application folder, on a virtual display: /RUN, the end of
// the show, Esc and "&Fine". Screens are judged by the colour of a few pixels.

#include "VirtualDisplay.h"

#include "panel/Addresses.h"
#include "support/TestFiles.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QThread>
#include <sys/stat.h>
#include <X11/extensions/scrnsaver.h>
#include <X11/Xlib.h>

namespace {

// Where the panel stands on the 1280 x 800 display: centred, 634 x 457.
constexpr int PanelLeft = (VirtualDisplay::Width - 634) / 2;
constexpr int PanelTop = (VirtualDisplay::Height - 457) / 2;
// A point of the panel's bare background, and the middle of "&Fine".
const QPoint PanelBackground(PanelLeft + 10, PanelTop + 440);
const QPoint FineButton(PanelLeft + 332 + 212 + 20, PanelTop + 82 + 48 + 12);

const QColor ShowBackground(0, 0, 200);
const QColor Red(255, 0, 0);

bool Near(QColor a, QColor b, int tolerance = 24) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

bool IsPanelGrey(QColor c) {
    return c.red() > 200 && std::abs(c.red() - c.green()) <= 3 && std::abs(c.red() - c.blue()) <= 3;
}

class QuirelloE2e : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (VirtualDisplay::missingTools().isEmpty())
            display_ = std::make_unique<VirtualDisplay>();
    }
    static void TearDownTestSuite() { display_.reset(); }

    void SetUp() override {
        const QString missing = VirtualDisplay::missingTools();
        ASSERT_TRUE(missing.isEmpty()) << "No virtual display: " << missing.toStdString();
        ASSERT_TRUE(display_ && display_->isRunning()) << "Xvfb did not start";
        const QString built = qEnvironmentVariable("QUIRELLO_APP_DIR");
        ASSERT_TRUE(QFile::exists(built + "/quirello")) << "build the program first";
        app = box.path() + "/Quirello";
        ASSERT_EQ(QProcess::execute("cp", {"-a", built, app}), 0);

        // A `start` that only writes down what it was asked to open.
        QFile::remove(app + "/start");
        testfiles::write(
            app + "/start",
            "#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"$(dirname \"$0\")/start-log.txt\"\n");
        QFile::setPermissions(app + "/start", QFile::ReadOwner | QFile::ExeOwner);

        // One red picture on a blue background, no transition, no label: easy to recognise;
        // music and comments on.
        QDir().mkpath(app + "/Prova");
        QImage red(640, 480, QImage::Format_RGB32);
        red.fill(Red);
        ASSERT_TRUE(red.save(app + "/Prova/rosso.jpg", "JPG", 95));
        testfiles::write(app + "/PHOTO.INI",
                         ("PATH=" + app +
                          "/Prova\r\nTempoAttesa=1\r\nMusicaFM=1\r\nSuonoWAV=1\r\n"
                          "Effetti=0\r\nCornice3D=0\r\nAllargaFoto=1\r\nRGB_R=0\r\nRGB_G=0\r\n"
                          "RGB_B=200\r\nRGB_RANDOM=0\r\nTipoEffetto=0\r\nPosLabel=2\r\n")
                             .toUtf8());
    }

    // `soundFile`: where SDL's disk driver writes what would be heard (none: the dummy driver).
    void start(const QStringList& arguments, const QString& soundFile = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_->name());
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("SDL_AUDIODRIVER", soundFile.isEmpty() ? "dummy" : "disk");
        env.insert("SDL_DISKAUDIOFILE", soundFile);
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(app);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(app + "/quirello", arguments);
        ASSERT_TRUE(program.waitForStarted(10000));
    }

    // Takes screenshots until `seen` holds for one, within a generous deadline.
    bool waitForScreen(bool (*seen)(const QImage&)) {
        return QTest::qWaitFor(
            [&] {
                const QImage shot = display_->screenshot();
                return !shot.isNull() && seen(shot);
            },
            20000);
    }
    void click(QPoint at) {
        display_->xdotool(
            {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    }

    static bool ShowsTheShow(const QImage& s) {
        return Near(s.pixelColor(5, 5), ShowBackground) &&
               Near(s.pixelColor(s.width() - 5, s.height() - 5), ShowBackground) &&
               Near(s.pixelColor(s.width() / 2, s.height() / 2), Red) &&
               !IsPanelGrey(s.pixelColor(PanelBackground));
    }
    // The picture hidden, the background all round (the title in the middle).
    static bool ShowsTheEndTitle(const QImage& s) {
        return Near(s.pixelColor(5, 5), ShowBackground) &&
               Near(s.pixelColor(s.width() / 2, s.height() / 4), ShowBackground);
    }
    static bool ShowsThePanel(const QImage& s) {
        return IsPanelGrey(s.pixelColor(PanelBackground)) && Near(s.pixelColor(5, 5), Qt::black, 4);
    }
    // The red picture in the panel's preview, which it fills 240 x 180 from (24, 218).
    static bool PreviewsTheRedPicture(const QImage& s) {
        return ShowsThePanel(s) &&
               Near(s.pixelColor(PanelLeft + 24 + 120, PanelTop + 218 + 90), Red);
    }

    QString startLog() const { return QString::fromUtf8(testfiles::read(app + "/start-log.txt")); }

    static inline std::unique_ptr<VirtualDisplay> display_;
    testfiles::Sandbox box;
    QString app;
    QProcess program; // killed, if still running, when the test ends
};

// Named pipes called like the picture's comment and like the folder's music would block the
// program the moment they were opened: they count as absent, and the show goes round its ticks
// (picture, end title, picture).
TEST_F(QuirelloE2e, RunShowsTheShowFirstThenAKeyBringsThePanelAndEscEnds) {
    for (const char* name : {"rosso.wav", "x.mid", "y.mp3"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(app + "/Prova/" + name).constData(), 0644), 0);

    start({"/run"});
    ASSERT_TRUE(waitForScreen(ShowsTheShow)) << "no full-screen show";
    EXPECT_FALSE(display_->hasWindowOfSize(QSize(634, 457))) << "the panel is not shown yet";
    // Written by the program itself before the show opened: its own number form.
    const QByteArray ini = testfiles::read(app + "/PHOTO.INI");
    EXPECT_TRUE(ini.contains("RGB_B= 200 \r\n")) << ini.toStdString();
    ASSERT_TRUE(waitForScreen(ShowsTheEndTitle)) << "the show stopped at its first picture";
    ASSERT_TRUE(waitForScreen(ShowsTheShow)) << "the show did not start again";

    display_->xdotool({"key", "space"});
    ASSERT_TRUE(waitForScreen(ShowsThePanel)) << "the panel did not come up";
    EXPECT_EQ(program.state(), QProcess::Running);
    EXPECT_TRUE(display_->hasWindowOfSize(QSize(634, 457)));

    click(PanelBackground);
    display_->xdotool({"key", "Escape"});
    ASSERT_TRUE(program.waitForFinished(15000)) << "Esc did not end the program";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    QThread::msleep(300); // time for a `start` it might have run to write
    EXPECT_EQ(startLog(), "") << "Esc opens nothing";
}

TEST_F(QuirelloE2e, FineOpensTheWebSiteAndEnds) {
    start({});
    ASSERT_TRUE(waitForScreen(ShowsThePanel)) << "the panel did not come up";
    click(FineButton);
    ASSERT_TRUE(program.waitForFinished(15000)) << "\"&Fine\" did not end the program";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !startLog().isEmpty(); }, 10000));
    EXPECT_EQ(startLog(), addresses::WebSite + "\n");
}

// "Open with" on a picture while the program runs: the second start hands the picture to the
// running panel and ends; a start after the running program was killed still comes up.
TEST_F(QuirelloE2e, ASecondStartHandsItsPictureToTheRunningPanel) {
    start({});
    ASSERT_TRUE(waitForScreen(ShowsThePanel)) << "the panel did not come up";
    EXPECT_FALSE(PreviewsTheRedPicture(display_->screenshot()));

    QProcess second;
    second.setProcessEnvironment(program.processEnvironment());
    second.setWorkingDirectory(app + "/Prova"); // a name taken from where it was started
    second.start(app + "/quirello", {"rosso.jpg"});
    ASSERT_TRUE(second.waitForFinished(15000)) << "the second start did not end";
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(waitForScreen(PreviewsTheRedPicture)) << "the running panel did not take it";
    const QString windows =
        display_->xdotool({"search", "--onlyvisible", "--name", ".", "getwindowgeometry", "%@"});
    EXPECT_EQ(windows.count("Geometry: 634x457"), 1) << "one panel";
    EXPECT_EQ(program.state(), QProcess::Running);

    program.kill(); // its socket stays behind
    program.waitForFinished(5000);
    start({});
    ASSERT_TRUE(waitForScreen(ShowsThePanel)) << "a stale socket kept the program from starting";
    EXPECT_EQ(program.state(), QProcess::Running);
}

// What SDL's disk driver wrote, told apart a tenth of a second at a time: a pure tone of one of
// `tones` (hertz), other sound (music of many notes, where no such tone stands out), or silence;
// a tenth where a tone starts or stops is neither.
struct Heard {
    QSet<int> tones;
    int otherSound = 0; // tenths of a second
};
Heard listen(const QString& soundFile, const QList<int>& tones) {
    const QByteArray bytes = testfiles::read(soundFile);
    const auto* samples = reinterpret_cast<const qint16*>(bytes.constData());
    const qsizetype frames = bytes.size() / 4;
    constexpr qsizetype Window = 4410;
    Heard heard;
    for (qsizetype at = 0; at + Window <= frames; at += Window) {
        double energy = 0;
        for (qsizetype i = 0; i < Window; ++i)
            energy += double(samples[2 * (at + i)]) * samples[2 * (at + i)];
        if (energy < Window * 300.0 * 300.0)
            continue; // silence, or nearly
        double strongest = 0;
        for (const int hertz : tones) {
            // Goertzel: the share of the window's energy at `hertz`.
            const double w = 2 * M_PI * hertz / 44100, c = 2 * std::cos(w);
            double s1 = 0, s2 = 0;
            for (qsizetype i = 0; i < Window; ++i) {
                const double s0 = samples[2 * (at + i)] + c * s1 - s2;
                s2 = s1;
                s1 = s0;
            }
            const double share = (s1 * s1 + s2 * s2 - c * s1 * s2) * 2 / Window / energy;
            if (share > 0.8)
                heard.tones << hertz;
            strongest = std::max(strongest, share);
        }
        heard.otherSound += strongest < 0.2 ? 1 : 0;
    }
    return heard;
}

// The processes the program started from `program`, by their ids.
QList<int> childrenOf(qint64 parent, const QByteArray& program) {
    QList<int> children;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        const QByteArray stat = testfiles::read("/proc/" + entry + "/stat");
        const qsizetype close = stat.lastIndexOf(')');
        if (close < 0 || stat.mid(stat.indexOf('(') + 1, close - stat.indexOf('(') - 1) != program)
            continue;
        if (stat.mid(close + 2).split(' ').value(1).toLongLong() == parent)
            children << entry.toInt();
    }
    return children;
}

// A show with a comment, an MP3 and a MIDI piece: SDL's disk output holds all three, and the
// program's process maps no library that decodes sound files: they are in its two sound
// processes, confined. Debian's SDL links the PulseAudio client, whose common library links
// libsndfile, which links libmpg123, libFLAC, libvorbis and libopus: those come with the sound
// server's client, in every program that plays through SDL, and the program calls none of them.
TEST_F(QuirelloE2e, TheShowsSoundIsDecodedOutsideTheProgram) {
    testfiles::make("sox", {"-n", "-r", "44100", "-c", "1", app + "/Prova/rosso.wav", "synth", "1",
                            "sine", "1000", "vol", "0.4"});
    testfiles::make("sox", {"-n", "-r", "44100", "-c", "2", app + "/Prova/musica.mp3", "synth",
                            "20", "sine", "300", "vol", "0.4"});
    QDir().mkpath(app + "/Prova/Midi");
    QImage green(640, 480, QImage::Format_RGB32);
    green.fill(Qt::green);
    ASSERT_TRUE(green.save(app + "/Prova/Midi/verde.jpg", "JPG", 95));
    testfiles::make("python3",
                    {testfiles::sourceFile("scripts/make-midi.py"), app + "/Prova/Midi/tema.mid"});
    const QString soundFile = box.path() + "/suono.raw";

    start({"/run"}, soundFile);
    // The comment (1000 Hz), the MP3 after its three seconds (300 Hz), then the MIDI piece.
    const auto heardAll = [&] {
        const Heard heard = listen(soundFile, {1000, 300});
        return heard.tones.size() == 2 && heard.otherSound >= 5;
    };
    EXPECT_TRUE(QTest::qWaitFor(heardAll, 30000))
        << "heard " << listen(soundFile, {1000, 300}).tones.size() << " tones, other sound "
        << listen(soundFile, {1000, 300}).otherSound << " tenths of other sound";

    const QByteArray maps =
        testfiles::read(QStringLiteral("/proc/%1/maps").arg(program.processId()));
    ASSERT_FALSE(maps.isEmpty());
    for (const char* decoder : {"libSDL2_mixer", "libfluidsynth", "libmodplug", "libopusfile",
                                "libvorbisfile", "libinstpatch", "libxmp", "libwavpack", "libgme"})
        EXPECT_FALSE(maps.contains(decoder)) << decoder << " is mapped in the program";
    for (const char* library : {"libsndfile", "libmpg123", "libFLAC", "libvorbis", "libopus"})
        EXPECT_TRUE(!maps.contains(library) || maps.contains("libpulsecommon"))
            << library << " is mapped, not as the sound server's client's";
    // The program's own code calls no function of a sound decoder.
    QProcess nm;
    nm.start("nm", {"-D", "--undefined-only", app + "/quirello"});
    ASSERT_TRUE(nm.waitForFinished(20000));
    const QString imported = QString::fromLatin1(nm.readAllStandardOutput());
    EXPECT_FALSE(imported.contains(QRegularExpression(
        "\\b(mpg123_|fluid_|Mix_|sf_|FLAC_|ov_|op_|ModPlug_|SDL_LoadWAV|SDL_NewAudioStream)")))
        << imported.toStdString();

    const QList<int> sound = childrenOf(program.processId(), "quirello-sound");
    EXPECT_EQ(sound.size(), 2) << "a music and a comment process";
    for (const int pid : sound) {
        const QByteArray status = testfiles::read(QStringLiteral("/proc/%1/status").arg(pid));
        EXPECT_TRUE(status.contains("\nSeccomp:\t2\n") && status.contains("\nNoNewPrivs:\t1\n"))
            << "the sound process " << pid << " is not confined";
    }
    EXPECT_TRUE(
        testfiles::read(QStringLiteral("/proc/%1/maps").arg(sound.value(0))).contains("libmpg123"))
        << "the sound process decodes";
    program.kill();
    program.waitForFinished(5000);
}

// X's own screen saver, as a session without a desktop (no session bus, no screen-saver service)
// has it, set to come on after one idle second: the show holds it off for as long as it runs,
// and lets it come when it ends, by a key or by being killed. (Xvfb has no power management;
// the X server suspends it with the saver, on the same timer.)
TEST_F(QuirelloE2e, TheShowHoldsOffXsScreenSaverUntilItEnds) {
    // A connection of the test's own for the whole test: with none left the server would reset
    // its screen-saver settings.
    Display* x = XOpenDisplay(display_->name().toLatin1().constData());
    ASSERT_NE(x, nullptr);
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    const auto saverState = [&] {
        XScreenSaverQueryInfo(x, DefaultRootWindow(x), info);
        return info->state;
    };
    const auto idleOneSecondFromNow = [&] {
        XSetScreenSaver(x, 1, 1, PreferBlanking, AllowExposures);
        XResetScreenSaver(x);
        XSync(x, False);
    };
    const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    for (const bool killed : {false, true}) {
        SCOPED_TRACE(killed ? "killed" : "a key");
        start({"/run"});
        ASSERT_TRUE(waitForScreen(ShowsTheShow)) << "no full-screen show";
        idleOneSecondFromNow();
        QTest::qWait(3000); // three times the saver's time, idle
        EXPECT_EQ(saverState(), ScreenSaverOff) << "the saver came on during the show";
        if (killed) {
            program.kill();
            program.waitForFinished(5000);
        } else {
            display_->xdotool({"key", "space"});
            ASSERT_TRUE(waitForScreen(ShowsThePanel)) << "the panel did not come up";
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return saverState() == ScreenSaverOn; }, 20000))
            << "the saver was held after the show";
        program.kill();
        program.waitForFinished(5000);
    }
    if (!bus.isEmpty())
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
    XFree(info);
    XCloseDisplay(x);
}

TEST(QuirelloConsole, HelpAndVersionFailWhenTheirAnswerCannotBeWritten) {
    for (const QString option : {"--help", "--version"}) {
        QProcess written, full;
        full.setStandardOutputFile("/dev/full");
        for (QProcess* run : {&written, &full}) {
            run->start(qEnvironmentVariable("QUIRELLO_APP_DIR") + "/quirello", {option});
            ASSERT_TRUE(run->waitForFinished(10000)) << option.toStdString();
        }
        EXPECT_TRUE(written.exitCode() == 0 && !written.readAllStandardOutput().isEmpty());
        EXPECT_NE(full.exitCode(), 0) << option.toStdString();
    }
}

} // namespace
