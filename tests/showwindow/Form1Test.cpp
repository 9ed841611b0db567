// The show window: its title screen, what reaches the screen, and the input that ends the show.
#include "Form1Fakes.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QScreen>
#include <QTest>

using form1test::ShowWindow;
using form1test::solid;

// A show of one picture: the title screen, then the picture slides in over a blue background;
// a key half-way ends the show there; the next show opens on the title screen again.
TEST(Form1, TitleThenTheSlideInUntilAKeyThenTheTitleAgain) {
    ShowWindow s;
    ASSERT_TRUE(solid(Qt::red).save(s.folder.file("Rosso.jpg")));
    s.records.settings.TempoAttesa = 50;
    s.records.settings.Effetti = 1;
    s.records.settings.AllargaFoto = 0;
    s.records.settings.RGB_B = 255;
    const auto onTitle = [&] {
        return s.form.shown().labelText == "Quirello" &&
               s.form.shown().picture.size() == QSize(300, 200) &&
               s.form.geometry() == s.form.screen()->geometry() && s.form.shown().timerActive &&
               s.form.shown().timerInterval == 50;
    };
    bool title = false, titleAgain = false;
    QRect atKey;
    QImage shown;
    // Timers run at the tick's yields: this one presses the key once the picture is well in.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &s.form, [&] {
        if (s.form.shown().open && s.form.shown().labelText == "rosso.jpg" &&
            s.form.shown().pictureVisible && s.form.shown().picture.left() > 20) {
            atKey = s.form.shown().picture;
            shown = form1test::onScreen(s.form);
            QTest::keyClick(&s.form, Qt::Key_Space);
        }
    });
    EXPECT_TRUE(s.runShow([&] {
        title = onTitle();
        watch.start(1);
    }));
    watch.stop();
    EXPECT_TRUE(title);
    EXPECT_EQ(s.rescans, QList<int>{1});
    EXPECT_EQ(s.records.list.entries(), QStringList{"./Rosso.jpg"});
    ASSERT_TRUE(atKey.isValid());
    ASSERT_LT(atKey.right(), s.form.width() - 40);
    // The picture's pixels are moved in place at each step: what reached the screen is the
    // whole picture, and no trace of it on either side.
    const int y = atKey.center().y();
    const auto at = [&](int x) {
        return shown.pixelColor((QPointF(x, y) * shown.devicePixelRatio()).toPoint());
    };
    for (const int x : {atKey.left(), atKey.center().x(), atKey.right()})
        EXPECT_GT(at(x).red(), 200) << x;
    for (const int x : {atKey.left() / 2, atKey.left() - 2, atKey.right() + 2, atKey.right() + 40})
        EXPECT_EQ(at(x), QColor(0, 0, 255)) << x;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !s.form.shown().tickRunning; }, 10000));
    EXPECT_EQ(s.form.shown().picture, atKey); // the tick stopped there
    EXPECT_EQ(s.records.show.PictureIndex, 0);

    EXPECT_TRUE(s.runShow([&] {
        titleAgain = onTitle();
        s.form.Fine();
    }));
    EXPECT_TRUE(titleAgain);
}

TEST(Form1, KeyMouseOnBackgroundOrClickOnPictureEndsTheShow) {
    const std::pair<const char*, std::function<void(Form1&)>> cases[] = {
        {"a letter", [](Form1& f) { QTest::keyClick(&f, Qt::Key_A); }},
        {"Tab", [](Form1& f) { QTest::keyClick(&f, Qt::Key_Tab); }},
        {"Escape", [](Form1& f) { QTest::keyClick(&f, Qt::Key_Escape); }},
        {"left button on the background",
         [](Form1& f) { QTest::mousePress(&f, Qt::LeftButton, {}, QPoint(3, 3)); }},
        {"right button on the background",
         [](Form1& f) { QTest::mousePress(&f, Qt::RightButton, {}, QPoint(3, 3)); }},
        {"click on the picture",
         [](Form1& f) { QTest::mouseClick(&f, Qt::LeftButton, {}, f.shown().picture.center()); }},
        {"clicks on the label, which ignores them, then on the picture, which waits for the "
         "release",
         [](Form1& f) {
             QTest::mouseClick(&f, Qt::LeftButton, {}, f.shown().label.center());
             QTest::mouseDClick(&f, Qt::LeftButton, {}, f.shown().label.center());
             QTest::mousePress(&f, Qt::LeftButton, {}, f.shown().picture.center());
             EXPECT_TRUE(f.shown().open);
             QTest::mouseRelease(&f, Qt::LeftButton, {}, f.shown().picture.center());
         }},
    };
    for (const auto& [what, act] : cases) {
        SCOPED_TRACE(what);
        ShowWindow s;
        s.records.show.PictureIndex = 3;
        EXPECT_TRUE(s.runShow([&, &press = act] { press(s.form); }));
        EXPECT_FALSE(s.form.isVisible());
        EXPECT_FALSE(s.form.shown().timerActive);
        EXPECT_EQ(s.records.show.PictureIndex, 0);
        EXPECT_TRUE(s.records.show.MusicRestart);
        EXPECT_EQ(s.calls,
                  (QStringList{"mci open  type sequencer alias can", "mci close can", "mp3 stop"}));
    }
}
