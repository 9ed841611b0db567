#include "panel/PreviewImage.h"

#include "catalogue/FileActions.h"
#include "platform/gui/PictureSource.h"

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
    // Decoded at the preview's size, never at the photo's full size.
    const DecodedPicture picture = pictures_.decode(path, fileactions::previewSize);
    const QSize shown = picture.ok() ? fileactions::previewSize(picture.naturalSize) : QSize();
    if (shown.isEmpty()) {
        clear();
        return false;
    }
    setPixmap(QPixmap::fromImage(
        picture.image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    setGeometry(Left, Top, shown.width(), shown.height());
    show();
    return true;
}
