#include "show/window/ShowPicture.h"

#include <algorithm>
#include <QPainter>

namespace {
// Qt splits a copy taller than about a hundred rows across its worker threads; for the thin
// strip the slide-in uncovers at each step, waking them costs more than the copy. Such strips
// are copied in short slices instead (the window's backing is painted the same way).
constexpr int SliceRows = 64;
constexpr qint64 ThinArea = 128 * 1024;
} // namespace

void ShowPicture::setImage(QImage image) {
    image_ = std::move(image);
    rect_.setSize(image_.size());
    prepared_ = QImage();
}

void ShowPicture::setSize(QSize size) {
    if (size == rect_.size() && !prepared_.isNull())
        return;
    rect_.setSize(size);
    prepare();
}

void ShowPicture::prepare() {
    if (image_.isNull() || rect_.isEmpty()) {
        prepared_ = QImage();
        return;
    }
    QImage scaled =
        image_.size() == rect_.size()
            ? image_
            : image_.scaled(rect_.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // The window's own format: the slide-in then copies rows without converting them.
    prepared_ = scaled.hasAlphaChannel()
                    ? scaled.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                    : scaled.convertToFormat(QImage::Format_RGB32);
}

void ShowPicture::paint(QPainter& painter, const QRect& area) const {
    const QRect part = area & rect_;
    if (prepared_.isNull() || part.isEmpty())
        return;
    if (qint64(part.width()) * part.height() >= ThinArea) {
        painter.drawImage(part.topLeft(), prepared_, part.translated(-rect_.topLeft()));
    } else {
        for (int top = part.top(); top <= part.bottom(); top += SliceRows) {
            const QRect slice(part.left(), top, part.width(),
                              std::min(SliceRows, part.bottom() + 1 - top));
            painter.drawImage(slice.topLeft(), prepared_, slice.translated(-rect_.topLeft()));
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
