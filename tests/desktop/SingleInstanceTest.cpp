#include "desktop/SingleInstance.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QLocalSocket>
#include <QTest>

TEST(SingleInstance, TheFirstStartListensAndRefusesWhatIsNoHandOver) {
    testfiles::Sandbox box;
    const QString key = box.path();
    // What a killed program leaves where its socket was does not keep the next from listening.
    testfiles::write(SingleInstance::socketPath(key), "stale");
    SingleInstance first(key);
    ASSERT_EQ(first.start({"quirello"}, "/"), SingleInstance::Start::First);

    QLocalSocket junk;
    junk.connectToServer(SingleInstance::socketPath(key));
    ASSERT_TRUE(junk.waitForConnected(1000));
    junk.write(QByteArray(64, 'x'));
    EXPECT_TRUE(QTest::qWaitFor([&] { return junk.state() == QLocalSocket::UnconnectedState; }))
        << "bytes that are no hand-over end the connection";

    SingleInstance other(box.file("elsewhere"));
    EXPECT_EQ(other.start({"quirello"}, "/"), SingleInstance::Start::First)
        << "another settings folder, another program";
}
