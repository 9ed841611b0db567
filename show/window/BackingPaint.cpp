#include "show/window/BackingPaint.h"

#include <algorithm>
#include <QPainter>

namespace {
// Below the row count at which Qt starts splitting a copy across threads.
constexpr int SliceRows = 64;
// Larger copies are worth the threads.
constexpr qint64 ThinArea = 128 * 1024;
} // namespace

void paintBacking(QPainter& painter, const QImage& backing, const QRegion& region) {
    for (const QRect& r : region) {
        if (qint64(r.width()) * r.height() >= ThinArea) {
            painter.drawImage(r.topLeft(), backing, r);
            continue;
        }
        for (int top = r.top(); top <= r.bottom(); top += SliceRows) {
            const QRect slice(r.left(), top, r.width(), std::min(SliceRows, r.bottom() + 1 - top));
            painter.drawImage(slice.topLeft(), backing, slice);
        }
    }
}
