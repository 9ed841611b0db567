#include "panel/PreviewImage.h"

#include "catalogue/FileActions.h"
#include "pictures/PictureSource.h"

#include <algorithm>
#include <QPixmap>

PreviewImage::PreviewImage(PictureSource& pictures, QWidget* parent)
    : QLabel(parent), pictures_(pictures) {
    setObjectName(QStringLiteral("Image1"));
    setGeometry(Left, Top, fileactions::PreviewWidth, fileactions::PreviewHeight);
    setScaledContents(true);
    hide();
}

bool PreviewImage::showPicture(const QString& path) {
    hide();
    // Decoded at the preview's size in device pixels, never at the photo's full size, and drawn
    // pixel for pixel: sharp on a screen of several device pixels to a logical one.
    const qreal ratio = devicePixelRatioF();
    const auto devicePixels = [ratio](QSize logical) {
        return QSize(std::max(1, qRound(logical.width() * ratio)),
                     std::max(1, qRound(logical.height() * ratio)));
    };
    const DecodedPicture picture = pictures_.decode(
        path, [&](QSize natural) { return devicePixels(fileactions::previewSize(natural)); });
    const QSize shown = picture.ok() ? fileactions::previewSize(picture.naturalSize) : QSize();
    if (shown.isEmpty()) {
        clear();
        return false;
    }
    QPixmap pixmap = QPixmap::fromImage(
        picture.image.scaled(devicePixels(shown), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    setPixmap(pixmap);
    setGeometry(QRect(pos(), shown)); // where the panel has it: lower in an enlarged panel
    show();
    return true;
}
