#include "platform/gui/WmfBitmaps.h"
#include "platform/gui/WmfPlayer.h"

#include <QtEndian>

// The bitmap records: pasted bitmaps, stretched or not, and rectangles filled by raster
// operation alone.

namespace wmf {

namespace {

// Whether a DIB's rows run from the top down (a negative height) rather than from the bottom.
bool topDown(const QByteArray& dib) {
    if (dib.size() < 12 || qFromLittleEndian<quint32>(dib.constData()) < 40)
        return false;
    return qFromLittleEndian<qint32>(dib.constData() + 8) < 0;
}

} // namespace

void Player::patBlt(const QRectF& target, quint32 rop) {
    noteDrawn(target);
    if (!painter_)
        return;
    switch (rop >> 16) {
    case 0x00:
        painter_->fillRect(target, Qt::black);
        break;
    case 0xFF:
        painter_->fillRect(target, Qt::white);
        break;
    case 0x55: // what is there, inverted
    case 0x5A: // the brush exclusive-ored with it
        painter_->setCompositionMode(QPainter::CompositionMode_Difference);
        painter_->fillRect(target, (rop >> 16) == 0x55 ? QBrush(Qt::white) : brush());
        endRop2();
        break;
    case 0xAA:
        break;
    default: {
        painter_->setBackground(state_.bkColor);
        painter_->setBackgroundMode(state_.bkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
        painter_->fillRect(target, brush());
    }
    }
}

void Player::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                       quint32 rop) {
    noteDrawn(target.normalized());
    const RasterOp op = rasterOp(rop);
    if (!painter_ || image.isNull() || !op.draws)
        return;
    // A source reaching past the bitmap draws the part inside it, over its share of the
    // target.
    const QRectF inside = source.normalized() & QRectF(image.rect());
    if (inside.isEmpty() || source.width() == 0 || source.height() == 0)
        return;
    const QRect part = inside.toAlignedRect() & image.rect();
    QImage piece = applied(part == image.rect() ? image : image.copy(part), op);
    // Opposite signs of the source's and the target's extents mirror the bitmap.
    const bool mirrorX = (target.width() < 0) != (source.width() < 0);
    const bool mirrorY = (target.height() < 0) != (source.height() < 0);
    if (mirrorX || mirrorY)
        piece = piece.mirrored(mirrorX, mirrorY);
    const QRectF t = target.normalized();
    const QRectF s = source.normalized();
    const double fx = t.width() / s.width();
    const double fy = t.height() / s.height();
    const double left = mirrorX ? s.right() - part.right() - 1 : part.left() - s.left();
    const double top = mirrorY ? s.bottom() - part.bottom() - 1 : part.top() - s.top();
    const QRectF placed(t.left() + left * fx, t.top() + top * fy, part.width() * fx,
                        part.height() * fy);
    painter_->setCompositionMode(op.mode);
    painter_->drawImage(placed, piece);
    endRop2();
}

bool Player::bitmaps(const Record& r) {
    const quint16 f = r.function();
    // Where the bitmap goes: x, y, width and height in logical units, stored backwards.
    auto target = [&](qsizetype word) {
        const QPointF a = map(QPointF(r.s16(word + 3), r.s16(word + 2)));
        const QPointF b =
            map(QPointF(r.s16(word + 3) + r.s16(word + 1), r.s16(word + 2) + r.s16(word)));
        return QRectF(a, b);
    };
    switch (f) {
    case fn::patBlt:
        if (r.has(6))
            patBlt(target(2).normalized(), r.u32(0));
        return true;
    case fn::bitBlt:
    case fn::dibBitBlt:
    case fn::stretchBlt:
    case fn::dibStretchBlt: {
        const bool stretch = f == fn::stretchBlt || f == fn::dibStretchBlt;
        const bool dib = f == fn::dibBitBlt || f == fn::dibStretchBlt;
        if (r.words() == (f >> 8)) {
            // No bitmap: the raster operation with the brush alone.
            if (r.has(f >> 8))
                patBlt(target(stretch ? 7 : 5).normalized(), r.u32(0));
            return true;
        }
        const qsizetype bitmapAt = stretch ? 10 : 8;
        if (!r.has(bitmapAt))
            return true;
        const QImage image =
            dib ? dibImage(r.bytesFrom(bitmapAt)) : bitmap16Image(r, bitmapAt, bitmapAt + 5);
        // Source x, y, then width and height (the target's own when not stretched).
        const qsizetype src = stretch ? 4 : 2;
        const QSizeF size = stretch ? QSizeF(r.s16(3), r.s16(2)) : QSizeF(r.s16(5), r.s16(4));
        drawImage(target(stretch ? 6 : 4), image, QRectF(QPointF(r.s16(src + 1), r.s16(src)), size),
                  r.u32(0));
        return true;
    }
    case fn::stretchDIBits:
    case fn::setDIBitsToDevice: {
        const bool stretch = f == fn::stretchDIBits;
        const qsizetype bitmapAt = stretch ? 11 : 9;
        if (!r.has(bitmapAt))
            return true;
        const QByteArray dib = r.bytesFrom(bitmapAt);
        const QImage image = dibImage(dib);
        const QSizeF size = stretch ? QSizeF(r.s16(4), r.s16(3)) : QSizeF(r.s16(6), r.s16(5));
        const qsizetype src = stretch ? 5 : 3;
        QPointF from(r.s16(src + 1), r.s16(src));
        // These count the source's rows from the bitmap's bottom, as it is stored.
        if (!topDown(dib) && !image.isNull())
            from.setY(image.height() - from.y() - size.height());
        drawImage(target(stretch ? 7 : 5), image, QRectF(from, size),
                  stretch ? r.u32(0) : 0x00CC0020);
        return true;
    }
    default:
        return false;
    }
}

} // namespace wmf
