#include "decoders/EmfPlayer.h"

#include <cmath>

namespace emf {

namespace {

// Lines joining the points, or cubic curves through them (the first point, then three for
// each curve), continuing `path` from where it stands.
void addPoints(QPainterPath& path, const QPolygonF& points, int from, bool curves) {
    if (curves) {
        for (int i = from; i + 2 < points.size(); i += 3)
            path.cubicTo(points[i], points[i + 1], points[i + 2]);
    } else {
        for (int i = from; i < points.size(); ++i)
            path.lineTo(points[i]);
    }
}

// The points of a record that holds their count and then them, as the poly-line records do.
QPolygonF countedPoints(const Record& r, bool small) {
    return r.points(28, std::min(r.u32(24), maxPointsPerRecord), small);
}

QRectF box(const Record& r) {
    return QRectF(QPointF(r.s32(8), r.s32(12)), QPointF(r.s32(16), r.s32(20))).normalized();
}

// The angle (degrees, counter-clockwise as seen) at which the ray from the box's centre to
// `p` meets the ellipse inside the box.
double angleOn(const QRectF& box, QPointF p) {
    const QPointF c = box.center();
    const double rx = std::max(box.width() / 2, 1e-9), ry = std::max(box.height() / 2, 1e-9);
    return std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx) * 180 / M_PI;
}

} // namespace

namespace {

// Whether a record's points are 16-bit, as in the records numbered from EMR_POLYBEZIER16 on.
bool sixteenBit(quint32 type) {
    return type >= emr::polyBezier16 && type <= emr::polyDraw16;
}

// Where an arc record's arc runs on its box: from the angle of its first point, through its
// sweep in the arc direction (degrees, counter-clockwise as seen).
struct Arc {
    QRectF box;
    double start = 0, sweep = 0;
};

Arc arcOf(const Record& r, bool clockwise) {
    Arc a;
    a.box = box(r);
    a.start = angleOn(a.box, QPointF(r.s32(24), r.s32(28)));
    const double end = angleOn(a.box, QPointF(r.s32(32), r.s32(36)));
    a.sweep = std::fmod(end - a.start + 720, 360);
    if (a.sweep < 1e-9)
        a.sweep = 360;
    if (clockwise)
        a.sweep -= 360;
    return a;
}

} // namespace

void Player::polyShape(const Record& r) {
    const quint32 type = r.type();
    const QPolygonF points = countedPoints(r, sixteenBit(type));
    if (points.isEmpty())
        return;
    const bool curves = type == emr::polyBezier || type == emr::polyBezier16;
    const bool closed = type == emr::polygon || type == emr::polygon16;
    QPainterPath p(points[0]);
    addPoints(p, points, 1, curves);
    if (closed)
        p.closeSubpath();
    figure(p, closed, true);
}

void Player::polyTo(const Record& r) {
    const quint32 type = r.type();
    const QPolygonF points = countedPoints(r, sixteenBit(type));
    if (points.isEmpty())
        return;
    const bool curves = type == emr::polyBezierTo || type == emr::polyBezierTo16;
    if (inPath_) {
        addPoints(pathToExtend(), points, 0, curves);
    } else {
        QPainterPath p(dc_.position);
        addPoints(p, points, 0, curves);
        fillAndStroke(p, false, true);
    }
    if (!curves)
        dc_.position = points.last();
    else if (points.size() >= 3) // the end of the last whole curve
        dc_.position = points[points.size() / 3 * 3 - 1];
}

void Player::polyPolyShape(const Record& r) {
    const quint32 polys = r.u32(24), total = std::min(r.u32(28), maxPointsPerRecord);
    if (!r.fits(32, quint64(polys) * 4))
        return;
    const QPolygonF points = r.points(32 + polys * 4, total, sixteenBit(r.type()));
    const bool closed = r.type() == emr::polyPolygon || r.type() == emr::polyPolygon16;
    QPainterPath p;
    quint64 at = 0;
    for (quint32 i = 0; i < polys; ++i) {
        const quint32 n = r.u32(32 + 4 * i);
        if (n == 0 || at + n > quint64(points.size()))
            break;
        p.moveTo(points[int(at)]);
        for (quint32 k = 1; k < n; ++k)
            p.lineTo(points[int(at + k)]);
        if (closed)
            p.closeSubpath();
        at += n;
    }
    figure(p, closed, true);
}

