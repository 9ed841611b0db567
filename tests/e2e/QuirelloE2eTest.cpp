// The real program in a copy of its application folder, on a virtual display: /RUN, the end of
// the show, Esc and "&Fine". Screens are judged by the colour of a few pixels.

#include "VirtualDisplay.h"

#include "panel/Addresses.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <memory>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
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

    void start(const QStringList& arguments) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_->name());
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("SDL_AUDIODRIVER", "dummy");
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
