#include "decoders/EmfPlayer.h"

namespace emf {

namespace {

enum : int { rgnAnd = 1, rgnOr = 2, rgnXor = 3, rgnDiff = 4, rgnCopy = 5 };

constexpr quint32 maxRegionRects = 4096;

// Larger than any device a writer draws for: what "no clipping" means in a combination.
const QRectF wholeDevice(-1e7, -1e7, 2e7, 2e7);

// The rectangle a path is, when it is one with sides along the axes.
std::optional<QRectF> asRect(const QPainterPath& p) {
    if (p.elementCount() != 5 && p.elementCount() != 4)
        return std::nullopt;
    const QRectF b = p.boundingRect();
    for (int i = 0; i < p.elementCount(); ++i) {
        const QPainterPath::Element e = p.elementAt(i);
        if (e.isCurveTo() || (e.x != b.left() && e.x != b.right()) ||
            (e.y != b.top() && e.y != b.bottom()))
            return std::nullopt;
    }
    return b;
}

QPainterPath rectPath(const QRectF& r) {
    QPainterPath p;
    p.addRect(r);
    return p;
}

// Two areas' intersection; rectangles, the common case, without the general (slow) operation.
QPainterPath intersection(const QPainterPath& a, const QPainterPath& b) {
    const std::optional<QRectF> ra = asRect(a), rb = asRect(b);
    if (ra && rb)
        return rectPath(ra->intersected(*rb));
    return a.intersected(b);
}

} // namespace

std::optional<QPainterPath> Player::region(const Record& r, quint32 at, quint32 size) {
    // The rectangles follow a 32-byte header that counts them. A region of more rectangles
    // than any drawing needs is cut short: combining areas of that many pieces would take
    // longer than a picture may.
    const quint32 count = std::min<quint32>(r.u32(at + 8), maxRegionRects);
    if (size < 32 || count == 0 || !r.fits(at + 32, quint64(count) * 16))
        return std::nullopt;
    QPainterPath area;
    for (quint32 i = 0; i < count; ++i)
        area.addRect(r.rectF(at + 32 + 16 * i));
    return area;
}

void Player::combineClip(const QPainterPath& area, int mode) {
    const QPainterPath current = dc_.clip.value_or(rectPath(wholeDevice));
    switch (mode) {
    case rgnAnd:
        dc_.clip = intersection(current, area);
        break;
    case rgnOr:
        if (dc_.clip)
            dc_.clip = current.united(area);
        break;
    case rgnXor:
        dc_.clip = current.united(area).subtracted(current.intersected(area));
        break;
    case rgnDiff:
        dc_.clip = current.subtracted(area);
        break;
    case rgnCopy:
        dc_.clip = area;
        break;
    default:
        return;
    }
    clipDirty_ = true;
}

void Player::setClip(const std::optional<QPainterPath>& deviceClip) {
    dc_.clip = deviceClip;
    clipDirty_ = true;
}

void Player::applyClip() {
    if (!clipDirty_ || !painter_)
        return;
    clipDirty_ = false;
    std::optional<QPainterPath> effective = dc_.clip;
    if (dc_.meta)
        effective = effective ? intersection(*effective, *dc_.meta) : *dc_.meta;
    painter_->setTransform(deviceToImage_);
    if (effective)
        painter_->setClipPath(*effective);
    else
        painter_->setClipping(false);
}

void Player::clipRect(const Record& r) {
    const QRectF box = r.rectF(8);
    QPainterPath area;
    area.addPolygon(toDevice().map(QPolygonF(box)));
    area.closeSubpath();
    combineClip(area, r.type() == emr::intersectClipRect ? rgnAnd : rgnDiff);
}

void Player::offsetClipRgn(const Record& r) {
    if (!dc_.clip)
        return;
    const QTransform t = toDevice();
    const QPointF by = t.map(QPointF(r.s32(8), r.s32(12))) - t.map(QPointF(0, 0));
    dc_.clip->translate(by);
    clipDirty_ = true;
}

void Player::setMetaRgn(const Record&) {
    if (dc_.clip)
        dc_.meta = dc_.meta ? intersection(*dc_.meta, *dc_.clip) : *dc_.clip;
    setClip(std::nullopt);
}

void Player::selectClipPath(const Record& r) {
    // The path's inside is what the fill mode calls its inside.
    path_.setFillRule(dc_.fillRule);
    if (!inPath_)
        combineClip(toDevice().map(path_), int(r.u32(8)));
    path_ = QPainterPath();
}

void Player::extSelectClipRgn(const Record& r) {
    // No region with the copy mode means no clipping.
    const std::optional<QPainterPath> area = region(r, 16, r.u32(8));
    const int mode = int(r.u32(12));
    if (area)
        combineClip(*area, mode);
    else if (mode == rgnCopy)
        setClip(std::nullopt);
}

void Player::fillRgn(const Record& r) {
    // Filled with the brush the record names.
    const std::optional<QPainterPath> area = region(r, 32, r.u32(24));
    const quint32 index = r.u32(28);
    const Object stock = stockObject(index & 0x7FFFFFFF);
    fillArea(area, std::get_if<Brush>(index & 0x80000000        ? &stock
                                      : index < objects_.size() ? &objects_[index]
                                                                : &stock));
}

void Player::paintRgn(const Record& r) {
    fillArea(region(r, 28, r.u32(24)), &dc_.brush);
}

void Player::fillArea(const std::optional<QPainterPath>& area, const Brush* brush) {
    // In logical units.
    if (!area || !brush || drawsNothing() || !painting(area->boundingRect()))
        return;
    useLogical();
    painter_->fillPath(*area, brush->brush);
}

} // namespace emf
