#include "platform/gui/EmfPlayer.h"

#include <cmath>

namespace emf {

namespace {

enum : quint32 {
    polyBezier = 2,
    polygon = 3,
    polyline = 4,
    polyBezierTo = 5,
    polylineTo = 6,
    polyPolyline = 7,
    polyPolygon = 8,
    setPixelV = 15,
    angleArc = 41,
    ellipse = 42,
    rectangle = 43,
    roundRect = 44,
    arc = 45,
    chord = 46,
    pie = 47,
    lineTo = 54,
    arcTo = 55,
    polyDraw = 56,
    beginPath = 59,
    endPath = 60,
    closeFigure = 61,
    fillPath = 62,
    strokeAndFillPath = 63,
    strokePath = 64,
    flattenPath = 65,
    widenPath = 66,
    abortPath = 68,
    polyBezier16 = 85,
    polygon16 = 86,
    polyline16 = 87,
    polyBezierTo16 = 88,
    polylineTo16 = 89,
    polyPolyline16 = 90,
    polyPolygon16 = 91,
    polyDraw16 = 92,
};

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

bool Player::shapes(const Record& r) {
    const quint32 type = r.type();
    const bool small = type >= polyBezier16 && type <= polyDraw16;
    switch (type) {
    case polyBezier:
    case polyBezier16:
    case polygon:
    case polygon16:
    case polyline:
    case polyline16: {
        const QPolygonF points = countedPoints(r, small);
        if (points.isEmpty())
            return true;
        const bool curves = type == polyBezier || type == polyBezier16;
        const bool closed = type == polygon || type == polygon16;
        QPainterPath p(points[0]);
        addPoints(p, points, 1, curves);
        if (closed)
            p.closeSubpath();
        figure(p, closed, true);
        return true;
    }
    case polyBezierTo:
    case polyBezierTo16:
    case polylineTo:
    case polylineTo16: {
        const QPolygonF points = countedPoints(r, small);
        if (points.isEmpty())
            return true;
        const bool curves = type == polyBezierTo || type == polyBezierTo16;
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
        return true;
    }
    case polyPolyline:
    case polyPolyline16:
    case polyPolygon:
    case polyPolygon16: {
        const quint32 polys = r.u32(24), total = std::min(r.u32(28), maxPointsPerRecord);
        if (!r.fits(32, quint64(polys) * 4))
            return true;
        const QPolygonF points = r.points(32 + polys * 4, total, small);
        const bool closed = type == polyPolygon || type == polyPolygon16;
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
        return true;
    }
    case polyDraw:
    case polyDraw16: {
        const quint32 count = std::min(r.u32(24), maxPointsPerRecord);
        const QPolygonF points = r.points(28, count, small);
        const quint32 typesAt = 28 + count * (small ? 4 : 8);
        if (points.isEmpty() || !r.fits(typesAt, count))
            return true;
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
        return true;
    }
    case lineTo: {
        const QPointF to(r.s32(8), r.s32(12));
        if (inPath_) {
            pathToExtend().lineTo(to);
        } else {
            QPainterPath p(dc_.position);
            p.lineTo(to);
            fillAndStroke(p, false, true);
        }
        dc_.position = to;
        return true;
    }
    case rectangle:
    case ellipse:
    case roundRect: {
        QPainterPath p;
        const QRectF b = box(r);
        if (type == rectangle)
            p.addRect(b);
        else if (type == ellipse)
            p.addEllipse(b);
        else
            p.addRoundedRect(b, std::abs(r.s32(24)) / 2.0, std::abs(r.s32(28)) / 2.0);
        figure(p, true, true);
        return true;
    }
    case arc:
    case arcTo:
    case chord:
    case pie: {
        const QRectF b = box(r);
        const double start = angleOn(b, QPointF(r.s32(24), r.s32(28)));
        const double end = angleOn(b, QPointF(r.s32(32), r.s32(36)));
        double sweep = std::fmod(end - start + 720, 360);
        if (sweep < 1e-9)
            sweep = 360;
        if (dc_.clockwise)
            sweep -= 360;
        QPainterPath p;
        p.arcMoveTo(b, start);
        const QPointF from = p.currentPosition();
        if (type == pie) { // from the centre out to the arc, and back
            p = QPainterPath(b.center());
            p.lineTo(from);
        }
        if (type == arcTo) { // a line from the current position to where the arc starts
            QPainterPath& target = inPath_ ? pathToExtend() : p;
            if (!inPath_)
                p = QPainterPath(dc_.position);
            target.lineTo(from);
            target.arcTo(b, start, sweep);
            dc_.position = target.currentPosition();
            if (!inPath_)
                fillAndStroke(p, false, true);
            return true;
        }
        p.arcTo(b, start, sweep);
        if (type == chord || type == pie)
            p.closeSubpath();
        figure(p, type != arc, true);
        return true;
    }
    case angleArc: {
        const QPointF c(r.s32(8), r.s32(12));
        const double radius = r.u32(16);
        const double start = r.f32(20), sweep = r.f32(24);
        if (!std::isfinite(start) || !std::isfinite(sweep) || radius > 1e9)
            return true;
        const QRectF b(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius);
        QPainterPath p(dc_.position);
        p.arcTo(b, start, std::clamp(double(sweep), -3600.0, 3600.0));
        lineOn(p);
        return true;
    }
    case setPixelV: {
        const QPointF at(r.s32(8), r.s32(12));
        if (drawsNothing() || !painting(QRectF(at, QSizeF(1, 1))))
            return true;
        useLogical();
        painter_->fillRect(QRectF(at, QSizeF(1, 1)), colorRef(r.u32(16)));
        return true;
    }
    case beginPath:
        path_ = QPainterPath();
        inPath_ = true;
        return true;
    case endPath:
        inPath_ = false;
        return true;
    case abortPath:
        path_ = QPainterPath();
        inPath_ = false;
        return true;
    case closeFigure:
        if (inPath_)
            path_.closeSubpath();
        return true;
    case fillPath:
    case strokePath:
    case strokeAndFillPath:
        if (!inPath_)
            fillAndStroke(path_, type != strokePath, type != fillPath);
        path_ = QPainterPath();
        return true;
    case flattenPath:
        if (!inPath_) {
            QPainterPath flat;
            for (const QPolygonF& poly : path_.toSubpathPolygons())
                flat.addPolygon(poly);
            path_ = flat;
        }
        return true;
    case widenPath:
        if (!inPath_) {
            QPainterPathStroker stroker(pen());
            path_ = stroker.createStroke(path_);
        }
        return true;
    default:
        return false;
    }
}

} // namespace emf
