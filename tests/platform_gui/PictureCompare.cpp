#include "PictureCompare.h"

#include <cstdlib>
#include <QPainter>

namespace {

QImage onWhite(const QImage& image, QSize size) {
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), size), image);
    return out;
}

} // namespace

PictureDifference pictureDifference(const QImage& drawn, const QImage& reference) {
    if (drawn.isNull() || reference.isNull())
        return {};
    // Halving steps keep every pixel's share while scaling down.
    QSize size = reference.size().scaled(128, 128, Qt::KeepAspectRatio).expandedTo({1, 1});
    auto shrunk = [&](const QImage& image) {
        QImage out = onWhite(image, image.size());
        while (out.width() >= 2 * size.width() && out.height() >= 2 * size.height())
            out = out.scaled(out.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return out.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    const QImage a = shrunk(drawn);
    const QImage b = shrunk(reference);
    qint64 sum = 0;
    qint64 differing = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int dr = std::abs(qRed(p) - qRed(q));
            const int dg = std::abs(qGreen(p) - qGreen(q));
            const int db = std::abs(qBlue(p) - qBlue(q));
            sum += dr + dg + db;
            differing += std::max({dr, dg, db}) > 64;
        }
    }
    const double pixels = double(size.width()) * size.height();
    return {double(sum) / (3 * pixels), double(differing) / pixels};
}
