#include "show/window/ShowPicture.h"

#include <QPainter>

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
    painter.drawImage(part.topLeft(), prepared_, part.translated(-rect_.topLeft()));
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
