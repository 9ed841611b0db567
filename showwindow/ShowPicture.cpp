#include "showwindow/ShowPicture.h"

#include <algorithm>
#include <cmath>
#include <QPainter>

namespace {
// Qt splits a copy taller than about a hundred rows across its worker threads; for the thin
// strip the slide-in uncovers at each step, waking them costs more than the copy. Such strips
// are copied in short slices instead (the window's backing is painted the same way).
constexpr int SliceRows = 64;
constexpr qint64 ThinArea = qint64(128) * 1024;

qint64 area(QSize size) {
    return qint64(size.width()) * size.height();
}

// The window's own format: drawing then copies rows without converting them.
QImage inFastFormat(const QImage& image) {
    return image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                   : image.convertToFormat(QImage::Format_RGB32);
}
} // namespace

QSize ShowPicture::deviceSize(QSize logical, qreal ratio) {
    return {std::max(1, qRound(logical.width() * ratio)),
            std::max(1, qRound(logical.height() * ratio))};
}

QSize ShowPicture::decodeSize(QSize logical, qreal ratio, qint64 budget) {
    const QSize device = deviceSize(logical, ratio);
    if (budget <= 0 || area(device) <= budget)
        return device;
    const double f = std::sqrt(double(budget) / double(area(device)));
    return {std::max(1, int(device.width() * f)), std::max(1, int(device.height() * f))};
}

void ShowPicture::setScreen(qreal ratio, QSize screenPixels) {
    ratio_ = ratio > 0 ? ratio : 1;
    wholeLimit_ = std::max<qint64>(1, area(screenPixels));
    largest_ = QSize();
    keep(image_);
    keep(drawn_);
}

void ShowPicture::keep(const QImage& image) {
    if (area(image.size()) > area(largest_))
        largest_ = image.size();
}

void ShowPicture::setImage(const QImage& image) {
    image_ = inFastFormat(image);
    keep(image_);
    rect_.setSize(image.deviceIndependentSize().toSize());
    drawn_ = QImage();
    scaledOnPaint_ = false;
}

void ShowPicture::setSize(QSize size) {
    if (size == rect_.size() && !drawn_.isNull())
        return;
    rect_.setSize(size);
    prepare();
}

void ShowPicture::prepare() {
    drawn_ = QImage();
    scaledOnPaint_ = false;
    if (image_.isNull() || rect_.isEmpty())
        return;
    const QSize device = deviceSize(rect_.size(), ratio_);
    if (image_.size() == device) {
        drawn_ = image_;
    } else if (area(device) <= wholeLimit_) {
        drawn_ =
            inFastFormat(image_.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    } else {
        drawn_ = image_;
        scaledOnPaint_ = true;
    }
    keep(drawn_);
}

void ShowPicture::paint(QPainter& painter, const QRect& area) const {
    const QRect part = area & rect_;
    if (drawn_.isNull() || part.isEmpty())
        return;
    // Pixels of drawn_ to a logical pixel.
    const double sx = double(drawn_.width()) / rect_.width();
    const double sy = double(drawn_.height()) / rect_.height();
    const auto source = [&](const QRect& r) {
        return QRectF((r.left() - rect_.left()) * sx, (r.top() - rect_.top()) * sy, r.width() * sx,
                      r.height() * sy);
    };
    if (scaledOnPaint_) {
        // The source pixels under `part` and one more on each side, so that the filtering at
        // its edges reads the same neighbours as for any other part: no seam shows where two
        // areas painted apart meet.
        const QRect pixels = source(part).toAlignedRect().adjusted(-1, -1, 1, 1) & drawn_.rect();
        const QRectF target(rect_.left() + pixels.left() / sx, rect_.top() + pixels.top() / sy,
                            pixels.width() / sx, pixels.height() / sy);
        painter.save();
        painter.setClipRect(part, Qt::IntersectClip);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, drawn_, QRectF(pixels));
        painter.restore();
    } else if (qint64(part.width()) * part.height() >= ThinArea) {
        painter.drawImage(QRectF(part), drawn_, source(part));
    } else {
        for (int top = part.top(); top <= part.bottom(); top += SliceRows) {
            const QRect slice(part.left(), top, part.width(),
                              std::min(SliceRows, part.bottom() + 1 - top));
            painter.drawImage(QRectF(slice), drawn_, source(slice));
        }
    }
    if (border_ && rect_.width() > 2 && rect_.height() > 2) {
        // A dark line with a light one inside it: visible on any background and any picture.
        painter.save();
        painter.setClipRect(part, Qt::IntersectClip);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QColor(20, 20, 20));
        painter.drawRect(rect_.adjusted(0, 0, -1, -1));
        painter.setPen(QColor(235, 235, 235));
        painter.drawRect(rect_.adjusted(1, 1, -2, -2));
        painter.restore();
    }
}
