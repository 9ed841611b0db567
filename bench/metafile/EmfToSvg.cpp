#include "BaselineSvg.h"

#include <cmath>
#include <cstdlib>
#include <QtEndian>

extern "C" {
#include <emf2svg.h>
}

namespace baseline {

// libemf2svg plays EMF records (and the EMF+ records GDI+ adds) into SVG, which Qt SVG then
// draws sharp at any size.

namespace {

constexpr quint32 headerRecord = 1;
constexpr quint32 endRecord = 14;
constexpr quint32 signature = 0x464D4520;
constexpr int headerSize = 88;

qint32 s32(const QByteArray& b, int at) {
    return qFromLittleEndian<qint32>(reinterpret_cast<const uchar*>(b.constData()) + at);
}
quint32 u32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(b.constData()) + at);
}

} // namespace

bool emfWellFormed(const QByteArray& bytes) {
    if (bytes.size() < headerSize || u32(bytes, 0) != headerRecord || u32(bytes, 40) != signature)
        return false;
    const quint32 total = u32(bytes, 48);
    if (total > quint32(bytes.size()) || total < headerSize)
        return false;
    quint32 at = 0;
    while (at + 8 <= total) {
        const quint32 type = u32(bytes, int(at));
        const quint32 size = u32(bytes, int(at + 4));
        if (size < 8 || size % 4 != 0 || size > total - at)
            return false;
        if (type == endRecord)
            return at + size == total;
        at += size;
    }
    return false;
}

MetafileSvg emfToSvg(const QByteArray& bytes) {
    if (!emfWellFormed(bytes))
        return {};
    // The frame (hundredths of a millimetre) is the picture's extent; the reference device's
    // size in pixels and millimetres turns it into the converter's device units.
    const QRectF frame =
        QRectF(QPointF(s32(bytes, 24), s32(bytes, 28)), QPointF(s32(bytes, 32), s32(bytes, 36)))
            .normalized();
    const QPointF bounds(s32(bytes, 8), s32(bytes, 12));
    const double devicePx[2] = {double(s32(bytes, 72)), double(s32(bytes, 76))};
    const double deviceMm[2] = {double(s32(bytes, 80)), double(s32(bytes, 84))};
    if (frame.isEmpty() || devicePx[0] <= 0 || devicePx[1] <= 0 || deviceMm[0] <= 0 ||
        deviceMm[1] <= 0)
        return {};
    const QSize natural(int(std::lround(frame.width() * 96 / 2540)),
                        int(std::lround(frame.height() * 96 / 2540)));
    const double sx = devicePx[0] / (deviceMm[0] * 100);
    const double sy = devicePx[1] / (deviceMm[1] * 100);
    // The converter draws device units shifted so that the bounds start at 0, 0.
    const QRectF viewBox(frame.left() * sx - bounds.x(), frame.top() * sy - bounds.y(),
                         frame.width() * sx, frame.height() * sy);

    QByteArray data = bytes; // the converter reads from a writable buffer
    generatorOptions options{};
    static char noNamespace[] = "";
    options.nameSpace = noNamespace;
    options.svgDelimiter = true;
    options.emfplus = true;
    char* out = nullptr;
    size_t length = 0;
    const int converted = emf2svg(data.data(), size_t(data.size()), &out, &length, &options);
    QByteArray svg = converted && out ? QByteArray(out, qsizetype(length)) : QByteArray();
    std::free(out);
    return {svg, natural, viewBox};
}

} // namespace baseline
