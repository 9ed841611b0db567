// What the picture decoder reads itself beside Qt's readers: the first byte picks the reader,
// the rest is the file. Icon frames and masks, the EXIF orientation of a JPEG, bit-field BMPs.
#include "decoders/BitfieldBitmap.h"
#include "decoders/ExifOrientation.h"
#include "decoders/IconFrames.h"

#include <cstdint>
#include <QBuffer>

namespace {

void icon(const QByteArray& bytes) {
    const std::vector<IconFrame> frames = iconFrames(bytes);
    const int best = bestIconFrame(frames);
    if (best < -1 || best >= int(frames.size()) || (best == -1) != frames.empty())
        __builtin_trap();
    for (const IconFrame& frame : frames) {
        // The decoded frame as Qt would hand it over; larger frames cost time, not coverage.
        if (frame.size.width() > 64 || frame.size.height() > 64)
            continue;
        QImage image(frame.size, QImage::Format_RGB32);
        image.fill(Qt::green);
        if (withIconMask(image, bytes, frame).size() != frame.size)
            __builtin_trap();
    }
}

void exif(const QByteArray& bytes) {
    const int orientation = exifOrientation(bytes);
    if (orientation < 0 || orientation > 8)
        __builtin_trap();
}

void bitfields(const QByteArray& bytes) {
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    const QSize size = bitfieldBitmapSize(file);
    // Only pixels the file holds are read: each takes at least two bytes of it.
    if (size.isValid() && qint64(size.width()) * size.height() > bytes.size())
        __builtin_trap();
    const QImage image = readBitfieldBitmap(file);
    if (!image.isNull() && image.size() != size)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    switch (data[0] % 3) {
    case 0:
        icon(bytes);
        break;
    case 1:
        exif(bytes);
        break;
    default:
        bitfields(bytes);
        break;
    }
    return 0;
}
