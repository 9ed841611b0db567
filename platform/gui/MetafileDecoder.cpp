#include "platform/gui/MetafileDecoder.h"

#include "platform/gui/MetafileCanvas.h"
#include "platform/gui/MetafileSvg.h"
#include "platform/gui/PictureLimits.h"
#include "platform/gui/WmfPicture.h"

#include <QMutex>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

namespace {

constexpr quint32 placeableWmfKey = 0x9AC6CDD7;
constexpr quint32 emfHeaderRecord = 1;
constexpr quint32 emfSignature = 0x464D4520; // " EMF"

// The EMF converter does not promise to be safe on several threads at once, and pictures are
// decoded ahead on a worker while the panel may load a preview: one conversion at a time.
QMutex& conversionLock() {
    static QMutex lock;
    return lock;
}

DecodedPicture convertedEmf(const QByteArray& bytes, const ShownSizeFor& shownSize) {
    MetafileSvg converted;
    {
        QMutexLocker locker(&conversionLock());
        converted = emfToSvg(bytes);
    }
    if (!converted.ok() || !picturelimits::acceptable(converted.natural))
        return {};
    QSvgRenderer renderer(converted.svg);
    if (!renderer.isValid())
        return {};
    if (!converted.viewBox.isEmpty())
        renderer.setViewBox(converted.viewBox);
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    QImage image = transparentCanvas(metafileCanvasSize(converted.natural, shownSize));
    if (image.isNull())
        return {};
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    painter.end();
    return {image, converted.natural};
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
    return kind == MetafileKind::Wmf ? decodeWmf(bytes, shownSize) : convertedEmf(bytes, shownSize);
}
