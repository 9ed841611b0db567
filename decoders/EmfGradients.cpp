#include "decoders/EmfPlayer.h"
#include "decoders/MetafileRaster.h"

#include <cmath>
#include <QLinearGradient>

// Gradients: rectangles shading from one corner's colour to the other's, and triangles
// shading between their three corners' colours.
namespace emf {

namespace {

// Most vertices and pieces one gradient record may bring.
constexpr quint32 maxGradientParts = 65536;

// A gradient vertex: where (logical units) and which colour, 16 bits a channel.
struct Vertex {
    QPointF at;
    QColor colour;
};

Vertex vertex(const Record& r, quint32 at) {
    return {QPointF(r.s32(at), r.s32(at + 4)),
            QColor(r.u16(at + 8) >> 8, r.u16(at + 10) >> 8, r.u16(at + 12) >> 8)};
}

} // namespace

void Player::gradientFill(const Record& r) {
    // Rectangles shade across (mode 0) or down (mode 1); mode 2 is triangles.
    const quint32 vertices = r.u32(24), parts = r.u32(28), mode = r.u32(32);
    const quint32 each = mode == 2 ? 12 : 8;
    if (vertices > maxGradientParts || parts > maxGradientParts || mode > 2 ||
        !r.fits(36, quint64(vertices) * 16 + quint64(parts) * each))
        return;
    const quint32 partsAt = 36 + vertices * 16;
    for (quint32 i = 0; i < parts; ++i) {
        const quint32 corner[3] = {r.u32(partsAt + i * each), r.u32(partsAt + i * each + 4),
                                   mode == 2 ? r.u32(partsAt + i * each + 8) : 0};
        if (corner[0] >= vertices || corner[1] >= vertices || corner[2] >= vertices)
            continue;
        const Vertex a = vertex(r, 36 + corner[0] * 16), b = vertex(r, 36 + corner[1] * 16);
        if (mode == 2) {
            const Vertex c = vertex(r, 36 + corner[2] * 16);
            const QPolygonF corners({a.at, b.at, c.at});
            if (!painting(corners.boundingRect()))
                continue;
            shadeTriangle(corners, {a.colour, b.colour, c.colour});
            continue;
        }
        const QRectF box = QRectF(a.at, b.at).normalized();
        if (!painting(box))
            continue;
        QLinearGradient shade(a.at, mode == 0 ? QPointF(b.at.x(), a.at.y())
                                              : QPointF(a.at.x(), b.at.y()));
        shade.setColorAt(0, a.colour);
        shade.setColorAt(1, b.colour);
        useLogical();
        painter_->fillRect(box, shade);
    }
}

void Player::shadeTriangle(const QPolygonF& corners, const QColor (&colours)[3]) {
    useLogical();
    const QTransform toPicture = painter_->transform();
    const QPolygonF p = toPicture.map(corners);
    const QRect area = metafileraster::areaOf(*painter_, corners.boundingRect());
    // Twice the triangle's area, in pixels: the denominator of the corners' weights.
    const double twice = (p[1].x() - p[0].x()) * (p[2].y() - p[0].y()) -
                         (p[2].x() - p[0].x()) * (p[1].y() - p[0].y());
    if (area.isEmpty() || !(std::abs(twice) > 1e-9))
        return;
    // Each pixel takes the corners' colours weighed by how near it lies to each (the weights
    // held to the triangle, so that the edges' pixels do not overshoot).
    QImage shade(area.size(), QImage::Format_RGB32);
    if (shade.isNull())
        return;
    for (int y = 0; y < shade.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shade.scanLine(y));
        const double py = area.top() + y + 0.5;
        for (int x = 0; x < shade.width(); ++x) {
            const double px = area.left() + x + 0.5;
            double w[3] = {((p[1].x() - px) * (p[2].y() - py) - (p[2].x() - px) * (p[1].y() - py)),
                           ((p[2].x() - px) * (p[0].y() - py) - (p[0].x() - px) * (p[2].y() - py)),
                           0};
            w[0] = std::clamp(w[0] / twice, 0.0, 1.0);
            w[1] = std::clamp(w[1] / twice, 0.0, 1.0 - w[0]);
            w[2] = 1 - w[0] - w[1];
            const auto mix = [&](int (QColor::*part)() const) {
                return int(std::lround(w[0] * (colours[0].*part)() + w[1] * (colours[1].*part)() +
                                       w[2] * (colours[2].*part)()));
            };
            line[x] = qRgb(mix(&QColor::red), mix(&QColor::green), mix(&QColor::blue));
        }
    }
    QBrush fill(shade);
    fill.setTransform(QTransform::fromTranslate(area.left(), area.top()));
    QPainterPath triangle;
    triangle.addPolygon(p);
    triangle.closeSubpath();
    // The clip stays where it was set, on the picture's pixels.
    painter_->resetTransform();
    painter_->fillPath(triangle, fill);
}

} // namespace emf
