#include "platform/gui/EmfPlayer.h"

namespace emf {

namespace {

enum : quint32 {
    bitBlt = 76,
    stretchBlt = 77,
    maskBlt = 78,
    plgBlt = 79,
    setDiBitsToDevice = 80,
    stretchDiBits = 81,
    alphaBlend = 114,
    transparentBlt = 116,
    gradientFill = 118,
};

// Most vertices and pieces one gradient record may bring.
constexpr quint32 maxGradientParts = 65536;

// A gradient vertex: where (logical units) and which colour, 16 bits a channel.
struct Vertex {
    QPointF at;
    QColor colour;
};

Vertex vertex(const Record& r, quint32 at) {
    return {QPointF(r.s32(at), r.s32(at + 4)),
            QColor(r.u16(at + 8) >> 8, r.u16(at + 10) >> 8, r.u16(at + 12) >> 8)};
}

constexpr quint32 patCopy = 0x00F00021, blackness = 0x00000042, whiteness = 0x00FF0062;

// Whether the bitmap at `headerAt` is stored bottom row first, as most are: its source
// rectangle then counts from the bottom.
bool bottomUp(const Record& r, quint32 headerAt) {
    return r.u32(headerAt) == 12 || r.s32(headerAt + 8) > 0;
}

} // namespace

void Player::drawBitmap(const QImage& image, QRectF source, QRectF target) {
    if (image.isNull() || source.width() == 0 || source.height() == 0 || drawsNothing() ||
        !painting(target))
        return;
    useLogical();
    // A negative extent mirrors the bitmap; the painter's transform does it.
    QTransform local = QTransform::fromTranslate(target.x(), target.y());
    local.scale(target.width() / source.width(), target.height() / source.height());
    painter_->setTransform(local * painter_->transform());
    painter_->drawImage(QRectF(QPointF(0, 0), source.size()), image, source.normalized());
}

bool Player::bitmaps(const Record& r) {
    switch (r.type()) {
    case bitBlt:
    case stretchBlt:
    case alphaBlend: {
        const QRectF target(r.s32(24), r.s32(28), r.s32(32), r.s32(36));
        const quint32 rop = r.u32(40);
        const quint32 bmiAt = r.u32(84), bmiSize = r.u32(88), bitsAt = r.u32(92),
                      bitsSize = r.u32(96);
        if (bmiSize == 0) { // no source: the brush, or black or white, over the target
            if (!painting(target))
                return true;
            useLogical();
            if (rop == patCopy && !drawsNothing())
                painter_->fillRect(target, brush());
            else if (rop == blackness || rop == whiteness)
                painter_->fillRect(target, rop == blackness ? Qt::black : Qt::white);
            return true;
        }
        const bool blend = r.type() == alphaBlend;
        // The blend's constant opacity and whether the pixels carry their own.
        const int constantAlpha = blend ? int(rop >> 16 & 0xFF) : 255;
        const bool perPixel = blend && (rop >> 24 & 1);
        const QImage image = r.bitmap(bmiAt, bmiSize, bitsAt, bitsSize, perPixel);
        const QSizeF size = r.type() == bitBlt ? target.size() : QSizeF(r.s32(100), r.s32(104));
        const QRectF source(QPointF(r.s32(44), r.s32(48)), size);
        if (painter_)
            painter_->setOpacity(constantAlpha / 255.0);
        drawBitmap(image, source, target);
        if (painter_)
            painter_->setOpacity(1);
        return true;
    }
    case stretchDiBits:
    case setDiBitsToDevice: {
        const quint32 bmiAt = r.u32(48), bmiSize = r.u32(52), bitsAt = r.u32(56),
                      bitsSize = r.u32(60);
        const QImage image = r.bitmap(bmiAt, bmiSize, bitsAt, bitsSize);
        if (image.isNull())
            return true;
        QRectF source(r.s32(32), r.s32(36), r.s32(40), r.s32(44));
        if (bottomUp(r, bmiAt))
            source.moveTop(image.height() - source.bottom());
        const QRectF target(r.s32(24), r.s32(28),
                            r.type() == stretchDiBits ? r.s32(72) : source.width(),
                            r.type() == stretchDiBits ? r.s32(76) : source.height());
        drawBitmap(image, source, target);
        return true;
    }
    case gradientFill: {
        // Rectangles shade from one corner's colour to the other's, across (mode 0) or down
        // (mode 1); triangles take their corners' mean colour.
        const quint32 vertices = r.u32(24), parts = r.u32(28), mode = r.u32(32);
        const quint32 each = mode == 2 ? 12 : 8;
        if (vertices > maxGradientParts || parts > maxGradientParts || mode > 2 ||
            !r.fits(36, quint64(vertices) * 16 + quint64(parts) * each))
            return true;
        const quint32 partsAt = 36 + vertices * 16;
        for (quint32 i = 0; i < parts; ++i) {
            quint32 corner[3] = {r.u32(partsAt + i * each), r.u32(partsAt + i * each + 4),
                                 mode == 2 ? r.u32(partsAt + i * each + 8) : 0};
            if (corner[0] >= vertices || corner[1] >= vertices || corner[2] >= vertices)
                continue;
            const Vertex a = vertex(r, 36 + corner[0] * 16), b = vertex(r, 36 + corner[1] * 16);
            QPainterPath area;
            QBrush fill;
            if (mode == 2) {
                const Vertex c = vertex(r, 36 + corner[2] * 16);
                area.addPolygon(QPolygonF({a.at, b.at, c.at}));
                fill = QColor((a.colour.red() + b.colour.red() + c.colour.red()) / 3,
                              (a.colour.green() + b.colour.green() + c.colour.green()) / 3,
                              (a.colour.blue() + b.colour.blue() + c.colour.blue()) / 3);
            } else {
                const QRectF box = QRectF(a.at, b.at).normalized();
                area.addRect(box);
                QLinearGradient shade(a.at, mode == 0 ? QPointF(b.at.x(), a.at.y())
                                                      : QPointF(a.at.x(), b.at.y()));
                shade.setColorAt(0, a.colour);
                shade.setColorAt(1, b.colour);
                fill = shade;
            }
            if (!painting(area.boundingRect()) || drawsNothing())
                continue;
            useLogical();
            painter_->fillPath(area, fill);
        }
        return true;
    }
    case maskBlt: // masks and parallelograms are drawn by none of the writers seen
    case plgBlt:
    case transparentBlt:
        return true;
    default:
        return false;
    }
}

} // namespace emf
