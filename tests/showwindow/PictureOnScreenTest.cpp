// The picture as it reaches the screen: where the rules place it, pixel for pixel at any device
// pixel ratio, and never kept at a size past the screen's.
#include "Form1Fakes.h"

#include <gtest/gtest.h>
#include <QPainter>
#include <QTest>

using form1test::onScreen;
using form1test::ShowWindow;

namespace {
constexpr QRgb Red = 0xFFFF0000, Blue = 0xFF0000FF, Green = 0xFF00FF00;

// Waits for the first picture of the show to be placed and painted.
bool firstPictureShown(ShowWindow& s) {
    return QTest::qWaitFor([&] {
        return s.records.show.PictureIndex == 1 && s.form.shown().pictureVisible &&
               s.form.shown().picture.left() >=
                   (s.form.width() - s.form.shown().picture.width()) / 2 - 1;
    });
}

// Device pixels of a logical rectangle.
QRect device(const QRect& r, qreal ratio) {
    return QRect((QPointF(r.topLeft()) * ratio).toPoint(), (QSizeF(r.size()) * ratio).toSize());
}
} // namespace

// A strip of 2,000 × 2 pixels, red on its left half and blue on its right, is enlarged a screen
// high: a million pixels wide, its left edge far off screen. It slides in over two screen widths
// only, starting over the screen with its blue half; placed, it is centred, red to the left of the
// screen's middle and blue to the right. What the show keeps of it is never larger than the
// screen.
TEST(PictureOnScreen, AStripEnlargedFarPastTheScreenIsPlacedByTheRulesAndKeptSmall) {
    for (const bool slide : {false, true}) {
        SCOPED_TRACE(slide ? "sliding in" : "placed");
        ShowWindow s;
        QImage strip(2000, 2, QImage::Format_RGB32);
        strip.fill(Red);
        QPainter(&strip).fillRect(1000, 0, 1000, 2, QColor(Blue));
        ASSERT_TRUE(strip.save(s.folder.file("striscia.bmp")));
        s.records.settings.TempoAttesa = 200;
        s.records.settings.Effetti = slide ? 100 : 0;
        s.records.settings.RGB_G = 255;
        QRect at;
        QImage shown;
        QTimer watch; // runs at the slide-in's yields, and ends the show there
        QObject::connect(&watch, &QTimer::timeout, &s.form, [&] {
            const QRect r = s.form.shown().picture;
            if (s.form.shown().pictureVisible && s.form.shown().labelText == "striscia.bmp" &&
                r.right() > s.form.width() && at.isNull()) {
                at = r;
                shown = onScreen(s.form);
                s.form.Fine();
            }
        });
        s.runShow([&] {
            if (slide) {
                watch.start(0);
                return;
            }
            ASSERT_TRUE(firstPictureShown(s));
            s.form.repaint();
            at = s.form.shown().picture;
            shown = onScreen(s.form);
            s.form.Fine();
        });
        ASSERT_FALSE(shown.isNull());
        const QSize window = s.form.size();
        const int label = s.form.shown().label.height();
        const qreal ratio = shown.devicePixelRatio();
        const QRect picture = device(at, ratio);
        // A screen high less the label, proportions kept, just under the label.
        EXPECT_EQ(at.height(), window.height() - label);
        EXPECT_NEAR(at.width(), 1000.0 * at.height(), 1000);
        EXPECT_EQ(at.top(), label);
        EXPECT_EQ(shown.pixel(0, picture.top() - 1), Green);
        const QList<int> rows{picture.top(), picture.center().y(), picture.bottom()};
        if (slide) {
            // The first step: two screen widths before its place.
            EXPECT_NEAR(at.left(), (window.width() - at.width()) / 2.0 - 2 * window.width(), 2);
            for (const int y : rows) {
                EXPECT_EQ(shown.pixel(0, y), Blue) << y;
                EXPECT_EQ(shown.pixel(shown.width() - 1, y), Blue) << y;
            }
        } else {
            // Centred; red and blue blend over one source pixel, a quarter of the height each
            // side of the middle.
            EXPECT_NEAR(at.left(), (window.width() - at.width()) / 2.0, 1);
            const int middle = int(window.width() * ratio / 2);
            const int blend = int((at.height() / 4 + 8) * ratio);
            for (const int y : rows) {
                EXPECT_EQ(shown.pixel(0, y), Red) << y;
                EXPECT_EQ(shown.pixel(middle - blend, y), Red) << y;
                EXPECT_EQ(shown.pixel(middle + blend, y), Blue) << y;
                EXPECT_EQ(shown.pixel(shown.width() - 1, y), Blue) << y;
            }
        }
        const QSize largest = s.form.shown().largestPictureImage;
        EXPECT_LE(qint64(largest.width()) * largest.height(),
                  qint64(shown.width()) * shown.height());
    }
}

// A checkerboard of single pixels, as many device pixels high as the picture is shown: every
// square reaches the screen as one device pixel, at a device pixel ratio of 2 as at 1.
TEST(PictureOnScreen, OneDevicePixelDetailStaysOneDevicePixelWide) {
    ShowWindow s;
    const QString path = s.folder.file("scacchi.bmp");
    ASSERT_TRUE(form1test::solid(Qt::gray).save(path));
    s.records.settings.TempoAttesa = 300;
    s.records.settings.Effetti = 0;
    const qreal ratio = s.form.devicePixelRatioF();
    EXPECT_EQ(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
    QImage board;
    QRect placed;
    QImage shown;
    s.runShow([&] {
        // Now the label's height is known: the board is made to be shown pixel for pixel.
        const int height = qRound((s.form.height() - s.form.shown().label.height()) * ratio);
        board = QImage(int(80 * ratio), height, QImage::Format_RGB32);
        for (int y = 0; y < board.height(); ++y)
            for (int x = 0; x < board.width(); ++x)
                board.setPixel(x, y, (x + y) % 2 ? 0xFF000000 : 0xFFFFFFFF);
        ASSERT_TRUE(board.save(path));
        ASSERT_TRUE(firstPictureShown(s));
        s.form.repaint();
        placed = s.form.shown().picture;
        shown = onScreen(s.form);
        s.form.Fine();
    });
    const QRect at = device(placed, ratio);
    ASSERT_EQ(at.size(), board.size());
    int wrong = 0;
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x)
            wrong += shown.pixel(at.left() + x, at.top() + y) != board.pixel(x, y);
    EXPECT_EQ(wrong, 0);
}
