#include "show/window/ImageCanvas.h"

#include "show/window/ChangedArea.h"

#include <QPainter>

namespace {
constexpr double TwipsPerPixel = 15;
QPointF pixels(double x, double y) {
    return {x / TwipsPerPixel, y / TwipsPerPixel};
}
} // namespace

ImageCanvas::ImageCanvas(QImage& backing, SizeProvider windowSize, ColorProvider backColor,
                         RepaintCallback repaint)
    : backing_(backing), windowSize_(std::move(windowSize)), backColor_(std::move(backColor)),
      repaint_(std::move(repaint)) {}

double ImageCanvas::width() const {
    return windowSize_().width() * TwipsPerPixel;
}
double ImageCanvas::height() const {
    return windowSize_().height() * TwipsPerPixel;
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

// One painter per call: it costs a few microseconds, against the repaint that follows.
template <typename Draw> void ImageCanvas::paint(const QRegion& changed, Draw draw) {
    if (!backing_.isNull()) {
        QPainter painter(&backing_);
        draw(painter);
    }
    repaint_(changed & QRect(QPoint(0, 0), backing_.deviceIndependentSize().toSize()));
}

void ImageCanvas::line(double x1, double y1, double x2, double y2, quint32 color) {
    const QPointF a = pixels(x1, y1);
    const QPointF b = pixels(x2, y2);
    paint(changedarea::line(a, b, drawWidth_), [&](QPainter& p) {
        p.setPen(QPen(colour(color), drawWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(a, b);
    });
}

void ImageCanvas::box(double x1, double y1, double x2, double y2, quint32 color) {
    const QRectF r = QRectF(pixels(x1, y1), pixels(x2, y2)).normalized();
    paint(changedarea::boxOutline(r, drawWidth_), [&](QPainter& p) {
        p.setPen(QPen(colour(color), drawWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    });
}

void ImageCanvas::filledBox(double x1, double y1, double x2, double y2, quint32 color) {
    // The fill reaches half a pen beyond the corners, as a box drawn with the pen and filled
    // would.
    const double grow = drawWidth_ / 2.0;
    const QRectF r =
        QRectF(pixels(x1, y1), pixels(x2, y2)).normalized().adjusted(-grow, -grow, grow, grow);
    paint(changedarea::filledBox(r), [&](QPainter& p) { p.fillRect(r, colour(color)); });
}

void ImageCanvas::circle(double cx, double cy, double radius, quint32 color) {
    const QPointF c = pixels(cx, cy);
    const double r = radius / TwipsPerPixel;
    paint(changedarea::ring(c, r, drawWidth_), [&](QPainter& p) {
        p.setPen(QPen(colour(color), drawWidth_, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r, r);
    });
}
