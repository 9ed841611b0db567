#include "decoders/EmfPlayer.h"
#include "decoders/MetafileRaster.h"

// Bitmaps, each combined with what is drawn as its record says, and gradients.
namespace emf {

namespace mr = metafileraster;

namespace {

// Whether the bitmap at `headerAt` is stored bottom row first, as most are: its source
// rectangle then counts from the bottom.
bool bottomUp(const Record& r, quint32 headerAt) {
    return r.u32(headerAt) == 12 || r.s32(headerAt + 8) > 0;
}

// `image` with every pixel of colour `key` left out.
QImage keyedOut(const QImage& image, QRgb key) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                line[x] = 0;
    }
    return out;
}

// The transform that lays `source` (bitmap pixels, from the origin) over `target`; a
// negative extent mirrors.
QTransform placing(const QRectF& source, const QRectF& target) {
    QTransform local = QTransform::fromTranslate(target.x(), target.y());
    local.scale(target.width() / source.width(), target.height() / source.height());
    return local;
}

void paintBitmap(QPainter& p, const QImage& image, const QRectF& source, const QRectF& target) {
    p.setTransform(placing(source, target) * p.transform());
    p.drawImage(QRectF(QPointF(0, 0), source.size()), image, source.normalized());
}

} // namespace

std::optional<Player::Blit> Player::blitOf(const Record& r) {
    const Handler handler = handlerOf(r.type());
    if (handler == &Player::blt)
        return bltOf(r);
    if (handler == &Player::diBits)
        return diBitsOf(r);
    return std::nullopt;
}

std::optional<Player::Blit> Player::bltOf(const Record& r) {
    const quint32 type = r.type();
    Blit b;
    b.target = QRectF(r.s32(24), r.s32(28), r.s32(32), r.s32(36));
    const quint32 op = r.u32(40);
    const quint32 bmiAt = r.u32(84), bmiSize = r.u32(88), bitsAt = r.u32(92), bitsSize = r.u32(96);
    b.rop = type == emr::alphaBlend || type == emr::transparentBlt ? mr::srcCopy : op;
    if (bmiSize == 0) // no source: the brush, or black or white, over the target
        return b;
    // The blend's constant opacity and whether the pixels carry their own.
    const bool blend = type == emr::alphaBlend;
    b.opacity = blend ? (op >> 16 & 0xFF) / 255.0 : 1;
    b.image = r.bitmap(bmiAt, bmiSize, bitsAt, bitsSize, blend && (op >> 24 & 1));
    if (type == emr::transparentBlt && !b.image.isNull())
        b.image =
            keyedOut(b.image, qRgb(int(op & 0xFF), int(op >> 8 & 0xFF), int(op >> 16 & 0xFF)));
    const bool stretched = type != emr::bitBlt && type != emr::maskBlt;
    const QSizeF size = stretched ? QSizeF(r.s32(100), r.s32(104)) : b.target.size();
    b.source = QRectF(QPointF(r.s32(44), r.s32(48)), size);
    if (type == emr::maskBlt && r.u32(116) != 0) {
        // A one-bit mask as large as the target, from its own corner.
        const QImage mask = r.bitmap(r.u32(112), r.u32(116), r.u32(120), r.u32(124));
        // Cut to the mask before rounding: a corner far outside it stays in whole numbers.
        const QRectF part =
            QRectF(QPointF(r.s32(100), r.s32(104)), size).normalized() & QRectF(mask.rect());
        if (!mask.isNull() && !part.isEmpty())
            b.mask = mask.copy(part.toAlignedRect() & mask.rect());
    }
    b.hasBitmap = true;
    return b;
}

