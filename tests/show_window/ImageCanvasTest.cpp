#include "show/window/ImageCanvas.h"

#include <gtest/gtest.h>
#include <QImage>
#include <vector>

namespace {

// A 200 x 100 pixel window in white, recording the areas handed to repaint.
struct CanvasFixture {
    QImage backing;
    quint32 back = 0x336699;
    std::vector<QRegion> repaints;
    ImageCanvas canvas{backing, [] { return QSize(200, 100); }, [this] { return back; },
                       [this](const QRegion& changed) { repaints.push_back(changed); }};
    explicit CanvasFixture(QImage::Format format = QImage::Format_RGB32)
        : backing(200, 100, format) {
        backing.fill(Qt::white);
    }

    // The pixels that are no longer white.
    QRegion painted() const {
        QRegion area;
        for (int y = 0; y < backing.height(); ++y)
            for (int x = 0; x < backing.width(); ++x)
                if (backing.pixel(x, y) != qRgb(255, 255, 255))
                    area += QRect(x, y, 1, 1);
        return area;
    }
};

TEST(ImageCanvas, ReportsTheWindowInTwipsAndItsBackColour) {
    CanvasFixture f;
    EXPECT_EQ(f.canvas.width(), 3000);
    EXPECT_EQ(f.canvas.height(), 1500);
    f.back = 0x123456;
    EXPECT_EQ(f.canvas.backColor(), 0x123456u);
}

TEST(ImageCanvas, FilledBoxPaintsItsPixelsInTheColourAndRepaintsThem) {
    CanvasFixture f;
    f.canvas.setDrawWidth(2);
    // Pixels 20..40 by 10..30, grown by half the pen.
    f.canvas.filledBox(300, 150, 600, 450, 0xFF8000);
    EXPECT_EQ(f.backing.pixel(30, 20), qRgb(0xFF, 0x80, 0x00));
    EXPECT_EQ(f.backing.pixel(19, 9), qRgb(0xFF, 0x80, 0x00));
    EXPECT_EQ(f.backing.pixel(40, 30), qRgb(0xFF, 0x80, 0x00));
    EXPECT_EQ(f.backing.pixel(42, 20), qRgb(255, 255, 255));
    ASSERT_EQ(f.repaints.size(), 1u);
    EXPECT_TRUE((f.painted() - f.repaints[0]).isEmpty()) << "a painted pixel was not repainted";
    EXPECT_LE(f.repaints[0].boundingRect().width(), 30);
}

// Every shape is repainted at once, once, over at least every pixel it changed and not much
// beyond: a window-sized outline must not repaint the whole window.
struct ShapeCase {
    const char* name;
    int pen;
    void (*draw)(ImageCanvas&);
    int maxRepaintedPixels;
};

class Shapes : public ::testing::TestWithParam<ShapeCase> {};

void repaintOnceCoveringWhatChanged(const ShapeCase& t, QImage::Format format);

// Plain 32-bit images are filled by hand where they can be, others always through a painter.
TEST_P(Shapes, RepaintOnceCoveringWhatChanged) {
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB16}) {
        SCOPED_TRACE(format);
        repaintOnceCoveringWhatChanged(GetParam(), format);
    }
}

void repaintOnceCoveringWhatChanged(const ShapeCase& t, QImage::Format format) {
    CanvasFixture f(format);
    QImage probe(1, 1, format);
    probe.fill(QColor::fromRgb(f.back));
    f.canvas.setDrawWidth(t.pen);
    t.draw(f.canvas);
    ASSERT_EQ(f.repaints.size(), 1u);
    const QRegion painted = f.painted();
    ASSERT_FALSE(painted.isEmpty());
    EXPECT_TRUE((painted - f.repaints[0]).isEmpty())
        << "missed: " << (painted - f.repaints[0]).rectCount();
    long area = 0;
    for (const QRect& r : f.repaints[0])
        area += long(r.width()) * r.height();
    EXPECT_LE(area, t.maxRepaintedPixels);
    EXPECT_TRUE(QRect(0, 0, 200, 100).contains(f.repaints[0].boundingRect()));
    for (const QRect& r : painted)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                ASSERT_EQ(f.backing.pixel(x, y), probe.pixel(0, 0));
}

INSTANTIATE_TEST_SUITE_P(
    ImageCanvas, Shapes,
    ::testing::Values(
        ShapeCase{"slanted_line", 10,
                  [](ImageCanvas& c) { c.line(0, 0, 3000, 1500, c.backColor()); }, 8000},
        ShapeCase{"box_outline", 10,
                  [](ImageCanvas& c) { c.box(150, 150, 2850, 1350, c.backColor()); }, 9000},
        ShapeCase{"ring", 10, [](ImageCanvas& c) { c.circle(1500, 750, 900, c.backColor()); },
                  12000},
        ShapeCase{"ray_beyond_the_window", 50,
                  [](ImageCanvas& c) { c.line(1500, 750, 9000, 2000, c.backColor()); }, 14000}),
    [](const auto& info) { return std::string(info.param.name); });

// Level and upright bands report exactly the pixels that changed colour: an outline moved by
// a pixel repaints a one-pixel ring, not the bands it was drawn with.
TEST(ImageCanvas, AMovedShapeRepaintsExactlyWhatChanged) {
    const struct {
        const char* name;
        void (*first)(ImageCanvas&);
        void (*second)(ImageCanvas&);
    } cases[] = {
        {"square grown by a pixel", [](ImageCanvas& c) { c.box(600, 300, 2400, 1200, 1); },
         [](ImageCanvas& c) { c.box(585, 285, 2415, 1215, 1); }},
        {"square shrunk by a pixel", [](ImageCanvas& c) { c.box(600, 300, 2400, 1200, 1); },
         [](ImageCanvas& c) { c.box(615, 315, 2385, 1185, 1); }},
        {"curtain moved by a pixel", [](ImageCanvas& c) { c.line(900, 0, 900, 1499, 1); },
         [](ImageCanvas& c) { c.line(915, 0, 915, 1499, 1); }},
        {"overlapping tiles", [](ImageCanvas& c) { c.filledBox(300, 300, 1200, 900, 1); },
         [](ImageCanvas& c) { c.filledBox(900, 600, 1800, 1200, 1); }},
    };
    for (const auto& t : cases) {
        CanvasFixture f;
        f.canvas.setDrawWidth(10);
        t.first(f.canvas);
        const QImage before = f.backing.copy();
        t.second(f.canvas);
        QRegion changed;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 200; ++x)
                if (before.pixel(x, y) != f.backing.pixel(x, y))
                    changed += QRect(x, y, 1, 1);
        ASSERT_EQ(f.repaints.size(), 2u);
        EXPECT_FALSE(changed.isEmpty()) << t.name;
        EXPECT_TRUE((f.repaints[1] ^ changed).isEmpty()) << t.name;
    }
}

TEST(ImageCanvas, OneRepaintPerDrawingCallEvenOffTheWindow) {
    CanvasFixture f;
    f.canvas.setDrawWidth(10);
    f.canvas.line(-9000, -9000, -6000, -8000, 0);
    f.canvas.box(100, 100, 200, 200, 0);
    f.canvas.circle(1500, 750, 50000, 0);
    ASSERT_EQ(f.repaints.size(), 3u);
    EXPECT_TRUE(f.repaints[0].isEmpty());
    EXPECT_TRUE(f.repaints[2].isEmpty()) << "a ring far outside the window changes nothing in it";
}

} // namespace
