#include "showwindow/BackingPaint.h"

#include <algorithm>
#include <QPainter>

namespace {
// Below the row count at which Qt starts splitting a copy across threads.
constexpr int SliceRows = 64;
// Larger copies are worth the threads.
constexpr qint64 ThinArea = qint64(128) * 1024;
} // namespace

void paintBacking(QPainter& painter, const QImage& backing, const QRegion& region) {
    const qreal ratio = backing.devicePixelRatio();
    const auto copy = [&](const QRect& r) {
        painter.drawImage(
            QRectF(r), backing,
            QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    };
    for (const QRect& r : region) {
        if (qint64(r.width()) * r.height() >= ThinArea) {
            copy(r);
            continue;
        }
        for (int top = r.top(); top <= r.bottom(); top += SliceRows)
            copy(QRect(r.left(), top, r.width(), std::min(SliceRows, r.bottom() + 1 - top)));
    }
}
