#include "platform/gui/MetafileDecoder.h"

#include "platform/gui/EmfPlayer.h"
#include "platform/gui/MetafileSvg.h"
#include "platform/gui/PictureLimits.h"

#include <algorithm>
#include <cmath>
#include <QMutex>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

namespace {

constexpr quint32 placeableWmfKey = 0x9AC6CDD7;
constexpr quint32 emfHeaderRecord = 1;
constexpr quint32 emfSignature = 0x464D4520; // " EMF"

// libwmf does not promise to be safe on several threads at once, and pictures are decoded
// ahead on a worker while the panel may load a preview: one conversion at a time.
QMutex& conversionLock() {
    static QMutex lock;
    return lock;
}

// A drawing is rendered with at most this many pixels (64 MB), its proportions kept: enough for
// two 4K screens. Asked for more (a drawing enlarged a hundred screens wide), it comes out smaller
// and the caller stretches it the rest of the way.
constexpr qint64 maxRenderPixels = 4096 * 4096;

QSize withinRenderPixels(QSize size) {
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels <= maxRenderPixels)
        return size;
    const double f = std::sqrt(double(maxRenderPixels) / double(pixels));
    return {std::max(1, int(size.width() * f)), std::max(1, int(size.height() * f))};
}

QImage render(const MetafileSvg& converted, QSize asked) {
    const QSize size = withinRenderPixels(asked);
    QSvgRenderer renderer(converted.svg);
    if (!renderer.isValid())
        return {};
    if (!converted.viewBox.isEmpty())
        renderer.setViewBox(converted.viewBox);
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    // Transparent where nothing is drawn, as a metafile is drawn over what lies beneath.
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

} // namespace

MetafileKind metafileKind(const QByteArray& head) {
    if (head.size() < 4)
        return MetafileKind::None;
    const auto* bytes = reinterpret_cast<const uchar*>(head.constData());
    const quint32 first = qFromLittleEndian<quint32>(bytes);
    if (first == placeableWmfKey)
        return MetafileKind::Wmf;
    if (head.size() >= 44 && first == emfHeaderRecord &&
        qFromLittleEndian<quint32>(bytes + 40) == emfSignature)
        return MetafileKind::Emf;
    // A WMF without the placeable header starts with its own header: type 1 or 2, size 9.
    if (head.size() >= 18) {
        const quint16 type = qFromLittleEndian<quint16>(bytes);
        const quint16 headerWords = qFromLittleEndian<quint16>(bytes + 2);
        const quint16 version = qFromLittleEndian<quint16>(bytes + 4);
        if ((type == 1 || type == 2) && headerWords == 9 &&
            (version == 0x0300 || version == 0x0100))
            return MetafileKind::Wmf;
    }
    return MetafileKind::None;
}

DecodedPicture decodeMetafile(const QByteArray& bytes, MetafileKind kind,
                              const ShownSizeFor& shownSize) {
    if (kind == MetafileKind::Emf)
        return emf::decode(bytes, shownSize);
    MetafileSvg converted;
    {
        QMutexLocker locker(&conversionLock());
        converted = wmfToSvg(bytes);
    }
    if (!converted.ok() || !picturelimits::acceptable(converted.natural))
        return {};
    // Drawn at the size it is shown at, larger or smaller: a drawing stays sharp.
    QSize shown = shownSize ? shownSize(converted.natural) : converted.natural;
    if (!picturelimits::acceptable(shown))
        shown = converted.natural;
    const QImage image = render(converted, shown);
    if (image.isNull())
        return {};
    return {image, converted.natural};
}
