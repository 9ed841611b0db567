#include "decoders/WmfBitmaps.h"

#include "decoders/PackedBitmap.h"

#include <QtEndian>

namespace wmf {

namespace {

// A bitmap of a drawing: a photograph pasted in stays below this (32 megapixels, 128 MB drawn),
// while a few bytes of run-length code could claim far more.
constexpr qint64 maxBitmapPixels = 32'000'000;

} // namespace

QImage dibImage(const QByteArray& dib) {
    if (dib.size() < 16)
        return {};
    const auto* p = reinterpret_cast<const uchar*>(dib.constData());
    const quint32 headerSize = qFromLittleEndian<quint32>(p);
    qint64 width = 0;
    qint64 height = 0;
    if (headerSize == 12) {
        width = qFromLittleEndian<quint16>(p + 4);
        height = qFromLittleEndian<quint16>(p + 6);
    } else if (headerSize >= 40 && dib.size() >= 40) {
        width = qFromLittleEndian<qint32>(p + 4);
        height = std::abs(qint64(qFromLittleEndian<qint32>(p + 8)));
    }
    if (width <= 0 || height <= 0 || width * height > maxBitmapPixels)
        return {};
    const QByteArray file = withBitmapFileHeader(dib);
    if (file.isEmpty())
        return {};
    QImage image;
    if (!image.loadFromData(file, "BMP"))
        return {};
    return image;
}

QImage bitmap16Image(const Record& r, qsizetype header, qsizetype bits) {
    const int width = r.s16(header + 1);
    const int height = r.s16(header + 2);
    const int stride = r.s16(header + 3);
    const int bitsPixel = r.byte(2 * (header + 4) + 1);
    if (width <= 0 || height <= 0 || stride <= 0 || qint64(width) * height > maxBitmapPixels)
        return {};
    if ((bitsPixel != 1 && bitsPixel != 24 && bitsPixel != 32) ||
        qint64(stride) * 8 < qint64(width) * bitsPixel)
        return {};
    if (!r.has(bits + (qint64(stride) * height + 1) / 2))
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const qsizetype at = 2 * bits;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const qsizetype row = at + qsizetype(y) * stride;
        for (int x = 0; x < width; ++x) {
            if (bitsPixel == 1) {
                const bool set = r.byte(row + x / 8) & (0x80 >> (x % 8));
                line[x] = set ? 0xFFFFFFFF : 0xFF000000;
            } else {
                const qsizetype px = row + qsizetype(x) * (bitsPixel / 8);
                line[x] = qRgb(r.byte(px + 2), r.byte(px + 1), r.byte(px));
            }
        }
    }
    return image;
}

} // namespace wmf
