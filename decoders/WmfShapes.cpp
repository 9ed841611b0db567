#include "decoders/WmfPlayer.h"

#include <cmath>

// Lines and shapes, filled with the brush and outlined with the pen.

namespace wmf {

namespace {

enum PenStyle { dash = 1, dot, dashDot, dashDotDot, nullPen, insideFrame };

// The angle of `p` on the ellipse inscribed in `box`, in degrees counter-clockwise from
// three o'clock, as QPainterPath::arcTo counts it.
double angleOn(const QRectF& box, QPointF p) {
    const QPointF c = box.center();
    const double dx = box.width() > 0 ? (p.x() - c.x()) / box.width() : 0;
    const double dy = box.height() > 0 ? (p.y() - c.y()) / box.height() : 0;
    return dx == 0 && dy == 0 ? 0 : std::atan2(-dy, dx) * 180 / M_PI;
}

} // namespace

QPen Player::pen() const {
    const Pen& p = state_.pen;
    const int style = p.style & 0x0F;
    if (style == nullPen)
        return Qt::NoPen;
    // Width 0 is one pixel however the drawing is scaled.
    const double width = std::max(1.0, p.width * scaleX());
    QPen pen(p.color, width);
    switch (p.style & 0x0F00) {
    case 0x0100:
        pen.setCapStyle(Qt::SquareCap);
        break;
    case 0x0200:
        pen.setCapStyle(Qt::FlatCap);
        break;
    default:
        pen.setCapStyle(Qt::RoundCap);
    }
    switch (p.style & 0xF000) {
    case 0x1000:
        pen.setJoinStyle(Qt::BevelJoin);
        break;
    case 0x2000:
        pen.setJoinStyle(Qt::MiterJoin);
        break;
    default:
        pen.setJoinStyle(Qt::RoundJoin);
    }
    // Windows draws dashes and dots with thin pens only, in pixels; a wide pen is solid.
    if (p.width <= 1 && style >= dash && style <= dashDotDot) {
        static const QList<qreal> patterns[] = {{18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
        QList<qreal> pattern = patterns[style - dash];
        for (qreal& v : pattern)
            v /= width;
        pen.setDashPattern(pattern);
        pen.setCapStyle(Qt::FlatCap);
    }
    return pen;
}

QBrush Player::brush() const {
    const Brush& b = state_.brush;
    switch (b.style) {
    case Brush::null:
        return Qt::NoBrush;
    case Brush::hatched: {
        // Horizontal, vertical, down to the right, up to the right, cross, diagonal cross.
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                 Qt::FDiagPattern, Qt::BDiagPattern,
                                                 Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(b.color, b.hatch >= 0 && b.hatch < 6 ? hatches[b.hatch] : Qt::SolidPattern);
    }
    case Brush::pattern:
    case Brush::dibPattern:
    case Brush::dibPatternPt:
        if (!b.image.isNull())
            return QBrush(b.image);
        return b.color;
    default:
        return b.color;
    }
}

bool Player::rop2(QColor& color) {
    // The raster operations of lines and fills that drawings use, and what stands in for them
    // where the picture is transparent.
    switch (state_.rop2) {
    case 11: // leave what is there
        return false;
    case 1:
        color = Qt::black;
        break;
    case 16:
        color = Qt::white;
        break;
    case 4: // the pen's colour inverted
        color = QColor(255 - color.red(), 255 - color.green(), 255 - color.blue());
        break;
    case 6: // what is there inverted
        color = Qt::white;
        painter_->setCompositionMode(QPainter::CompositionMode_Difference);
        break;
    case 7: // exclusive or
        painter_->setCompositionMode(QPainter::CompositionMode_Difference);
        break;
    case 9: // and
        painter_->setCompositionMode(QPainter::CompositionMode_Multiply);
        break;
    case 15: // or
        painter_->setCompositionMode(QPainter::CompositionMode_Lighten);
        break;
    default:
        break;
    }
    return true;
}

void Player::endRop2() {
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Player::drawPath(QPainterPath path, bool fill, bool stroke) {
    path.setFillRule(state_.winding ? Qt::WindingFill : Qt::OddEvenFill);
    QPen linePen = stroke ? pen() : QPen(Qt::NoPen);
    QBrush fillBrush = fill ? brush() : QBrush(Qt::NoBrush);
    const double halfWidth = linePen.style() == Qt::NoPen ? 0 : linePen.widthF() / 2;
    noteDrawn(path.boundingRect().adjusted(-halfWidth, -halfWidth, halfWidth, halfWidth));
    if (!painter_)
        return;
    QColor penColor = linePen.color();
    QColor brushColor = fillBrush.color();
    if (!rop2(penColor) || !rop2(brushColor))
        return endRop2();
    linePen.setColor(penColor);
    fillBrush.setColor(brushColor);
    painter_->setBackground(state_.bkColor);
    painter_->setBackgroundMode(state_.bkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter_->setPen(linePen);
    painter_->setBrush(fillBrush);
    painter_->drawPath(path);
    endRop2();
}

void Player::fillPath(const QPainterPath& path, const QBrush& fill) {
    noteDrawn(path.boundingRect());
    if (!painter_)
        return;
    painter_->setBackground(state_.bkColor);
    painter_->setBackgroundMode(state_.bkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter_->fillPath(path, fill);
}

void Player::lineTo(const Record& r) {
    if (!r.has(2))
        return;
    const QPointF to = point(r, 0);
    QPainterPath path;
    path.moveTo(map(state_.position));
    path.lineTo(map(to));
    state_.position = to;
    drawPath(path, false, true);
}

void Player::polyShape(const Record& r) {
    const qsizetype count = r.u16(0);
    if (!r.has(1 + 2 * count) || count < 2)
        return;
    QPolygonF points;
    points.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        points.append(map(QPointF(r.s16(1 + 2 * i), r.s16(2 + 2 * i))));
    const bool closed = r.function() == meta::polygon;
    QPainterPath path;
    path.addPolygon(points);
    if (closed)
        path.closeSubpath();
    drawPath(path, closed, true);
}

void Player::polyPolygon(const Record& r) {
    const qsizetype polygons = r.u16(0);
    if (!r.has(1 + polygons))
        return;
    QPainterPath path;
    qsizetype at = 1 + polygons;
    for (qsizetype i = 0; i < polygons; ++i) {
        const qsizetype count = r.u16(1 + i);
        if (!r.has(at + 2 * count))
            return;
        QPolygonF points;
        points.reserve(count);
        for (qsizetype k = 0; k < count; ++k, at += 2)
            points.append(map(QPointF(r.s16(at), r.s16(at + 1))));
        path.addPolygon(points);
        path.closeSubpath();
    }
    drawPath(path, true, true);
}

void Player::setPixel(const Record& r) {
    if (!r.has(4))
        return;
    const QPointF at = map(point(r, 2));
    const QRectF dot(at, QSizeF(std::max(1.0, scaleX()), std::max(1.0, scaleY())));
    QPainterPath p;
    p.addRect(dot);
    fillPath(p, colorRef(r.u32(0), state_.palette));
}

std::optional<QRectF> Player::shapeBox(const Record& r, qsizetype word) const {
    // Bottom, right, top, left.
    if (!r.has(word + 4))
        return std::nullopt;
    QRectF rect = mapRect(r.s16(word + 3), r.s16(word + 2), r.s16(word + 1), r.s16(word));
    if ((state_.pen.style & 0x0F) == insideFrame) {
        // The outline stays inside the box.
        const double half = pen().widthF() / 2;
        rect.adjust(half, half, -half, -half);
    }
    return rect;
}

void Player::rectangle(const Record& r) {
    if (const std::optional<QRectF> box = shapeBox(r, 0)) {
        QPainterPath path;
        path.addRect(*box);
        drawPath(path, true, true);
    }
}

void Player::ellipse(const Record& r) {
    if (const std::optional<QRectF> box = shapeBox(r, 0)) {
        QPainterPath path;
        path.addEllipse(*box);
        drawPath(path, true, true);
    }
}

void Player::roundRect(const Record& r) {
    if (const std::optional<QRectF> box = shapeBox(r, 2)) {
        QPainterPath path;
        path.addRoundedRect(*box, std::abs(r.s16(1) * transform_.m11()) / 2,
                            std::abs(r.s16(0) * transform_.m22()) / 2);
        drawPath(path, true, true);
    }
}

void Player::arcShape(const Record& r) {
    const std::optional<QRectF> box = shapeBox(r, 4);
    if (!box)
        return;
    const QRectF& rect = *box;
    // From the start point's angle to the end point's, counter-clockwise on the page; a
    // mirrored mapping turns that round.
    const double start = angleOn(rect, map(point(r, 2)));
    const double end = angleOn(rect, map(point(r, 0)));
    const bool mirrored = transform_.m11() * transform_.m22() < 0;
    double sweep = mirrored ? start - end : end - start;
    if (sweep <= 0)
        sweep += 360;
    if (mirrored)
        sweep = -sweep;
    QPainterPath path;
    if (r.function() == meta::pie) {
        path.moveTo(rect.center());
        path.arcTo(rect, start, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(rect, start);
        path.arcTo(rect, start, sweep);
        if (r.function() == meta::chord)
            path.closeSubpath();
    }
    drawPath(path, r.function() != meta::arc, true);
}

} // namespace wmf