void Player::polyDraw(const Record& r) {
    const bool small = sixteenBit(r.type());
    const quint32 count = std::min(r.u32(24), maxPointsPerRecord);
    const QPolygonF points = r.points(28, count, small);
    const quint32 typesAt = 28 + count * (small ? 4 : 8);
    if (points.isEmpty() || !r.fits(typesAt, count))
        return;
    QPainterPath p(dc_.position);
    for (int i = 0; i < points.size(); ++i) {
        const uchar kind = r.data()[typesAt + quint32(i)];
        if ((kind & 6) == 6) {
            p.moveTo(points[i]);
        } else if ((kind & 6) == 4 && i + 2 < points.size()) {
            p.cubicTo(points[i], points[i + 1], points[i + 2]);
            i += 2;
        } else {
            p.lineTo(points[i]);
        }
        if (r.data()[typesAt + quint32(i)] & 1)
            p.closeSubpath();
    }
    lineOn(p);
}

void Player::lineTo(const Record& r) {
    const QPointF to(r.s32(8), r.s32(12));
    if (inPath_) {
        pathToExtend().lineTo(to);
    } else {
        QPainterPath p(dc_.position);
        p.lineTo(to);
        fillAndStroke(p, false, true);
    }
    dc_.position = to;
}

void Player::rectangle(const Record& r) {
    QPainterPath p;
    p.addRect(box(r));
    figure(p, true, true);
}

void Player::ellipse(const Record& r) {
    QPainterPath p;
    p.addEllipse(box(r));
    figure(p, true, true);
}

void Player::roundRect(const Record& r) {
    QPainterPath p;
    p.addRoundedRect(box(r), std::abs(r.s32(24)) / 2.0, std::abs(r.s32(28)) / 2.0);
    figure(p, true, true);
}

void Player::arcShape(const Record& r) {
    const Arc a = arcOf(r, dc_.clockwise);
    QPainterPath p;
    p.arcMoveTo(a.box, a.start);
    if (r.type() == emr::pie) { // from the centre out to the arc, and back
        const QPointF from = p.currentPosition();
        p = QPainterPath(a.box.center());
        p.lineTo(from);
    }
    p.arcTo(a.box, a.start, a.sweep);
    if (r.type() != emr::arc)
        p.closeSubpath();
    figure(p, r.type() != emr::arc, true);
}

void Player::arcTo(const Record& r) {
    // A line from the current position to where the arc starts, then the arc.
    const Arc a = arcOf(r, dc_.clockwise);
    QPainterPath p;
    p.arcMoveTo(a.box, a.start);
    const QPointF from = p.currentPosition();
    QPainterPath& target = inPath_ ? pathToExtend() : p;
    if (!inPath_)
        p = QPainterPath(dc_.position);
    target.lineTo(from);
    target.arcTo(a.box, a.start, a.sweep);
    dc_.position = target.currentPosition();
    if (!inPath_)
        fillAndStroke(p, false, true);
}

void Player::angleArc(const Record& r) {
    const QPointF c(r.s32(8), r.s32(12));
    const double radius = r.u32(16);
    const double start = r.f32(20), sweep = r.f32(24);
    if (!std::isfinite(start) || !std::isfinite(sweep) || radius > 1e9)
        return;
    const QRectF b(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius);
    QPainterPath p(dc_.position);
    p.arcTo(b, start, std::clamp(double(sweep), -3600.0, 3600.0));
    lineOn(p);
}

void Player::setPixelV(const Record& r) {
    const QPointF at(r.s32(8), r.s32(12));
    if (drawsNothing() || !painting(QRectF(at, QSizeF(1, 1))))
        return;
    useLogical();
    painter_->fillRect(QRectF(at, QSizeF(1, 1)), colorRef(r.u32(16)));
}

void Player::beginPath(const Record&) {
    path_ = QPainterPath();
    inPath_ = true;
}

void Player::endPath(const Record&) {
    inPath_ = false;
}

void Player::abortPath(const Record&) {
    path_ = QPainterPath();
    inPath_ = false;
}

void Player::closeFigure(const Record&) {
    if (inPath_)
        path_.closeSubpath();
}

void Player::drawPath(const Record& r) {
    if (!inPath_)
        fillAndStroke(path_, r.type() != emr::strokePath, r.type() != emr::fillPath);
    path_ = QPainterPath();
}

void Player::flattenPath(const Record&) {
    if (inPath_)
        return;
    QPainterPath flat;
    for (const QPolygonF& poly : path_.toSubpathPolygons())
        flat.addPolygon(poly);
    path_ = flat;
}

void Player::widenPath(const Record&) {
    if (inPath_)
        return;
    QPainterPathStroker stroker(pen());
    path_ = stroker.createStroke(path_);
}

} // namespace emf
