#include "effects/ClsDiag.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"
#include "show/window/ImageCanvas.h"

#include <cmath>
#include <gtest/gtest.h>
#include <QPainter>

// Every effect, drawn through the canvas, wipes the whole window, and what the window showed
// after the last repaint is exactly what the image holds: no change is left unrepainted.
namespace {

struct StillClock : Clock {
    double secondsSinceMidnight() const override { return 3600; }
    qint64 monotonicMs() const override { return 0; }
};

struct Screen {
    QImage backing;
    QImage shown; // what the window would show: the repainted areas copied at each repaint
    std::vector<QRegion> repaints;
    ImageCanvas canvas;

    explicit Screen(QSize size, QImage::Format format = QImage::Format_RGB32)
        : backing(size, format), shown(size, format),
          canvas(
              backing, [this] { return backing.size(); }, [] { return 0x204060u; },
              [this](const QRegion& changed) {
                  repaints.push_back(changed);
                  QPainter p(&shown);
                  for (const QRect& r : changed)
                      p.drawImage(r.topLeft(), backing, r);
              }) {
        backing.fill(QColor(250, 200, 10));
        shown = backing.copy();
    }

    // The pixels not wiped, other than those within `spared` pixels of the centre.
    int pixelsNotWiped(double spared = 0) const {
        QImage probe(1, 1, backing.format());
        probe.fill(QColor::fromRgb(0x204060));
        const QRgb colour = probe.pixel(0, 0);
        const QPointF centre(backing.width() / 2.0, backing.height() / 2.0);
        int count = 0;
        for (int y = 0; y < backing.height(); ++y)
            for (int x = 0; x < backing.width(); ++x) {
                const QPointF d = QPointF(x + 0.5, y + 0.5) - centre;
                if (backing.pixel(x, y) != colour && std::hypot(d.x(), d.y()) > spared)
                    ++count;
            }
        return count;
    }
};

class EveryEffect : public ::testing::TestWithParam<int> {};

TEST_P(EveryEffect, WipesTheWholeWindowAndShowsEveryChange) {
    // A 16-bit image takes the painter for every shape.
    for (auto [size, format] : {std::pair{QSize(320, 240), QImage::Format_RGB32},
                                std::pair{QSize(400, 225), QImage::Format_RGB32},
                                std::pair{QSize(320, 240), QImage::Format_RGB16}}) {
        Screen screen(size, format);
        UniformRandom random(GetParam());
        StillClock clock;
        qint16 code = static_cast<qint16>(GetParam());
        ClsDiag(code, screen.canvas, random, clock);
        // The closing circle ends at a radius of 100 twips under a 150-twip pen: it leaves
        // a dot of a few pixels at the centre.
        const double spared = GetParam() == 8 ? 3 : 0;
        EXPECT_EQ(screen.pixelsNotWiped(spared), 0)
            << "code " << GetParam() << " on " << size.width() << "x" << size.height() << " format "
            << format;
        EXPECT_TRUE(screen.shown == screen.backing) << "a change was never repainted";
        EXPECT_FALSE(screen.repaints.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, EveryEffect, ::testing::Range(1, 11));

TEST(ImageCanvasRepaint, OnlyPixelsThatChangeColourAreRepainted) {
    Screen screen(QSize(200, 100));
    ImageCanvas& c = screen.canvas;
    c.setDrawWidth(10);
    c.box(300, 300, 2700, 1200, 0x204060);
    c.box(300, 300, 2700, 1200, 0x204060); // over itself
    c.line(1500, 0, 1500, 1500, 0x204060);
    c.line(1502, 0, 1502, 1500, 0x204060); // less than a pixel further
    c.line(1515, 0, 1515, 1500, 0x204060); // a pixel further
    screen.backing.fill(Qt::white);        // the window draws something else
    c.box(300, 300, 2700, 1200, 0x204060);
    c.box(300, 300, 2700, 1200, 0x102030); // another colour

    ASSERT_EQ(screen.repaints.size(), 7u);
    const bool expectEmpty[] = {false, true, false, true, false, false, false};
    for (size_t i = 0; i < 7; ++i)
        EXPECT_EQ(screen.repaints[i].isEmpty(), expectEmpty[i]) << "call " << i;
    // Moved by one pixel: one column changes.
    EXPECT_EQ(screen.repaints[4].boundingRect(), QRect(105, 0, 1, 100));
}

} // namespace
