#include "panel/PreviewImage.h"

#include "catalogue/FileActions.h"
#include "pictures/PictureSource.h"

#include <algorithm>
#include <QPixmap>

namespace {
QSize devicePixels(QSize logical, qreal ratio) {
    return QSize(std::max(1, qRound(logical.width() * ratio)),
                 std::max(1, qRound(logical.height() * ratio)));
}
} // namespace

PreviewImage::PreviewImage(PictureSource& pictures, QWidget* parent)
    : QLabel(parent), decoder_(pictures) {
    setObjectName(QStringLiteral("Image1"));
    setGeometry(Left, Top, fileactions::PreviewWidth, fileactions::PreviewHeight);
    setScaledContents(true);
    hide();
    decoder_.onReady([this] { showWhenReady(); });
}

PreviewImage::~PreviewImage() = default;

ShownSizeFor PreviewImage::decodeRule() const {
    // Decoded at the preview's size in device pixels, never at the photo's full size, and drawn
    // pixel for pixel: sharp on a screen of several device pixels to a logical one.
    const qreal ratio = devicePixelRatioF();
    return
        [ratio](QSize natural) { return devicePixels(fileactions::previewSize(natural), ratio); };
}

void PreviewImage::showPicture(const QString& path) {
    hide();
    pending_ = path;
    showWhenReady();
}

bool PreviewImage::showWhenReady() {
    if (pending_.isEmpty())
        return false;
    const std::optional<DecodedPicture> picture = decoder_.takeReady(pending_, decodeRule());
    if (!picture)
        return false;
    pending_.clear();
    Q_EMIT previewed(display(*picture));
    return true;
}

bool PreviewImage::display(const DecodedPicture& picture) {
    const QSize shown = picture.ok() ? fileactions::previewSize(picture.naturalSize) : QSize();
    if (shown.isEmpty()) {
        clear();
        return false;
    }
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(picture.image.scaled(
        devicePixels(shown, ratio), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    setPixmap(pixmap);
    setGeometry(QRect(pos(), shown)); // where the panel has it: lower in an enlarged panel
    show();
    return true;
}
