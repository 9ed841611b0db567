// The show window: its title screen, what reaches the screen, and the input that ends the show.
#include "Form1Fakes.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QScreen>
#include <QTest>

using form1test::ShowWindow;
using form1test::solid;

namespace {

QImage onScreen(Form1& form) {
    return form.screen()->grabWindow(form.winId()).toImage();
}

} // namespace

TEST(Form1, OpensOnTheTitleShowsThePictureAndOpensOnTheTitleAgain) {
    ShowWindow s;
    ASSERT_TRUE(solid(Qt::red).save(s.folder.file("Rosso.jpg")));
    s.records.settings.TempoAttesa = 600;
    s.records.settings.RGB_B = 255;
    const auto onTitle = [&] {
        return s.form.labelText() == "Quirello" && s.form.pictureRect().size() == QSize(300, 200) &&
               s.form.geometry() == s.form.screen()->geometry() && s.form.isTimerActive() &&
               s.form.timerInterval() == 600;
    };
    bool title = false, titleAgain = false;
    QRect picture;
    QImage shown;
    EXPECT_TRUE(s.runShow([&] {
        title = onTitle();
        // Once the picture has slid to the centre.
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return s.form.labelText() == "rosso.jpg" && s.form.isPictureVisible() &&
                   std::abs(s.form.pictureRect().center().x() - s.form.width() / 2) <= 1;
        }));
        QTest::qWait(30);
        picture = s.form.pictureRect();
        shown = onScreen(s.form);
        s.form.Fine();
    }));
    EXPECT_TRUE(title);
    EXPECT_EQ(s.rescans, QList<int>{1});
    EXPECT_EQ(s.records.list.entries(), QStringList{"./Rosso.jpg"});
    // The picture's pixels were moved in place at each step: the whole picture is red, and no
    // trace of it is left on the blue background it slid over.
    for (const QPoint p :
         {picture.topLeft(), picture.center(), picture.bottomRight() - QPoint(1, 1)})
        EXPECT_GT(shown.pixelColor(p).red(), 200) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(picture.left() - 2, picture.center().y()),
                           QPoint(picture.left() / 2, picture.bottom())})
        EXPECT_EQ(shown.pixelColor(p), QColor(0, 0, 255)) << p.x() << "," << p.y();

    EXPECT_TRUE(s.runShow([&] {
        titleAgain = onTitle();
        s.form.Fine();
    }));
    EXPECT_TRUE(titleAgain);
    EXPECT_EQ(s.records.show.PictureIndex, 0);
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
         [](Form1& f) { QTest::mouseClick(&f, Qt::LeftButton, {}, f.pictureRect().center()); }},
    };
    for (const auto& [what, act] : cases) {
        SCOPED_TRACE(what);
        ShowWindow s;
        s.records.show.PictureIndex = 3;
        EXPECT_TRUE(s.runShow([&] { act(s.form); }));
        EXPECT_FALSE(s.form.isVisible());
        EXPECT_FALSE(s.form.isTimerActive());
        EXPECT_EQ(s.records.show.PictureIndex, 0);
        EXPECT_TRUE(s.records.show.MusicRestart);
        EXPECT_EQ(s.recorder.calls,
                  (QStringList{"mci open  type sequencer alias can", "mci close can", "mp3 stop"}));
    }
}

TEST(Form1, PressOnThePictureWaitsForTheClickAndTheLabelIgnoresClicks) {
    ShowWindow s;
    bool openAfterLabel = false, openAfterPress = false;
    EXPECT_TRUE(s.runShow([&] {
        QTest::mouseClick(&s.form, Qt::LeftButton, {}, s.form.labelRect().center());
        QTest::mouseDClick(&s.form, Qt::LeftButton, {}, s.form.labelRect().center());
        openAfterLabel = s.form.isShowOpen();
        QTest::mousePress(&s.form, Qt::LeftButton, {}, s.form.pictureRect().center());
        openAfterPress = s.form.isShowOpen();
        QTest::mouseRelease(&s.form, Qt::LeftButton, {}, s.form.pictureRect().center());
    }));
    EXPECT_TRUE(openAfterLabel);
    EXPECT_TRUE(openAfterPress);
}

TEST(Form1, AKeyDuringTheSlideInEndsTheShowAndTheTickStopsThere) {
    ShowWindow s;
    solid(Qt::red).save(s.folder.file("a.jpg"));
    s.records.settings.TempoAttesa = 50;
    s.records.settings.Effetti = 1;
    QRect atKey;
    QImage shown;
    // Timers run at the tick's yields: this one presses the key half-way through the slide-in.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &s.form, [&] {
        if (s.form.isShowOpen() && s.form.labelText() == "a.jpg" && s.form.isPictureVisible() &&
            s.form.pictureRect().left() < 0 && s.form.pictureRect().right() > 20) {
            atKey = s.form.pictureRect();
            shown = onScreen(s.form);
            QTest::keyClick(&s.form, Qt::Key_Space);
        }
    });
    EXPECT_TRUE(s.runShow([&] { watch.start(1); }));
    watch.stop();
    ASSERT_TRUE(atKey.isValid());
    // The part on screen is the picture's, and nothing of it is left behind.
    const int y = atKey.center().y();
    for (const int x : {0, atKey.right() / 2, atKey.right() - 6})
        EXPECT_GT(shown.pixelColor(x, y).red(), 200) << x;
    for (const int x : {atKey.right() + 6, atKey.right() + 40})
        EXPECT_EQ(shown.pixelColor(x, y), QColor(0, 0, 0)) << x;
    QTest::qWait(100);
    EXPECT_EQ(s.form.pictureRect(), atKey);
    EXPECT_EQ(s.records.show.PictureIndex, 0);
}
