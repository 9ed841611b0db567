#include "decoders/WmfPlayer.h"

#include <algorithm>

// Regions: filled, framed and inverted, and the clip, which rectangles and regions narrow.

namespace wmf {

namespace {

// Pixels far outside any picture are as good as the edge of this range, which whole numbers
// hold.
constexpr double farAway = 1e8;

QRect pixels(const QRectF& rect) {
    return (rect & QRectF(-farAway, -farAway, 2 * farAway, 2 * farAway)).toRect();
}

QPoint pixels(QPointF p) {
    return QPointF(std::clamp(p.x(), -farAway, farAway), std::clamp(p.y(), -farAway, farAway))
        .toPoint();
}

} // namespace

QPainterPath Player::regionPath(const Region& region) const {
    QPainterPath path;
    for (const QRect& rect : region)
        path.addRect(mapRect(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1));
    path.setFillRule(Qt::WindingFill);
    return path;
}

const Object* Player::objectAt(const Record& r, qsizetype word, Object::Kind kind) const {
    const qsizetype index = r.u16(word);
    if (!r.has(word + 1) || index >= qsizetype(objects_.size()) ||
        objects_[size_t(index)].kind != kind)
        return nullptr;
    return &objects_[size_t(index)];
}

void Player::paintRegion(const Record& r) {
    if (const Object* region = objectAt(r, 0, Object::isRegion))
        fillPath(regionPath(region->region), brush());
}

void Player::invertRegion(const Record& r) {
    const Object* region = objectAt(r, 0, Object::isRegion);
    if (!region)
        return;
    const QPainterPath path = regionPath(region->region);
    noteDrawn(path.boundingRect());
    if (painter_) {
        painter_->setCompositionMode(QPainter::CompositionMode_Difference);
        painter_->fillPath(path, Qt::white);
        endRop2();
    }
}

void Player::fillRegion(const Record& r) {
    const Object* region = objectAt(r, 0, Object::isRegion);
    if (!region)
        return;
    const QPainterPath path = regionPath(region->region);
    if (const Object* b = objectAt(r, 1, Object::isBrush))
        fillWith(b->brush, path);
}

void Player::frameRegion(const Record& r) {
    const Object* region = objectAt(r, 0, Object::isRegion);
    if (!region)
        return;
    const QPainterPath path = regionPath(region->region);
    const Object* b = objectAt(r, 1, Object::isBrush);
    if (!b)
        return;
    // A frame of the given width and height drawn inside the region's edge.
    const QPointF inset(std::abs(r.s16(3) * transform_.m11()),
                        std::abs(r.s16(2) * transform_.m22()));
    QPainterPath inner;
    for (const QRect& rect : region->region)
        inner.addRect(mapRect(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1)
                          .adjusted(inset.x(), inset.y(), -inset.x(), -inset.y()));
    fillWith(b->brush, path.subtracted(inner));
}

void Player::fillWith(const Brush& b, const QPainterPath& path) {
    const Brush saved = state_.brush;
    state_.brush = b;
    fillPath(path, brush());
    state_.brush = saved;
}

void Player::clipRect(const Record& r) {
    State& s = state_;
    const QRect rect = pixels(mapRect(r.s16(3), r.s16(2), r.s16(1), r.s16(0)));
    if (r.function() == meta::intersectClipRect)
        s.clip = s.clip ? *s.clip & rect : QRegion(rect);
    else
        s.clip = (s.clip ? *s.clip : QRegion(outer_.mapRect(setup_.frame).toAlignedRect()))
                     .subtracted(rect);
    applyClip();
}

void Player::offsetClipRgn(const Record& r) {
    if (state_.clip)
        state_.clip->translate(
            pixels(QPointF(r.s16(1) * transform_.m11(), r.s16(0) * transform_.m22())));
    applyClip();
}

void Player::selectClipRegion(const Record& r) {
    const Object* region = objectAt(r, 0, Object::isRegion);
    selectClip(region ? &region->region : nullptr);
}

void Player::selectClip(const Region* region) {
    if (!region) {
        state_.clip.reset();
    } else {
        QRegion clip;
        for (const QRect& rect : *region)
            clip += pixels(mapRect(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1));
        state_.clip = clip;
    }
    applyClip();
}

void Player::applyClip() {
    if (!painter_)
        return;
    if (state_.clip)
        painter_->setClipRegion(*state_.clip);
    else
        painter_->setClipping(false);
}

} // namespace wmf
