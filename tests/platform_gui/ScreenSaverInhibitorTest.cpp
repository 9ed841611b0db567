#include "platform/gui/ScreenSaverInhibitor.h"

#include <gtest/gtest.h>

TEST(ScreenSaverInhibitor, doesNothingWithoutABus) {
    const QDBusConnection none =
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "absent");
    ASSERT_FALSE(none.isConnected());
    ScreenSaverInhibitor inhibitor(none);
    EXPECT_FALSE(inhibitor.active());
    QDBusConnection::disconnectFromBus("absent");
}
