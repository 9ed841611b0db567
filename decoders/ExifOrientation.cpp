#include "decoders/ExifOrientation.h"

#include "decoders/ExifTiff.h"

#include <QtEndian>
#include <QTransform>

namespace {

constexpr quint16 OrientationTag = 0x0112;
constexpr quint16 TypeShort = 3;
constexpr quint16 TypeLong = 4;
constexpr quint16 TypeSignedLong = 9;

// The orientation in the first directory (IFD0) of the TIFF structure, which holds it.
int orientationInTiff(QByteArrayView bytes) {
    const ExifTiff tiff(bytes);
    const std::optional<qint64> entry = tiff.entry(tiff.firstDirectory(), OrientationTag);
    // One value, held in the entry's own four bytes, left-aligned in the file's byte order.
    if (!entry || tiff.u32(*entry + 4) != 1)
        return 0;
    qint64 value = 0;
    switch (tiff.u16(*entry + 2)) {
    case TypeShort:
        value = tiff.u16(*entry + 8);
        break;
    case TypeLong:
        value = tiff.u32(*entry + 8);
        break;
    case TypeSignedLong:
        value = qint32(tiff.u32(*entry + 8));
        break;
    default:
        return 0;
    }
    return value >= 1 && value <= 8 ? int(value) : 0;
}

} // namespace

int exifOrientation(QByteArrayView head) {
    const auto* bytes = reinterpret_cast<const uchar*>(head.data());
    if (head.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return 0;
    // The segments before the picture data: marker, big-endian length (counting itself), body.
    qint64 at = 2;
    while (at + 4 <= head.size() && bytes[at] == 0xFF) {
        const uchar marker = bytes[at + 1];
        if (marker == 0xDA || marker == 0xD9) // the scan starts, or the picture ends
            return 0;
        const qint64 length = qFromBigEndian<quint16>(bytes + at + 2);
        if (length < 2 || at + 2 + length > head.size())
            return 0;
        const QByteArrayView body = head.sliced(at + 4, length - 2);
        if (marker == 0xE1 && body.startsWith(QByteArrayView("Exif\0\0", 6)))
            return orientationInTiff(body.sliced(6));
        at += 2 + length;
    }
    return 0;
}

QImageIOHandler::Transformations orientationTransformation(int orientation) {
    switch (orientation) {
    case 2:
        return QImageIOHandler::TransformationMirror;
    case 3:
        return QImageIOHandler::TransformationRotate180;
    case 4:
        return QImageIOHandler::TransformationFlip;
    case 5:
        return QImageIOHandler::TransformationFlipAndRotate90;
    case 6:
        return QImageIOHandler::TransformationRotate90;
    case 7:
        return QImageIOHandler::TransformationMirrorAndRotate90;
    case 8:
        return QImageIOHandler::TransformationRotate270;
    default:
        return QImageIOHandler::TransformationNone;
    }
}

QImage transformedBy(const QImage& image, QImageIOHandler::Transformations transformation) {
    // Mirrored first, then turned a quarter clockwise: the order the orientation values assume.
    QImage out = image.mirrored(transformation.testFlag(QImageIOHandler::TransformationMirror),
                                transformation.testFlag(QImageIOHandler::TransformationFlip));
    if (transformation.testFlag(QImageIOHandler::TransformationRotate90))
        out = out.transformed(QTransform().rotate(90));
    return out;
}
