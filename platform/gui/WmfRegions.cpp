#include "platform/gui/WmfPlayer.h"

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

bool Player::regions(const Record& r) {
    const quint16 f = r.function();
    if (f != fn::fillRegion && f != fn::paintRegion && f != fn::frameRegion &&
        f != fn::invertRegion)
        return false;
    auto object = [&](qsizetype word, Object::Kind kind) -> const Object* {
        const qsizetype index = r.u16(word);
        if (!r.has(word + 1) || index >= qsizetype(objects_.size()) ||
            objects_[size_t(index)].kind != kind)
            return nullptr;
        return &objects_[size_t(index)];
    };
    const Object* region = object(0, Object::isRegion);
    if (!region)
        return true;
    const QPainterPath path = regionPath(region->region);
    if (f == fn::paintRegion) {
        fillPath(path, brush());
    } else if (f == fn::invertRegion) {
        noteDrawn(path.boundingRect());
        if (painter_) {
            painter_->setCompositionMode(QPainter::CompositionMode_Difference);
            painter_->fillPath(path, Qt::white);
            endRop2();
        }
    } else if (const Object* b = object(1, Object::isBrush)) {
        const Brush saved = state_.brush;
        state_.brush = b->brush;
        if (f == fn::fillRegion) {
            fillPath(path, brush());
        } else {
            // A frame of the given width and height drawn inside the region's edge.
            const QPointF inset(std::abs(r.s16(3) * transform_.m11()),
                                std::abs(r.s16(2) * transform_.m22()));
            QPainterPath inner;
            for (const QRect& rect : region->region)
                inner.addRect(mapRect(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1)
                                  .adjusted(inset.x(), inset.y(), -inset.x(), -inset.y()));
            fillPath(path.subtracted(inner), brush());
        }
        state_.brush = saved;
    }
    return true;
}

bool Player::clipping(const Record& r) {
    State& s = state_;
    switch (r.function()) {
    case fn::intersectClipRect:
    case fn::excludeClipRect: {
        const QRect rect = pixels(mapRect(r.s16(3), r.s16(2), r.s16(1), r.s16(0)));
        if (r.function() == fn::intersectClipRect)
            s.clip = s.clip ? *s.clip & rect : QRegion(rect);
        else
            s.clip = (s.clip ? *s.clip : QRegion(outer_.mapRect(setup_.frame).toAlignedRect()))
                         .subtracted(rect);
        break;
    }
    case fn::offsetClipRgn:
        if (s.clip)
            s.clip->translate(
                pixels(QPointF(r.s16(1) * transform_.m11(), r.s16(0) * transform_.m22())));
        break;
    case fn::selectClipRegion: {
        const qsizetype index = r.u16(0);
        const bool region = r.has(1) && index < qsizetype(objects_.size()) &&
                            objects_[size_t(index)].kind == Object::isRegion;
        selectClipRegion(region ? &objects_[size_t(index)].region : nullptr);
        return true;
    }
    default:
        return false;
    }
    applyClip();
    return true;
}

void Player::selectClipRegion(const Region* region) {
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