std::optional<Player::Blit> Player::diBitsOf(const Record& r) {
    Blit b;
    const quint32 bmiAt = r.u32(48), bmiSize = r.u32(52), bitsAt = r.u32(56), bitsSize = r.u32(60);
    b.image = r.bitmap(bmiAt, bmiSize, bitsAt, bitsSize);
    if (b.image.isNull())
        return std::nullopt;
    b.source = QRectF(r.s32(32), r.s32(36), r.s32(40), r.s32(44));
    if (bottomUp(r, bmiAt))
        b.source.moveTop(b.image.height() - b.source.bottom());
    const bool stretched = r.type() == emr::stretchDiBits;
    b.target = QRectF(r.s32(24), r.s32(28), stretched ? r.s32(72) : b.source.width(),
                      stretched ? r.s32(76) : b.source.height());
    b.rop = stretched ? r.u32(68) : mr::srcCopy;
    b.hasBitmap = true;
    return b;
}

void Player::blt(const Record& r) {
    drawBlit(bltOf(r));
}

void Player::diBits(const Record& r) {
    drawBlit(diBitsOf(r));
}

void Player::drawBlit(const std::optional<Blit>& b) {
    if (!b || !painting(b->target))
        return;
    if (b->hasBitmap && mr::operation(b->rop) == mr::operation(mr::srcPaint) && records_) {
        // A mask ORed and its picture ANDed straight after, onto the same place: one bitmap
        // with the mask as its opacity.
        Records ahead = *records_;
        std::optional<Blit> picture;
        if (const std::optional<Record> next = ahead.next())
            picture = blitOf(*next);
        if (picture && picture->hasBitmap &&
            mr::operation(picture->rop) == mr::operation(mr::srcAnd) &&
            picture->target == b->target && picture->source == b->source) {
            Blit masked = *picture;
            masked.image = mr::maskedBitmap(b->image, picture->image);
            masked.rop = mr::srcCopy;
            if (!masked.image.isNull()) {
                records_->next();
                blit(masked);
                return;
            }
        }
    }
    blit(*b);
}

void Player::blit(const Blit& b) {
    useLogical();
    const quint8 fore = mr::operation(b.rop), back = quint8(b.rop >> 24);
    if (!b.mask.isNull()) {
        raster(b, fore, back);
        return;
    }
    switch (fore) {
    case mr::operation(mr::dstCopy):
        return;
    case mr::operation(mr::blackness):
    case mr::operation(mr::whiteness):
        painter_->fillRect(b.target, fore == 0 ? Qt::black : Qt::white);
        return;
    case mr::operation(mr::patCopy):
        painter_->fillRect(b.target, brush());
        return;
    case mr::operation(mr::srcCopy):
        if (b.hasBitmap) {
            painter_->setOpacity(b.opacity);
            drawBitmap(b.image, b.source, b.target);
            painter_->setOpacity(1);
            return;
        }
        break;
    default:
        break;
    }
    raster(b, fore, fore);
}

void Player::raster(const Blit& b, quint8 fore, quint8 back) {
    QImage* picture = mr::pictureOf(*painter_);
    const QRect area = mr::areaOf(*painter_, b.target);
    if (!picture || area.isEmpty())
        return;
    const bool placed = b.hasBitmap && b.source.width() != 0 && b.source.height() != 0;
    mr::Operands o;
    o.area = area;
    o.operation = fore;
    o.background = back;
    o.coverage = mr::coverage(*painter_, area, b.target);
    if (placed && (mr::readsSource(fore) || mr::readsSource(back)))
        o.source = mr::layer(*painter_, area,
                             [&](QPainter& p) { paintBitmap(p, b.image, b.source, b.target); });
    if (placed && !b.mask.isNull())
        o.mask = mr::layer(*painter_, area, [&](QPainter& p) {
            paintBitmap(p, b.mask, QRectF(QPointF(0, 0), b.source.size()), b.target);
        });
    if (mr::readsPattern(fore) || mr::readsPattern(back)) {
        const QBrush fill = brush();
        o.pattern = mr::layer(*painter_, area, [&](QPainter& p) { p.fillRect(b.target, fill); });
    }
    mr::compose(*picture, o);
}

void Player::drawBitmap(const QImage& image, QRectF source, QRectF target) {
    if (image.isNull() || source.width() == 0 || source.height() == 0)
        return;
    paintBitmap(*painter_, image, source, target);
}

} // namespace emf
