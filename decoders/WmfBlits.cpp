#include "decoders/MetafileRaster.h"
#include "decoders/WmfBitmaps.h"
#include "decoders/WmfPlayer.h"

#include <QtEndian>

// The bitmap records: pasted bitmaps, stretched or not, and rectangles filled by raster
// operation alone, each combined with what is drawn as its raster operation says.

namespace wmf {

namespace mr = metafileraster;

namespace {

// Whether a DIB's rows run from the top down (a negative height) rather than from the bottom.
bool topDown(const QByteArray& dib) {
    if (dib.size() < 12 || qFromLittleEndian<quint32>(dib.constData()) < 40)
        return false;
    return qFromLittleEndian<qint32>(dib.constData() + 8) < 0;
}

} // namespace

std::optional<Player::Blit> Player::blitOf(const Record& r) const {
    const Handler handler = handlerOf(r.function());
    if (handler == &Player::patBlt)
        return patBltOf(r);
    if (handler == &Player::blt)
        return bltOf(r);
    if (handler == &Player::diBits)
        return diBitsOf(r);
    return std::nullopt;
}

QRectF Player::blitTarget(const Record& r, qsizetype word) const {
    // x, y, width and height in logical units, stored backwards.
    const QPointF a = map(QPointF(r.s16(word + 3), r.s16(word + 2)));
    const QPointF b =
        map(QPointF(r.s16(word + 3) + r.s16(word + 1), r.s16(word + 2) + r.s16(word)));
    return QRectF(a, b);
}

std::optional<Player::Blit> Player::patBltOf(const Record& r) const {
    if (!r.has(6))
        return std::nullopt;
    Blit b;
    b.rop = r.u32(0);
    b.target = blitTarget(r, 2);
    return b;
}

std::optional<Player::Blit> Player::bltOf(const Record& r) const {
    const quint16 f = r.function();
    const bool stretch = f == meta::stretchBlt || f == meta::dibStretchBlt;
    const bool dib = f == meta::dibBitBlt || f == meta::dibStretchBlt;
    Blit b;
    b.rop = r.u32(0);
    if (r.words() == (f >> 8)) {
        // No bitmap: the raster operation with the brush alone.
        b.target = blitTarget(r, stretch ? 7 : 5);
        return b;
    }
    const qsizetype bitmapAt = stretch ? 10 : 8;
    if (!r.has(bitmapAt))
        return std::nullopt;
    b.image = dib ? dibImage(r.bytesFrom(bitmapAt)) : bitmap16Image(r, bitmapAt, bitmapAt + 5);
    // Source x, y, then width and height (the target's own when not stretched).
    const qsizetype src = stretch ? 4 : 2;
    const QSizeF size = stretch ? QSizeF(r.s16(3), r.s16(2)) : QSizeF(r.s16(5), r.s16(4));
    b.target = blitTarget(r, stretch ? 6 : 4);
    b.source = QRectF(QPointF(r.s16(src + 1), r.s16(src)), size);
    b.hasBitmap = true;
    return b;
}

std::optional<Player::Blit> Player::diBitsOf(const Record& r) const {
    const bool stretch = r.function() == meta::stretchDib;
    const qsizetype bitmapAt = stretch ? 11 : 9;
    if (!r.has(bitmapAt))
        return std::nullopt;
    Blit b;
    const QByteArray dib = r.bytesFrom(bitmapAt);
    b.image = dibImage(dib);
    const QSizeF size = stretch ? QSizeF(r.s16(4), r.s16(3)) : QSizeF(r.s16(6), r.s16(5));
    const qsizetype src = stretch ? 5 : 3;
    QPointF from(r.s16(src + 1), r.s16(src));
    // These count the source's rows from the bitmap's bottom, as it is stored.
    if (!topDown(dib) && !b.image.isNull())
        from.setY(b.image.height() - from.y() - size.height());
    b.target = blitTarget(r, stretch ? 7 : 5);
    b.source = QRectF(from, size);
    b.rop = stretch ? r.u32(0) : mr::srcCopy;
    b.hasBitmap = true;
    return b;
}

void Player::patBlt(const Record& r) {
    drawBlit(patBltOf(r));
}

void Player::blt(const Record& r) {
    drawBlit(bltOf(r));
}

void Player::diBits(const Record& r) {
    drawBlit(diBitsOf(r));
}

void Player::drawBlit(const std::optional<Blit>& b) {
    if (!b)
        return;
    noteDrawn(b->target.normalized());
    if (!painter_)
        return;
    if (!b->hasBitmap) {
        ropFill(b->target.normalized(), b->rop);
        return;
    }
    if (mr::operation(b->rop) == mr::operation(mr::srcPaint) && reader_) {
        // A mask ORed and its picture ANDed straight after, onto the same place: one bitmap
        // with the mask as its opacity.
        Reader ahead = *reader_;
        Record next;
        std::optional<Blit> picture;
        if (ahead.next(next))
            picture = blitOf(next);
        if (picture && picture->hasBitmap &&
            mr::operation(picture->rop) == mr::operation(mr::srcAnd) &&
            picture->target == b->target && picture->source == b->source) {
            const QImage masked = mr::maskedBitmap(b->image, picture->image);
            if (!masked.isNull()) {
                reader_->next(next);
                drawImage(b->target, masked, b->source, mr::srcCopy);
                return;
            }
        }
    }
    drawImage(b->target, b->image, b->source, b->rop);
}

void Player::ropFill(const QRectF& target, quint32 rop) {
    const quint8 operation = mr::operation(rop);
    switch (operation) {
    case mr::operation(mr::dstCopy):
        return;
    case mr::operation(mr::blackness):
        painter_->fillRect(target, Qt::black);
        return;
    case mr::operation(mr::whiteness):
        painter_->fillRect(target, Qt::white);
        return;
    case mr::operation(mr::patCopy):
        painter_->setBackground(state_.bkColor);
        painter_->setBackgroundMode(state_.bkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
        painter_->fillRect(target, brush());
        return;
    default:
        raster(mr::areaOf(*painter_, target), target, {}, {}, operation);
    }
}

void Player::raster(QRect area, const QRectF& target, const QImage& image, const QRectF& placed,
                    quint8 operation) {
    QImage* picture = mr::pictureOf(*painter_);
    if (!picture || area.isEmpty())
        return;
    mr::Operands o;
    o.area = area;
    o.operation = o.background = operation;
    o.coverage = mr::coverage(*painter_, area, target);
    if (mr::readsSource(operation) && !image.isNull())
        o.source = mr::layer(*painter_, area, [&](QPainter& p) { p.drawImage(placed, image); });
    if (mr::readsPattern(operation)) {
        const QBrush fill = brush();
        o.pattern = mr::layer(*painter_, area, [&](QPainter& p) {
            p.setBackground(state_.bkColor);
            p.setBackgroundMode(state_.bkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
            p.fillRect(target, fill);
        });
    }
    mr::compose(*picture, o);
}

void Player::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                       quint32 rop) {
    const quint8 operation = mr::operation(rop);
    if (image.isNull() || operation == mr::operation(mr::dstCopy))
        return;
    // A source reaching past the bitmap draws the part inside it, over its share of the
    // target.
    const QRectF inside = source.normalized() & QRectF(image.rect());
    if (inside.isEmpty() || source.width() == 0 || source.height() == 0)
        return;
    const QRect part = inside.toAlignedRect() & image.rect();
    QImage piece = part == image.rect() ? image : image.copy(part);
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
    if (operation == mr::operation(mr::srcCopy)) {
        painter_->drawImage(placed, piece);
        return;
    }
    raster(mr::areaOf(*painter_, placed), placed, piece, placed, operation);
}

} // namespace wmf
