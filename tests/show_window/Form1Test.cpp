// The show window: its title screen, its timer, and the input that ends the show.
#include "Form1Fakes.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QScreen>
#include <QTest>

namespace {

using form1test::ShowWindow;

TEST(Form1, LoadLaysOutTheTitleAndRescansTheFolder) {
    ShowWindow s;
    QImage(10, 10, QImage::Format_RGB32).save(s.folder.file("a.bmp"));
    testfiles::write(s.folder.file("Estate/b.jpg"), "not looked at by the scan");
    s.records.settings.Cornice3D = 1;
    QRect screen, picture, label;
    QString text;
    int interval = 0;
    bool active = false;
    s.runShow([&] {
        screen = s.form.geometry();
        picture = s.form.pictureRect();
        label = s.form.labelRect();
        text = s.form.labelText();
        interval = s.form.timerInterval();
        active = s.form.isTimerActive();
        s.form.Fine();
    });
    EXPECT_EQ(screen, s.form.screen()->geometry());
    EXPECT_EQ(picture.size(), QSize(300, 200));
    EXPECT_NEAR(picture.center().x(), screen.width() / 2, 1);
    // The picture is centred in the space under the label; "Quirello" is 104 twips (7 pixels)
    // above it.
    EXPECT_NEAR(picture.top(), (screen.height() - label.height() - 200) / 2.0 + label.height(), 1);
    EXPECT_EQ(picture.top() - label.bottom() - 1, 7);
    EXPECT_NEAR(label.center().x(), screen.width() / 2, 1);
    EXPECT_EQ(text, "Quirello");
    EXPECT_EQ(interval, 30000);
    EXPECT_TRUE(active);
    EXPECT_EQ(s.rescans, QList<int>{2});
    EXPECT_EQ(s.records.list.entries(), (QStringList{"./a.bmp", "Estate/b.jpg"}));
    EXPECT_TRUE(s.records.AppFolder.endsWith('/'));
}

TEST(Form1, KeyMouseOnBackgroundOrClickOnPictureEndsTheShow) {
    struct Case {
        const char* what;
        std::function<void(Form1&)> act;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShowWindow s;
        s.records.show.PictureIndex = 3;
        EXPECT_TRUE(s.runShow([&] { c.act(s.form); }));
        EXPECT_FALSE(s.form.isShowOpen());
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
    const bool ended = s.runShow([&] {
        QTest::mouseClick(&s.form, Qt::LeftButton, {}, s.form.labelRect().center());
        QTest::mouseDClick(&s.form, Qt::LeftButton, {}, s.form.labelRect().center());
        openAfterLabel = s.form.isShowOpen();
        QTest::mousePress(&s.form, Qt::LeftButton, {}, s.form.pictureRect().center());
        openAfterPress = s.form.isShowOpen();
        QTest::mouseRelease(&s.form, Qt::LeftButton, {}, s.form.pictureRect().center());
    });
    EXPECT_TRUE(openAfterLabel);
    EXPECT_TRUE(openAfterPress);
    EXPECT_TRUE(ended);
}

TEST(Form1, AKeyDuringTheSlideInEndsTheShowAndTheTickStopsThere) {
    ShowWindow s;
    QImage red(100, 100, QImage::Format_RGB32);
    red.fill(Qt::red);
    red.save(s.folder.file("a.jpg"));
    s.records.settings.TempoAttesa = 50;
    s.records.settings.Effetti = 1;
    QRect atKey;
    QImage onScreen;
    // Timers run at the tick's yields: this one presses the key in the middle of the slide-in.
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, &s.form, [&] {
        if (s.form.isShowOpen() && s.form.isPictureVisible() && s.form.pictureRect().left() < 0 &&
            s.form.labelText() == "a.jpg" && s.form.pictureRect().right() > 20) {
            atKey = s.form.pictureRect();
            onScreen = s.form.screen()->grabWindow(s.form.winId()).toImage();
            QTest::keyClick(&s.form, Qt::Key_Space);
        }
    });
    EXPECT_TRUE(s.runShow([&] { watch.start(); }));
    watch.stop();
    ASSERT_TRUE(atKey.isValid());
    // Half in: the part on screen is the picture's, and nothing of it is left behind.
    const int y = atKey.center().y();
    for (const int x : {0, atKey.right() / 2, atKey.right() - 6})
        EXPECT_GT(onScreen.pixelColor(x, y).red(), 200) << x;
    for (const int x : {atKey.right() + 6, atKey.right() + 40})
        EXPECT_EQ(onScreen.pixelColor(x, y), QColor(0, 0, 0)) << x;
    QTest::qWait(100);
    EXPECT_EQ(s.form.pictureRect(), atKey);
    EXPECT_EQ(s.records.show.PictureIndex, 0);
    EXPECT_FALSE(s.form.isTimerActive());
}

TEST(Form1, TicksShowThePicturesAndTheShowCanBeRunAgain) {
    ShowWindow s;
    QImage small(100, 100, QImage::Format_RGB32);
    small.fill(Qt::red);
    ASSERT_TRUE(small.save(s.folder.file("Rosso.jpg")));
    s.records.settings.TempoAttesa = 600;
    s.records.settings.Cornice3D = 0;
    s.records.settings.RGB_R = 0;
    s.records.settings.RGB_G = 0;
    s.records.settings.RGB_B = 255;
    QRect picture, label;
    QString text;
    bool visible = false;
    QImage onScreen;
    const bool ended = s.runShow([&] {
        QTest::qWaitFor([&] {
            return s.records.show.PictureIndex == 1 && s.form.isPictureVisible() &&
                   s.form.pictureRect().left() > 0;
        });
        // Wait for the slide-in to end: the picture at the centre.
        QTest::qWaitFor(
            [&] { return std::abs(s.form.pictureRect().center().x() - s.form.width() / 2) <= 1; });
        QTest::qWait(30);
        picture = s.form.pictureRect();
        label = s.form.labelRect();
        text = s.form.labelText();
        visible = s.form.isPictureVisible();
        onScreen = s.form.screen()->grabWindow(s.form.winId()).toImage();
        s.form.Fine();
    });
    EXPECT_TRUE(ended);
    EXPECT_TRUE(visible);
    EXPECT_EQ(text, "rosso.jpg");
    EXPECT_EQ(s.form.backColor(), 0x0000ffu);
    // Enlarged to the height less the label's, square, just under the label.
    EXPECT_NEAR(picture.height(), s.form.height() - label.height(), 1);
    EXPECT_EQ(picture.width(), picture.height());
    EXPECT_EQ(label.top(), 0);
    EXPECT_NEAR(picture.top(), label.height(), 1);
    // What the window system got after the slide-in (the picture's pixels are moved in place):
    // the whole picture red, no trace of it left of its place, the label on its band.
    ASSERT_FALSE(onScreen.isNull());
    const auto colourAt = [&](QPoint p) { return onScreen.pixelColor(p); };
    for (const QPoint p :
         {picture.topLeft(), picture.center(), picture.bottomRight() - QPoint(1, 1),
          QPoint(picture.left() + 1, picture.bottom() - 1)})
        EXPECT_GT(colourAt(p).red(), 200) << p.x() << "," << p.y();
    for (const QPoint p :
         {QPoint(picture.left() - 2, picture.center().y()), QPoint(2, picture.bottom()),
          QPoint(picture.left() / 2, picture.bottom())})
        EXPECT_EQ(colourAt(p), QColor(0, 0, 255)) << p.x() << "," << p.y();
    EXPECT_LT(colourAt(label.topLeft() + QPoint(2, label.height() / 2)).blue(), 200);

    // The next show opens on the title screen again and starts at picture 1.
    bool title = false;
    s.runShow([&] {
        title = s.form.labelText() == "Quirello" && s.form.pictureRect().size() == QSize(300, 200);
        s.form.Fine();
    });
    EXPECT_TRUE(title);
    EXPECT_EQ(s.records.show.PictureIndex, 0);
}

} // namespace
