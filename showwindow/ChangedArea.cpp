#include "showwindow/ChangedArea.h"

#include <algorithm>
#include <cmath>

namespace changedarea {

namespace {
constexpr double Margin = 2;
// Enough pieces to follow a slanted line or a ring closely, few enough that flushing them
// one by one stays cheap.
constexpr int MaxPieces = 32;

QRect around(double left, double top, double right, double bottom, double grow) {
    const int l = static_cast<int>(std::floor(left - grow));
    const int t = static_cast<int>(std::floor(top - grow));
    const int r = static_cast<int>(std::ceil(right + grow));
    const int b = static_cast<int>(std::ceil(bottom + grow));
    return QRect(QPoint(l, t), QPoint(r, b));
}
} // namespace

QRegion line(QPointF from, QPointF to, double pen) {
    const double grow = pen / 2 + Margin;
    const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
    // Pieces no shorter than the pen is wide: shorter ones would only overlap.
    const int pieces = std::clamp(static_cast<int>(length / std::max(pen, 16.0)), 1, MaxPieces);
    QRegion area;
    for (int i = 0; i < pieces; ++i) {
        const QPointF a = from + (to - from) * (double(i) / pieces);
        const QPointF b = from + (to - from) * (double(i + 1) / pieces);
        area += around(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()),
                       std::max(a.y(), b.y()), grow);
    }
    return area;
}

QRegion boxOutline(const QRectF& box, double pen) {
    const QRectF b = box.normalized();
    const double grow = pen / 2 + Margin;
    QRegion area;
    area += around(b.left(), b.top(), b.right(), b.top(), grow);
    area += around(b.left(), b.bottom(), b.right(), b.bottom(), grow);
    area += around(b.left(), b.top(), b.left(), b.bottom(), grow);
    area += around(b.right(), b.top(), b.right(), b.bottom(), grow);
    return area;
}

QRegion filledBox(const QRectF& box) {
    const QRectF b = box.normalized();
    return around(b.left(), b.top(), b.right(), b.bottom(), Margin);
}

QRegion ring(QPointF centre, double radius, double pen) {
    const double outer = std::abs(radius) + pen / 2 + Margin;
    const double inner = std::abs(radius) - pen / 2 - Margin;
    // Horizontal bands from the top of the ring to its bottom; in each, the ring covers at
    // most the span between the inner circle's chord and the outer circle's.
    const int bands = std::clamp(static_cast<int>(2 * outer / 8), 1, MaxPieces);
    const double bandHeight = 2 * outer / bands;
    QRegion area;
    for (int i = 0; i < bands; ++i) {
        const double top = -outer + i * bandHeight;
        const double bottom = top + bandHeight;
        const double nearest =
            (top <= 0 && bottom >= 0) ? 0 : std::min(std::abs(top), std::abs(bottom));
        const double farthest = std::max(std::abs(top), std::abs(bottom));
        const double outerHalf = std::sqrt(std::max(0.0, outer * outer - nearest * nearest));
        const double innerHalf =
            inner > farthest ? std::sqrt(inner * inner - farthest * farthest) : 0.0;
        const double y1 = centre.y() + top;
        const double y2 = centre.y() + bottom;
        if (innerHalf <= 0) {
            area += around(centre.x() - outerHalf, y1, centre.x() + outerHalf, y2, 1);
        } else {
            area += around(centre.x() - outerHalf, y1, centre.x() - innerHalf, y2, 1);
            area += around(centre.x() + innerHalf, y1, centre.x() + outerHalf, y2, 1);
        }
    }
    return area;
}

} // namespace changedarea
