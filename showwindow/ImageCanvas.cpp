#include "showwindow/ImageCanvas.h"

#include "core/Twips.h"
#include "showwindow/ChangedArea.h"
#include "showwindow/PixelFill.h"

#include <algorithm>
#include <cmath>
#include <QPainter>

namespace {
// Unrounded: the effects are drawn at the backing's device pixels, finer than a logical pixel;
// each band's edges are rounded there, at the device pixels' centres.
QPointF pixels(double x, double y) {
    return {TwipsToExactPixels(x), TwipsToExactPixels(y)};
}
int edge(double pixel) {
    return static_cast<int>(std::lround(pixel));
}
// The pixels whose centres lie inside the rectangle from (l, t) to (r, b).
QRect pixelRect(double l, double t, double r, double b) {
    return QRect(QPoint(edge(l), edge(t)), QPoint(edge(r) - 1, edge(b) - 1));
}
} // namespace

ImageCanvas::ImageCanvas(QImage& backing, SizeProvider windowSize, ColorProvider backColor,
                         RepaintCallback repaint)
    : backing_(backing), windowSize_(std::move(windowSize)), backColor_(std::move(backColor)),
      repaint_(std::move(repaint)) {}

double ImageCanvas::width() const {
    return PixelsToTwips(windowSize_().width());
}
double ImageCanvas::height() const {
    return PixelsToTwips(windowSize_().height());
}
quint32 ImageCanvas::backColor() const {
    return backColor_();
}
void ImageCanvas::setDrawWidth(int pixels) {
    drawWidth_ = pixels;
}
int ImageCanvas::drawWidth() const {
    return drawWidth_;
}

QColor ImageCanvas::colour(quint32 rgb) const {
    return QColor::fromRgb(0xFF000000u | rgb);
}

template <typename Draw> void ImageCanvas::draw(Draw paint) {
    QRegion changed;
    if (!backing_.isNull())
        changed = paint() & QRect(QPoint(0, 0), backing_.deviceIndependentSize().toSize());
    repaint_(changed);
}

// Plain 32-bit pixels are filled by hand: a painter costs more than the fill of a thin band, and
// the squares and curtains draw thousands of them.
bool ImageCanvas::canFillDirectly() const {
    const QImage::Format f = backing_.format();
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
           f == QImage::Format_ARGB32_Premultiplied;
}

// Each band, given by its edges in logical pixels, covers the device pixels whose centres lie
// inside it; what changed is handed back in logical pixels, rounded outwards.
QRegion ImageCanvas::fillRects(std::initializer_list<Edges> bands, quint32 color) {
    const double k = backing_.devicePixelRatio();
    QRegion changed;
    for (const Edges& b : bands)
        changed += fillChanged(backing_, pixelRect(b.l * k, b.t * k, b.r * k, b.b * k),
                               0xFF000000u | color);
    if (k == 1)
        return changed;
    QRegion area;
    for (const QRect& r : changed)
        area += QRect(QPoint(int(std::floor(r.left() / k)), int(std::floor(r.top() / k))),
                      QPoint(int(std::ceil((r.right() + 1) / k)) - 1,
                             int(std::ceil((r.bottom() + 1) / k)) - 1));
    return area;
}

// One painter per call: it costs some microseconds, against the repaint that follows.
QRegion ImageCanvas::painted(const QRegion& area, const std::function<void(QPainter&)>& paint) {
    QPainter painter(&backing_);
    paint(painter);
    return area;
}

void ImageCanvas::line(double x1, double y1, double x2, double y2, quint32 color) {
    const int pen = drawWidth_;
    draw([&] {
        const QPointF a = pixels(x1, y1);
        const QPointF b = pixels(x2, y2);
        const double half = pen / 2.0;
        if ((a.x() == b.x() || a.y() == b.y()) && canFillDirectly()) {
            // Upright and level lines are bands with square ends.
            return fillRects({{std::min(a.x(), b.x()) - half, std::min(a.y(), b.y()) - half,
                               std::max(a.x(), b.x()) + half, std::max(a.y(), b.y()) + half}},
                             color);
        }
        return painted(changedarea::line(a, b, pen), [&](QPainter& p) {
            p.setPen(QPen(colour(color), pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(a, b);
        });
    });
}

void ImageCanvas::box(double x1, double y1, double x2, double y2, quint32 color) {
    const int pen = drawWidth_;
    draw([&] {
        const QRectF r = QRectF(pixels(x1, y1), pixels(x2, y2)).normalized();
        if (canFillDirectly()) {
            // The outline is the box grown by half the pen less the box shrunk by as much.
            const double h = pen / 2.0;
            const QRectF out = r.adjusted(-h, -h, h, h);
            const QRectF in = r.adjusted(h, h, -h, -h);
            if (in.width() <= 0 || in.height() <= 0)
                return fillRects({{out.left(), out.top(), out.right(), out.bottom()}}, color);
            return fillRects({{out.left(), out.top(), out.right(), in.top()},
                              {out.left(), in.bottom(), out.right(), out.bottom()},
                              {out.left(), in.top(), in.left(), in.bottom()},
                              {in.right(), in.top(), out.right(), in.bottom()}},
                             color);
        }
        return painted(changedarea::boxOutline(r, pen), [&](QPainter& p) {
            p.setPen(QPen(colour(color), pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r);
        });
    });
}

void ImageCanvas::filledBox(double x1, double y1, double x2, double y2, quint32 color) {
    const int pen = drawWidth_;
    draw([&] {
        // The fill reaches half a pen beyond the corners, as a box drawn with the pen and
        // filled would.
        const double h = pen / 2.0;
        const QRectF r = QRectF(pixels(x1, y1), pixels(x2, y2)).normalized().adjusted(-h, -h, h, h);
        if (canFillDirectly())
            return fillRects({{r.left(), r.top(), r.right(), r.bottom()}}, color);
        return painted(changedarea::filledBox(r),
                       [&](QPainter& p) { p.fillRect(r, colour(color)); });
    });
}

void ImageCanvas::circle(double cx, double cy, double radius, quint32 color) {
    const int pen = drawWidth_;
    draw([&] {
        const QPointF c = pixels(cx, cy);
        const double r = TwipsToExactPixels(radius);
        return painted(changedarea::ring(c, r, pen), [&](QPainter& p) {
            if (r <= pen / 2.0) {
                // A pen wider than the circle covers the whole disc; a stroke that small
                // would draw nothing.
                p.setPen(Qt::NoPen);
                p.setBrush(colour(color));
                p.drawEllipse(c, r + pen / 2.0, r + pen / 2.0);
                return;
            }
            p.setPen(QPen(colour(color), pen, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, r, r);
        });
    });
}
