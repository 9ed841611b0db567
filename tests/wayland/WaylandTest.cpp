// The real program on Wayland, under weston's headless back end: it starts natively, its show
// goes full screen and holds an idle inhibitor on its surface for as long as it runs. Debian 12's
// weston offers no idle inhibition itself: a module of the tests' (tests/weston_idle/) adds the
// protocol, counts the inhibitors alive and presses a key on the show.

#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

constexpr char Socket[] = "quirello-test";

class Wayland : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(QStandardPaths::findExecutable("weston").isEmpty())
            << "weston is not installed (scripts/setup-debian.sh)";
        runtime = box.path() + "/runtime";
        ASSERT_TRUE(QDir().mkpath(runtime));
        ASSERT_TRUE(
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        inhibitors = box.path() + "/inhibitors.log";

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime);
        env.insert("QUIRELLO_IDLE_LOG", inhibitors);
        env.insert("QUIRELLO_IDLE_KEY_MS", "1500"); // the show ends by a key after that
        weston.setProcessEnvironment(env);
        weston.setStandardOutputFile(box.path() + "/weston.log");
        weston.setStandardErrorFile(box.path() + "/weston.log");
        weston.start("weston", {"--backend=headless-backend.so", QString("--socket=") + Socket,
                                "--width=1280", "--height=800", "--idle-time=0",
                                QString("--modules=") + QUIRELLO_WESTON_MODULE});
        ASSERT_TRUE(weston.waitForStarted(10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(runtime + '/' + Socket); }, 20000))
            << "weston did not start:\n"
            << testfiles::read(box.path() + "/weston.log").toStdString();

        // A copy of the application folder with one picture and a fast show.
        const QString built = qEnvironmentVariable("QUIRELLO_APP_DIR");
        ASSERT_TRUE(QFile::exists(built + "/quirello")) << "build the program first";
        app = box.path() + "/Quirello";
        ASSERT_EQ(QProcess::execute("cp", {"-a", built, app}), 0);
        QDir().mkpath(app + "/Prova");
        QImage red(320, 240, QImage::Format_RGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(red.save(app + "/Prova/rosso.jpg", "JPG"));
        testfiles::write(app + "/PHOTO.INI",
                         ("PATH=" + app +
                          "/Prova\r\nTempoAttesa=1\r\nMusicaFM=0\r\nSuonoWAV=0\r\n"
                          "Effetti=0\r\nCornice3D=0\r\nAllargaFoto=1\r\nRGB_R=0\r\nRGB_G=0\r\n"
                          "RGB_B=200\r\nRGB_RANDOM=0\r\nTipoEffetto=0\r\nPosLabel=2\r\n")
                             .toUtf8());
    }
    void TearDown() override {
        program.kill();
        program.waitForFinished(5000);
        weston.terminate();
        if (!weston.waitForFinished(5000))
            weston.kill();
    }
    QString inhibitorLog() const { return QString::fromUtf8(testfiles::read(inhibitors)); }

    testfiles::Sandbox box;
    QString runtime, inhibitors, app;
    QProcess weston, program;
};

} // namespace

TEST_F(Wayland, TheShowHoldsAnIdleInhibitorOnItsSurfaceUntilItEnds) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    env.insert("XDG_RUNTIME_DIR", runtime);
    env.insert("WAYLAND_DISPLAY", Socket);
    env.insert("QT_QPA_PLATFORM", "wayland");
    env.insert("WAYLAND_DEBUG", "1"); // the client's requests, on its standard error
    env.insert("SDL_AUDIODRIVER", "dummy");
    env.insert("XDG_CONFIG_HOME", box.path() + "/config");
    program.setProcessEnvironment(env);
    program.setStandardErrorFile(box.path() + "/client.log");
    program.start(app + "/quirello", {"/RUN"});
    ASSERT_TRUE(program.waitForStarted(10000));

    EXPECT_TRUE(QTest::qWaitFor([&] { return inhibitorLog().startsWith("inhibitors 1\n"); }, 20000))
        << "no inhibitor while the show runs: " << inhibitorLog().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return inhibitorLog().endsWith("inhibitors 0\n"); }, 20000))
        << "the inhibitor outlived the show: " << inhibitorLog().toStdString();
    EXPECT_EQ(program.state(), QProcess::Running) << "the panel is up after the show";
    EXPECT_EQ(inhibitorLog(), "inhibitors 1\ninhibitors 0\n");

    // What the program asked of the compositor itself: the show's window full screen, the
    // inhibitor on a surface, and the inhibitor let go while the program ran on.
    const QString client = QString::fromUtf8(testfiles::read(box.path() + "/client.log"));
    EXPECT_TRUE(client.contains("xdg_toplevel") && client.contains(".set_fullscreen("));
    EXPECT_TRUE(client.contains(QRegularExpression(
        R"(zwp_idle_inhibit_manager_v1@\d+\.create_inhibitor\(new id zwp_idle_inhibitor_v1@\d+, wl_surface@\d+\))")));
    EXPECT_TRUE(client.contains(QRegularExpression(R"(zwp_idle_inhibitor_v1@\d+\.destroy\(\))")));
}
