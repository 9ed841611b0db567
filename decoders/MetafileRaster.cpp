#include "decoders/MetafileRaster.h"

#include <algorithm>
#include <cmath>
#include <QPainterPath>

namespace metafileraster {

quint32 ternary(quint8 operation, quint32 pattern, quint32 source, quint32 destination) {
    quint32 out = 0;
    for (int i = 0; i < 8; ++i)
        if (operation >> i & 1)
            out |= (i & 4 ? pattern : ~pattern) & (i & 2 ? source : ~source) &
                   (i & 1 ? destination : ~destination);
    return out;
}

// An operand matters when flipping its bit changes some result: compare the halves of the
// truth table where it is set and where it is not.
bool readsSource(quint8 operation) {
    return ((operation >> 2 ^ operation) & 0x33) != 0;
}

bool readsPattern(quint8 operation) {
    return ((operation >> 4 ^ operation) & 0x0F) != 0;
}

bool readsDestination(quint8 operation) {
    return ((operation >> 1 ^ operation) & 0x55) != 0;
}

QImage* pictureOf(QPainter& painter) {
    QPaintDevice* device = painter.device();
    return device && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
}

QRect areaOf(QPainter& painter, const QRectF& target) {
    const QImage* picture = pictureOf(painter);
    if (!picture)
        return {};
    // Cut to the picture before rounding: a target far outside it stays within whole numbers.
    const QRectF mapped = painter.transform().mapRect(target.normalized());
    if (!std::isfinite(mapped.x()) || !std::isfinite(mapped.y()) ||
        !std::isfinite(mapped.width()) || !std::isfinite(mapped.height()))
        return {};
    QRectF area = mapped & QRectF(picture->rect());
    if (painter.hasClipping())
        area &= painter.transform().mapRect(painter.clipBoundingRect());
    return area.isEmpty() ? QRect() : area.toAlignedRect() & picture->rect();
}

QImage layer(QPainter& painter, QRect area, const std::function<void(QPainter&)>& paint,
             QImage::Format format) {
    QImage out(area.size(), format);
    if (out.isNull())
        return out;
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHints(painter.renderHints());
    const QTransform shift = QTransform::fromTranslate(-area.left(), -area.top());
    if (painter.hasClipping()) {
        p.setTransform(shift);
        p.setClipPath(painter.transform().map(painter.clipPath()));
    }
    p.setTransform(painter.transform() * shift);
    paint(p);
    return out;
}

QImage coverage(QPainter& painter, QRect area, const QRectF& target) {
    return layer(
        painter, area, [&](QPainter& p) { p.fillRect(target, Qt::white); }, QImage::Format_Alpha8);
}

namespace {

int channel(quint32 rgb, int k) {
    return int(rgb >> (8 * k) & 0xFF);
}

// What the drawn colour `drawn` (premultiplied) becomes under the operation, as the model in
// the header says.
QRgb result(quint8 operation, quint32 pattern, quint32 source, QRgb drawn) {
    const int a = qAlpha(drawn);
    if (a == 255)
        return 0xFF000000 | (ternary(operation, pattern, source, drawn) & 0xFFFFFF);
    const quint32 colour = a == 0 ? 0 : qUnpremultiply(drawn) & 0xFFFFFF;
    const quint32 onDrawn = ternary(operation, pattern, source, colour);
    const quint32 overBlack = ternary(operation, pattern, source, 0);
    const quint32 overWhite = ternary(operation, pattern, source, 0xFFFFFF);
    // How much of the background still shows: how far the result follows it, on the mean.
    int follows = 0;
    for (int k = 0; k < 3; ++k)
        follows += channel(overWhite, k) - channel(overBlack, k);
    follows = std::clamp(follows / 3, 0, 255);
    const int alpha = a + (255 - a) * (255 - follows) / 255;
    int out[3];
    for (int k = 0; k < 3; ++k) {
        const int overBackground = std::min(channel(overBlack, k), 255 - follows);
        out[k] = std::min(alpha, (a * channel(onDrawn, k) + (255 - a) * overBackground) / 255);
    }
    return qRgba(out[2], out[1], out[0], alpha);
}

// `from` moved towards `to` by `share` of 255, premultiplied colours both.
QRgb mixed(QRgb from, QRgb to, int share) {
    if (share >= 255)
        return to;
    const auto mix = [&](int f, int t) { return (t * share + f * (255 - share)) / 255; };
    return qRgba(mix(qRed(from), qRed(to)), mix(qGreen(from), qGreen(to)),
                 mix(qBlue(from), qBlue(to)), mix(qAlpha(from), qAlpha(to)));
}

quint32 colourAt(const QImage& layer, int x, int y) {
    if (layer.isNull())
        return 0;
    return qUnpremultiply(reinterpret_cast<const QRgb*>(layer.constScanLine(y))[x]) & 0xFFFFFF;
}

} // namespace

bool compose(QImage& picture, const Operands& o) {
    // Writing while the painter holds a picture that is shared would write a copy.
    if (!picture.isDetached() || picture.format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    const QRect area = o.area & picture.rect();
    if (area.isEmpty() || o.coverage.size() != o.area.size() ||
        o.coverage.format() != QImage::Format_Alpha8)
        return true;
    const auto fits = [&](const QImage& i) { return i.isNull() || i.size() == o.area.size(); };
    if (!fits(o.source) || !fits(o.pattern) || !fits(o.mask))
        return true;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const int ly = y - o.area.top();
        const uchar* covered = o.coverage.constScanLine(ly);
        for (int x = area.left(); x <= area.right(); ++x) {
            const int lx = x - o.area.left();
            const int share = covered[lx];
            if (share == 0)
                continue;
            quint8 operation = o.operation;
            if (!o.mask.isNull() &&
                qGray(reinterpret_cast<const QRgb*>(o.mask.constScanLine(ly))[lx]) < 128)
                operation = o.background;
            const QRgb out =
                result(operation, colourAt(o.pattern, lx, ly), colourAt(o.source, lx, ly), line[x]);
            line[x] = mixed(line[x], out, share);
        }
    }
    return true;
}

QImage maskedBitmap(const QImage& mask, const QImage& image) {
    if (image.isNull() || mask.size() != image.size())
        return {};
    const QImage m = mask.convertToFormat(QImage::Format_RGB32);
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    if (m.isNull() || out.isNull())
        return {};
    for (int y = 0; y < out.height(); ++y) {
        const auto* opacity = reinterpret_cast<const QRgb*>(m.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb o = opacity[x];
            const int a = (qRed(o) + qGreen(o) + qBlue(o)) / 3;
            line[x] = (line[x] & 0xFFFFFF) | quint32(a) << 24;
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace metafileraster
