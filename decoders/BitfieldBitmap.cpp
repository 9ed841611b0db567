#include "decoders/BitfieldBitmap.h"

#include "pictures/PictureLimits.h"

#include <bit>
#include <climits>
#include <QIODevice>
#include <QtEndian>

namespace {

constexpr qint64 FileHeader = 14; // "BM", file size, reserved, where the pixels start
constexpr quint32 BitFields = 3;
constexpr quint32 AlphaBitFields = 6;

quint32 le32(const QByteArray& b, qint64 at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

// How to take one colour out of a pixel and widen it to eight bits.
struct Channel {
    quint32 mask = 0;
    int shift = 0;
    quint32 top = 0; // the largest value the field holds

    explicit Channel(quint32 m) : mask(m) {
        if (m == 0)
            return;
        shift = std::countr_zero(m);
        top = m >> shift; // the field's highest value; any gaps in the mask stay in it
    }
    int operator()(quint32 pixel) const {
        if (top == 0)
            return 0;
        const quint64 value = (pixel & mask) >> shift;
        return int((value * 255 + top / 2) / top);
    }
};

struct Layout {
    QSize size;
    bool bottomUp = true;
    int bits = 0;
    qint64 pixelsAt = 0;
    qint64 rowBytes = 0;
    quint32 masks[4] = {}; // red, green, blue, alpha
};

Layout layoutOf(QIODevice& file) {
    if (!file.seek(0))
        return {};
    const QByteArray head = file.peek(FileHeader + 124 + 16);
    if (head.size() < FileHeader + 40 || !head.startsWith("BM"))
        return {};
    const qint64 headerSize = le32(head, FileHeader);
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        return {};
    const qint64 info = FileHeader;
    const qint32 width = qint32(le32(head, info + 4));
    const qint32 height = qint32(le32(head, info + 8));
    const int bits = qFromLittleEndian<quint16>(head.constData() + info + 14);
    const quint32 compression = le32(head, info + 16);
    if ((bits != 16 && bits != 32) || (compression != BitFields && compression != AlphaBitFields))
        return {};
    if (width <= 0 || height == 0 || height == INT_MIN)
        return {};
    Layout layout;
    layout.size = QSize(width, height < 0 ? -height : height);
    layout.bottomUp = height > 0;
    layout.bits = bits;
    if (!picturelimits::acceptable(layout.size))
        return {};

    // After a 40-byte header the masks follow it; longer headers hold them (the 52-byte one
    // without alpha).
    const qint64 masksAt = info + 40;
    const int maskCount =
        headerSize == 40 ? (compression == AlphaBitFields ? 4 : 3) : (headerSize == 52 ? 3 : 4);
    if (head.size() < masksAt + 4 * qint64(maskCount))
        return {};
    for (int i = 0; i < maskCount; ++i)
        layout.masks[i] = le32(head, masksAt + 4 * qint64(i));
    if (layout.masks[0] == 0 && layout.masks[1] == 0 && layout.masks[2] == 0)
        return {};
    if (bits == 16) {
        for (quint32& mask : layout.masks)
            mask &= 0xFFFF;
    }

    const qint64 firstPixel = info + headerSize + (headerSize == 40 ? 4 * maskCount : 0);
    layout.pixelsAt = le32(head, 10);
    if (layout.pixelsAt < firstPixel)
        layout.pixelsAt = firstPixel; // a zero or wrong offset: the pixels follow the masks
    layout.rowBytes = (qint64(width) * bits + 31) / 32 * 4;
    if (layout.pixelsAt + layout.rowBytes * layout.size.height() > file.size())
        return {};
    return layout;
}

} // namespace

QSize bitfieldBitmapSize(QIODevice& file) {
    return layoutOf(file).size;
}

QImage readBitfieldBitmap(QIODevice& file) {
    const Layout layout = layoutOf(file);
    if (!layout.size.isValid() || !file.seek(layout.pixelsAt))
        return {};
    const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]),
        alpha(layout.masks[3]);
    QImage image(layout.size, alpha.mask != 0 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    bool anyAlpha = false;
    QByteArray row(layout.rowBytes, Qt::Uninitialized);
    const int height = layout.size.height();
    for (int r = 0; r < height; ++r) {
        if (file.read(row.data(), layout.rowBytes) != layout.rowBytes)
            return {};
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(layout.bottomUp ? height - 1 - r : r));
        const auto* in = reinterpret_cast<const uchar*>(row.constData());
        for (int x = 0; x < layout.size.width(); ++x) {
            const quint32 pixel = layout.bits == 16
                                      ? qFromLittleEndian<quint16>(in + 2 * qsizetype(x))
                                      : qFromLittleEndian<quint32>(in + 4 * qsizetype(x));
            const int a = alpha.mask != 0 ? alpha(pixel) : 255;
            anyAlpha = anyAlpha || a != 0;
            line[x] = qRgba(red(pixel), green(pixel), blue(pixel), a);
        }
    }
    // An alpha mask over bytes that are all zero is padding, not a transparent picture.
    if (alpha.mask != 0 && !anyAlpha) {
        for (int y = 0; y < height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < layout.size.width(); ++x)
                line[x] |= 0xFF000000u;
        }
        return image.convertToFormat(QImage::Format_RGB32);
    }
    return image;
}
