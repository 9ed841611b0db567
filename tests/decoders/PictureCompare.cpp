#include "PictureCompare.h"

#include <algorithm>
#include <cstdlib>
#include <QPainter>
#include <utility>
#include <vector>

namespace {

QImage onWhite(const QImage& image, QSize size) {
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), size), image);
    return out;
}

// Where the drawing lies on white: the box holding all but the outermost half percent of drawn
// pixels on each side, so that a stray faint stroke does not move it.
QRect ink(const QImage& image) {
    constexpr int inkStep = 24; // what differs this much from white is drawn
    std::vector<int> columns(size_t(image.width())), rows(size_t(image.height()));
    int total = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (255 - std::min({qRed(p), qGreen(p), qBlue(p)}) > inkStep)
                ++columns[size_t(x)], ++rows[size_t(y)], ++total;
        }
    if (total == 0)
        return {};
    const auto span = [total](const std::vector<int>& counts) {
        int first = 0, last = int(counts.size()) - 1;
        for (int seen = 0; (seen += counts[size_t(first)]) < total / 200;)
            ++first;
        for (int seen = 0; (seen += counts[size_t(last)]) < total / 200;)
            --last;
        return std::pair{first, std::max(first, last)};
    };
    const auto [left, right] = span(columns);
    const auto [top, bottom] = span(rows);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

PictureDifference closerDifference(const QImage& drawn, const QImage& reference) {
    const PictureDifference whole = pictureDifference(drawn, reference);
    const QImage a = onWhite(drawn, drawn.size()), b = onWhite(reference, reference.size());
    const QRect aInk = ink(a), bInk = ink(b);
    if (aInk.isEmpty() || bInk.isEmpty())
        return whole;
    const PictureDifference cut = pictureDifference(a.copy(aInk), b.copy(bInk));
    return cut.meanAbsolute < whole.meanAbsolute ? cut : whole;
}

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
