// The screen-saver inhibitor's D-Bus requests, against stand-ins for the desktop's screen saver
// and the portal on a session bus of the test's own (dbus-daemon). Off X11 and Wayland (the tests
// run offscreen) only these two can hold.
#include "desktop/ScreenSaverInhibitor.h"

#include <gtest/gtest.h>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

// org.freedesktop.ScreenSaver as GNOME's or KDE's: a cookie for each request. With `holdReplies`
// the answers wait until answerHeld(), as on a slow bus.
class FakeScreenSaver : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList calls;
    bool holdReplies = false;
    QList<QDBusMessage> held;
    void answerHeld(const QDBusConnection& bus) {
        for (const QDBusMessage& call : held)
            bus.send(call.createReply(QVariant::fromValue(quint32(41))));
        held.clear();
    }
public Q_SLOTS:
    quint32 Inhibit(const QString& application, const QString& reason) {
        calls << "Inhibit " + application + " / " + reason;
        if (holdReplies) {
            setDelayedReply(true);
            held << message();
        }
        return 41;
    }
    void UnInhibit(quint32 cookie) { calls << "UnInhibit " + QString::number(cookie); }
};

// The portal's Inhibit, answering with a request object that holds until it is closed.
class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Inhibit")
public:
    QStringList calls;
public Q_SLOTS:
    QDBusObjectPath Inhibit(const QString& window, quint32 flags, const QVariantMap& options) {
        calls << QStringLiteral("Inhibit '%1' %2 %3")
                     .arg(window)
                     .arg(flags)
                     .arg(options.value("reason").toString());
        return QDBusObjectPath("/org/freedesktop/portal/desktop/request/1_1/quirello");
    }
};

class FakeRequest : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")
public:
    explicit FakeRequest(QStringList& calls) : calls_(calls) {}
public Q_SLOTS:
    void Close() { calls_ << "Close"; }

private:
    QStringList& calls_;
};

class SessionBus : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(QStandardPaths::findExecutable("dbus-daemon").isEmpty())
            << "dbus-daemon is not installed (scripts/setup-debian.sh)";
        daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        ASSERT_TRUE(daemon.waitForStarted(10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return daemon.canReadLine(); }, 10000));
        const QString address = QString::fromLatin1(daemon.readLine()).trimmed();
        desktop.emplace(QDBusConnection::connectToBus(address, "quirello-test-desktop"));
        program.emplace(QDBusConnection::connectToBus(address, "quirello-test-program"));
        ASSERT_TRUE(desktop->isConnected() && program->isConnected());
        const auto slots = QDBusConnection::ExportAllSlots;
        ASSERT_TRUE(desktop->registerObject("/org/freedesktop/ScreenSaver", &saver, slots));
        ASSERT_TRUE(desktop->registerService("org.freedesktop.ScreenSaver"));
        ASSERT_TRUE(desktop->registerObject("/org/freedesktop/portal/desktop", &portal, slots));
        ASSERT_TRUE(desktop->registerObject("/org/freedesktop/portal/desktop/request/1_1/quirello",
                                            &request, slots));
        ASSERT_TRUE(desktop->registerService("org.freedesktop.portal.Desktop"));
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus("quirello-test-desktop");
        QDBusConnection::disconnectFromBus("quirello-test-program");
        daemon.terminate();
        daemon.waitForFinished(5000);
    }

    QProcess daemon;
    std::optional<QDBusConnection> desktop, program;
    FakeScreenSaver saver;
    FakePortal portal;
    QStringList requestCalls;
    FakeRequest request{requestCalls};
};

} // namespace

// The desktop's screen saver is asked and let go; in a sandbox the portal too, for idleness (its
// flag 8), and its request object is closed at the end.
TEST_F(SessionBus, TheScreenSaverAndInASandboxThePortalHoldUntilTheEnd) {
    for (const bool sandboxed : {false, true}) {
        SCOPED_TRACE(sandboxed ? "sandboxed" : "not sandboxed");
        saver.calls.clear();
        portal.calls.clear();
        requestCalls.clear();
        {
            ScreenSaverInhibitor inhibitor(nullptr, *program, sandboxed);
            const QStringList expected =
                sandboxed ? QStringList{"dbus", "portal"} : QStringList{"dbus"};
            EXPECT_TRUE(QTest::qWaitFor([&] { return inhibitor.holds() == expected; }, 10000))
                << inhibitor.holds().join(' ').toStdString();
            EXPECT_EQ(saver.calls, QStringList{"Inhibit Quirello / Presentazione in corso"});
            EXPECT_EQ(portal.calls, sandboxed ? QStringList{"Inhibit '' 8 Presentazione in corso"}
                                              : QStringList{});
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return saver.calls.size() == 2; }, 10000));
        EXPECT_EQ(saver.calls.value(1), "UnInhibit 41");
        if (sandboxed) {
            EXPECT_TRUE(
                QTest::qWaitFor([&] { return requestCalls == QStringList{"Close"}; }, 10000));
        }
    }
}

// The show ended before the desktop answered: the request is let go as soon as the answer comes.
// With no session bus at all nothing is held and nothing fails.
TEST_F(SessionBus, AnAnswerAfterTheEndIsLetGoAndNoBusHoldsNothing) {
    saver.holdReplies = true;
    {
        ScreenSaverInhibitor inhibitor(nullptr, *program, false);
        ASSERT_TRUE(QTest::qWaitFor([&] { return saver.held.size() == 1; }, 10000));
        EXPECT_TRUE(inhibitor.holds().isEmpty());
    }
    saver.answerHeld(*desktop);
    EXPECT_TRUE(QTest::qWaitFor([&] { return saver.calls.size() == 2; }, 10000));
    EXPECT_EQ(saver.calls.value(1), "UnInhibit 41");

    const QDBusConnection none =
        QDBusConnection::connectToBus(QString("unix:path=/nonexistent"), "quirello-test-none");
    ScreenSaverInhibitor inhibitor(nullptr, none, true);
    EXPECT_TRUE(inhibitor.holds().isEmpty());
    QDBusConnection::disconnectFromBus("quirello-test-none");
}

#include "ScreenSaverInhibitorTest.moc"
