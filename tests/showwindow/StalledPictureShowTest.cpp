// A picture whose decoder stalls (the test build of the helper asks about a huge picture,
// slowly, then sleeps) holds nothing: the show's window answers a key at once and the helper
// ends with the show; left alone, the picture is given up within its bound with the show's
// message, and the next picture is shown.
#include "Form1Fakes.h"
#include "helpers/TimeLimits.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTest>

using form1test::ShowWindow;
using form1test::solid;

namespace {

void stalledThenGreen(ShowWindow& s) {
    testfiles::write(s.folder.file("a.jpg"), "STALL");
    solid(Qt::green).save(s.folder.file("b.jpg"));
    s.records.settings.TempoAttesa = 200;
    s.records.settings.Effetti = 0;
}

} // namespace

// The key comes through the event loop, as the user's does, a second into the stall.
TEST(StalledPictureShow, aKeyEndsTheShowAtOnceAndTheHelperEndsWithIt) {
    ShowWindow s({testfiles::hookedDecoderProgram()});
    stalledThenGreen(s);
    const int before = testfiles::helpersAlive();
    QElapsedTimer sinceKey;
    double endedAfterMs = -1;
    QObject::connect(&s.form, &Form1::ended, &s.form,
                     [&] { endedAfterMs = double(sinceKey.nsecsElapsed()) / 1e6; });
    const bool ended = s.runShow(
        [&] {
            ASSERT_TRUE(QTest::qWaitFor([&] { return s.records.show.PictureIndex == 1; }, 5000));
            QTest::qWait(1000);
            ASSERT_TRUE(s.form.shown().tickRunning); // waiting for its picture
            EXPECT_EQ(testfiles::helpersAlive(), before + 1);
            sinceKey.start();
            QCoreApplication::postEvent(&s.form,
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
        },
        8000);
    EXPECT_TRUE(ended);
    EXPECT_GE(endedAfterMs, 0);
    EXPECT_LT(endedAfterMs, 200);
    EXPECT_TRUE(QTest::qWaitFor([&] { return testfiles::helpersAlive() == before; }, 1000));
    EXPECT_TRUE(s.calls.filter("message").isEmpty());
    std::printf("the show ended %.1f ms after the key\n", endedAfterMs);
}

TEST(StalledPictureShow, leftAloneThePictureIsGivenUpWithinItsBoundAndTheNextIsShown) {
    ShowWindow s({testfiles::hookedDecoderProgram()});
    stalledThenGreen(s);
    QElapsedTimer sinceTick;
    qint64 givenUpMs = -1;
    s.runShow(
        [&] {
            ASSERT_TRUE(QTest::qWaitFor([&] { return s.records.show.PictureIndex == 1; }, 5000));
            sinceTick.start();
            ASSERT_TRUE(QTest::qWaitFor([&] { return !s.calls.filter("message").isEmpty(); },
                                        int(timelimits::LongestBound.count()) + 5000));
            givenUpMs = sinceTick.elapsed();
            EXPECT_TRUE(QTest::qWaitFor(
                [&] {
                    return s.form.shown().labelText == "b.jpg" && s.form.shown().pictureVisible;
                },
                5000));
            s.form.Fine();
        },
        30000);
    EXPECT_EQ(s.calls.filter("message"),
              QStringList{"message Il file: ./a.jpg non è un file di immagini valido."});
    EXPECT_GE(givenUpMs, 0);
    EXPECT_LE(givenUpMs, timelimits::LongestBound.count() + 1000);
    std::printf("the stalled picture was given up after %lld ms\n", givenUpMs);
}
