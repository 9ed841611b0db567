#include "BaselineSvg.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <QtEndian>

extern "C" {
#include <libwmf/api.h>
#include <libwmf/svg.h>
}

namespace baseline {

// The earlier WMF path: libwmf plays the records into its SVG device. Its fonts come from
// fonts-urw-base35.

namespace {

constexpr quint32 placeableKey = 0x9AC6CDD7;
constexpr int placeableSize = 22;
constexpr quint16 setWindowOrg = 0x020B;

// Records that draw (by the low byte of their function number): lines, arcs, shapes, text,
// bitmaps and regions.
bool draws(quint16 function) {
    switch (function & 0xFF) {
    case 0x13:
    case 0x17:
    case 0x18:
    case 0x19:
    case 0x1A:
    case 0x1B:
    case 0x1C:
    case 0x1D:
    case 0x1F:
    case 0x21:
    case 0x22:
    case 0x23:
    case 0x24:
    case 0x25:
    case 0x28:
    case 0x29:
    case 0x2A:
    case 0x2B:
    case 0x30:
    case 0x32:
    case 0x33:
    case 0x38:
    case 0x40:
    case 0x41:
    case 0x43:
    case 0x48:
        return true;
    default:
        return false;
    }
}

qint16 s16(const QByteArray& b, int at) {
    return qFromLittleEndian<qint16>(reinterpret_cast<const uchar*>(b.constData()) + at);
}
quint16 u16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(b.constData()) + at);
}
quint32 u32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(b.constData()) + at);
}

// The window origin the metafile sets before it draws (0, 0 when it sets none): libwmf maps
// logical units to points from that origin.
QPointF windowOrigin(const QByteArray& bytes) {
    qint64 at = placeableSize + 18;
    while (at + 6 <= bytes.size()) {
        const quint32 words = u32(bytes, int(at));
        const quint16 function = u16(bytes, int(at + 4));
        if (words < 3 || function == 0 || qint64(words) * 2 > bytes.size() - at)
            break;
        if (function == setWindowOrg && words >= 5)
            return QPointF(s16(bytes, int(at + 8)), s16(bytes, int(at + 6)));
        if (draws(function))
            break; // the origin is what it is by now
        at += qint64(words) * 2;
    }
    return {};
}

} // namespace

QRectF wmfPlaceableFrame(const QByteArray& bytes) {
    if (bytes.size() < placeableSize + 18 || u32(bytes, 0) != placeableKey)
        return {};
    const int inch = u16(bytes, 14);
    if (inch <= 0)
        return {};
    const QPointF origin = windowOrigin(bytes);
    const QRectF frame =
        QRectF(QPointF(s16(bytes, 6), s16(bytes, 8)), QPointF(s16(bytes, 10), s16(bytes, 12)))
            .normalized();
    const double scale = 72.0 / inch;
    return QRectF((frame.topLeft() - origin) * scale, frame.size() * scale);
}

namespace {

// libwmf gives each bitmap its place and size and then a transform that scales and moves it
// once more (as an old SVG editor read it); standard SVG applies both, so the transform goes.
QByteArray withImagesPlaced(const QByteArray& svg) {
    static const QRegularExpression transform(
        QStringLiteral(R"re((<image\b[^>]*?)\s*transform="matrix\([^"]*\)")re"));
    return QString::fromUtf8(svg).replace(transform, QStringLiteral("\\1")).toUtf8();
}

} // namespace

MetafileSvg wmfToSvg(const QByteArray& bytes) {
    wmfAPI* api = nullptr;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        return {};
    }
    const auto destroy = qScopeGuard([api] { wmf_api_destroy(api); });

    QByteArray data = bytes; // libwmf reads from a writable buffer
    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(data.data()), long(data.size())) !=
        wmf_E_None)
        return {};
    wmfD_Rect drawn;
    if (wmf_scan(api, 0, &drawn) != wmf_E_None)
        return {};
    unsigned int width = 0;
    unsigned int height = 0;
    if (wmf_display_size(api, &width, &height, 96, 96) != wmf_E_None || width == 0 || height == 0)
        return {};

    // The output covers the placeable frame when there is one (a drawing need not fill its
    // frame), otherwise what the records draw.
    const QRectF frame = wmfPlaceableFrame(bytes);
    wmfD_Rect box = drawn;
    if (!frame.isEmpty()) {
        box.TL.x = float(frame.left());
        box.TL.y = float(frame.top());
        box.BR.x = float(frame.right());
        box.BR.y = float(frame.bottom());
    }
    wmf_svg_t* device = WMF_SVG_GetData(api);
    device->out = wmf_stream_create(api, nullptr);
    if (!device->out)
        return {};
    static char description[] = "";
    device->Description = description;
    device->bbox = box;
    device->width = width;
    device->height = height;
    device->flags |= WMF_SVG_INLINE_IMAGES;
    const wmf_error_t played = wmf_play(api, 0, &box);
    char* text = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, device->out, &text, &length);
    const QByteArray svg = played == wmf_E_None && text
                               ? withImagesPlaced(QByteArray(text, qsizetype(length)))
                               : QByteArray();
    if (text)
        wmf_free(api, text);
    return {svg, QSize(int(width), int(height)), {}};
}

} // namespace baseline
