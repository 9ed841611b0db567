#include "platform/gui/ScreenSaverInhibitor.h"
#include "ScreenSaverFake.h"

#include <gtest/gtest.h>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTest>
#include <QThread>

namespace {

// A private session bus for one test, ended with it.
class PrivateBus {
public:
    PrivateBus() {
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (daemon_.waitForStarted(5000) && daemon_.waitForReadyRead(5000))
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }
    QString address() const { return address_; }

private:
    QProcess daemon_;
    QString address_;
};

} // namespace

TEST(ScreenSaverInhibitor, doesNothingWithoutABus) {
    const QDBusConnection none =
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "absent");
    ASSERT_FALSE(none.isConnected());
    ScreenSaverInhibitor inhibitor(none);
    EXPECT_FALSE(inhibitor.active());
    QDBusConnection::disconnectFromBus("absent");
}

TEST(ScreenSaverInhibitor, holdsTheScreenSaverWhileItLivesWhereTheServiceRuns) {
    PrivateBus bus;
    if (bus.address().isEmpty())
        GTEST_SKIP() << "no dbus-daemon to run a private bus";
    QDBusConnection client = QDBusConnection::connectToBus(bus.address(), "client");
    ASSERT_TRUE(client.isConnected());

    {
        // The bus is there but the desktop offers no screen saver.
        ScreenSaverInhibitor inhibitor(client);
        EXPECT_FALSE(inhibitor.active());
    }

    // The fake service answers on its own thread: the inhibitor waits for its answer.
    QThread serviceThread;
    serviceThread.start();
    ScreenSaverFake fake;
    fake.moveToThread(&serviceThread);
    QDBusConnection service = QDBusConnection::connectToBus(bus.address(), "service");
    ASSERT_TRUE(service.registerObject("/org/freedesktop/ScreenSaver", &fake,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(service.registerService("org.freedesktop.ScreenSaver"));
    {
        ScreenSaverInhibitor inhibitor(client);
        EXPECT_TRUE(inhibitor.active());
        EXPECT_EQ(fake.calls(), QStringList{"Inhibit Quirello / Presentazione in corso"});
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return fake.calls().size() == 2; }, 5000));
    EXPECT_EQ(fake.calls().value(1), "UnInhibit 42");

    service.unregisterObject("/org/freedesktop/ScreenSaver");
    QDBusConnection::disconnectFromBus("service");
    QDBusConnection::disconnectFromBus("client");
    serviceThread.quit();
    serviceThread.wait();
}
