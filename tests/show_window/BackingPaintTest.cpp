#include "show/window/BackingPaint.h"

#include <gtest/gtest.h>
#include <QPainter>

// Whatever the slicing, exactly the asked-for pixels reach the window.
TEST(BackingPaint, CopiesExactlyTheRegionInThinSlicesAndWholeBlocks) {
    QImage backing(300, 500, QImage::Format_RGB32);
    for (int y = 0; y < backing.height(); ++y)
        for (int x = 0; x < backing.width(); ++x)
            backing.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    QRegion region(QRect(3, 0, 1, 500)); // a thin column taller than a slice
    region += QRect(10, 7, 290, 3);      // a thin row
    region += QRect(20, 100, 280, 400);  // a block worth one copy
    region += QRect(5, 130, 2, 65);      // a slice and one row more

    QImage window(300, 500, QImage::Format_RGB32);
    window.fill(Qt::black);
    {
        QPainter painter(&window);
        paintBacking(painter, backing, region);
    }
    for (int y = 0; y < window.height(); ++y)
        for (int x = 0; x < window.width(); ++x)
            ASSERT_EQ(window.pixel(x, y),
                      region.contains(QPoint(x, y)) ? backing.pixel(x, y) : qRgb(0, 0, 0))
                << x << "," << y;
}
