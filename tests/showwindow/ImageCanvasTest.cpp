// The effects drawn into the show window's backing image. Each drawing call repaints at once the
// pixels it changed and not much more, so that what the window shows after the last repaint is
// exactly what the image holds.
#include "showwindow/ImageCanvas.h"
#include "effects/ClsDiag.h"
#include "showwindow/BackingPaint.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>
#include <QPainter>

namespace {

// A window over a yellow backing image whose back colour is 0x204060; `shown` is what the window
// shows: the repainted areas copied at each repaint. A 16-bit image takes the painter for every
// shape, where a 32-bit one is mostly filled by hand; the backing may hold `ratio` device pixels
// to each logical one.
struct Screen {
    QImage backing, shown;
    std::vector<QRegion> repaints;
    ImageCanvas canvas;

    explicit Screen(QSize size = {200, 100}, QImage::Format format = QImage::Format_RGB32,
                    int ratio = 1)
        : backing(size * ratio, format),
          canvas(
              backing, [size] { return size; }, [] { return 0x204060u; },
              [this](const QRegion& changed) {
                  repaints.push_back(changed);
                  QPainter p(&shown);
                  paintBacking(p, backing, changed);
              }) {
        backing.setDevicePixelRatio(ratio);
        backing.fill(QColor(250, 200, 10));
        shown = backing.copy();
    }

    // The pixels that differ from `before`.
    QRegion changedFrom(const QImage& before) const {
        QRegion area;
        for (int y = 0; y < backing.height(); ++y)
            for (int x = 0; x < backing.width(); ++x)
                if (backing.pixel(x, y) != before.pixel(x, y))
                    area += QRect(x, y, 1, 1);
        return area;
    }
};

class EveryEffect : public ::testing::TestWithParam<int> {};

TEST_P(EveryEffect, WipesTheWholeWindowAndShowsEveryChange) {
    const struct {
        QSize size;
        QImage::Format format;
        int ratio;
    } windows[] = {{{320, 240}, QImage::Format_RGB32, 1},
                   {{400, 225}, QImage::Format_RGB32, 1},
                   {{320, 240}, QImage::Format_RGB16, 1},
                   {{320, 240}, QImage::Format_RGB32, 2}};
    for (const auto& [size, format, ratio] : windows) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height() << " " << format
                                        << " ratio " << ratio);
        Screen screen(size, format, ratio);
        UniformRandom random(GetParam());
        fakes::FixedClock clock;
        qint16 code = static_cast<qint16>(GetParam());
        ClsDiag(code, screen.canvas, random, clock);
        QImage wiped(size * ratio, format);
        wiped.fill(QColor::fromRgb(0x204060));
        // The closing circle ends at a radius of 100 twips under a 150-twip pen: it leaves a dot
        // of a few pixels at the centre.
        const QRegion left = screen.changedFrom(wiped);
        const QRect dot = GetParam() == 8
                              ? QRect((size.width() / 2 - 3) * ratio,
                                      (size.height() / 2 - 3) * ratio, 6 * ratio, 6 * ratio)
                              : QRect();
        EXPECT_TRUE(left.isEmpty() || dot.contains(left.boundingRect()));
        EXPECT_TRUE(screen.shown == screen.backing) << "a change was never repainted";
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, EveryEffect, ::testing::Range(1, 11));

// After a first drawing, a second one repaints exactly the pixels whose colour it changed, once
// and at once: an outline moved by a pixel repaints a one-pixel ring, not the bands it is drawn
// with.
TEST(ImageCanvas, ASecondDrawingRepaintsExactlyThePixelsItChanged) {
    const struct {
        const char* name;
        void (*first)(Screen&);
        void (*second)(ImageCanvas&);
        int slack = 0; // pixels repainted beyond those changed
    } cases[] = {
        {"square grown by a pixel", [](Screen& s) { s.canvas.box(600, 300, 2400, 1200, 1); },
         [](ImageCanvas& c) { c.box(585, 285, 2415, 1215, 1); }},
        {"square over itself", [](Screen& s) { s.canvas.box(600, 300, 2400, 1200, 1); },
         [](ImageCanvas& c) { c.box(600, 300, 2400, 1200, 1); }},
        {"square in another colour", [](Screen& s) { s.canvas.box(600, 300, 2400, 1200, 1); },
         [](ImageCanvas& c) { c.box(600, 300, 2400, 1200, 2); }},
        {"square after the window drew over it",
         [](Screen& s) {
             s.canvas.box(600, 300, 2400, 1200, 1);
             s.backing.fill(Qt::white);
         },
         [](ImageCanvas& c) { c.box(600, 300, 2400, 1200, 1); }},
        {"curtain moved by a pixel", [](Screen& s) { s.canvas.line(900, 0, 900, 1499, 1); },
         [](ImageCanvas& c) { c.line(915, 0, 915, 1499, 1); }},
        {"overlapping tiles", [](Screen& s) { s.canvas.filledBox(300, 300, 1200, 900, 1); },
         [](ImageCanvas& c) { c.filledBox(900, 600, 1800, 1200, 1); }},
        // On a fresh window of 20,000 pixels: a shape across it must not repaint it all.
        {"slanted line", [](Screen&) {}, [](ImageCanvas& c) { c.line(0, 0, 3000, 1500, 1); }, 5000},
        {"ring", [](Screen&) {}, [](ImageCanvas& c) { c.circle(1500, 750, 900, 1); }, 5000},
        {"ray beyond the window", [](Screen&) {},
         [](ImageCanvas& c) { c.line(1500, 750, 9000, 2000, 1); }, 2500},
        {"line off the window", [](Screen&) {},
         [](ImageCanvas& c) { c.line(-9000, -9000, -6000, -8000, 0); }},
        {"ring far around the window", [](Screen&) {},
         [](ImageCanvas& c) { c.circle(1500, 750, 50000, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Screen screen;
        screen.canvas.setDrawWidth(10);
        c.first(screen);
        const QImage before = screen.backing.copy();
        const size_t repaints = screen.repaints.size();
        c.second(screen.canvas);
        ASSERT_EQ(screen.repaints.size(), repaints + 1);
        const QRegion changed = screen.changedFrom(before), repaint = screen.repaints.back();
        EXPECT_TRUE((changed - repaint).isEmpty()) << "a changed pixel was not repainted";
        long extra = 0;
        for (const QRect& r : repaint - changed)
            extra += long(r.width()) * r.height();
        EXPECT_LE(extra, c.slack);
    }
}

} // namespace
