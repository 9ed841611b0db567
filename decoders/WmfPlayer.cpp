#include "decoders/WmfPlayer.h"

#include <cmath>

namespace wmf {

namespace {

constexpr size_t maxSavedStates = 1024;

// A map mode's logical unit in inches; the metric modes count y upwards.
double inchesPerUnit(int mapMode) {
    switch (mapMode) {
    case mmLoMetric:
        return 0.1 / 25.4;
    case mmHiMetric:
        return 0.01 / 25.4;
    case mmLoEnglish:
        return 0.01;
    case mmHiEnglish:
        return 0.001;
    case mmTwips:
        return 1.0 / 1440;
    default:
        return 0;
    }
}

double ratio(double viewport, double window) {
    return window == 0 ? 1 : viewport / window;
}

} // namespace

Player::Player(const Header& header, const Setup& setup, QPainter* painter)
    : header_(header), setup_(setup), painter_(painter) {
    const QRectF& f = setup.frame;
    outer_ =
        QTransform::fromTranslate(-f.left(), -f.top()) *
        QTransform::fromScale(setup.target.width() / f.width(), setup.target.height() / f.height());
    state_.windowOrg = state_.viewportOrg = f.topLeft();
    state_.windowExt = state_.viewportExt = QPointF(f.width(), f.height());
    objects_.resize(size_t(std::clamp<qsizetype>(header.objects, 1, maxObjects)));
    updateTransform();
}

void Player::play(Reader& reader) {
    if (painter_)
        painter_->save();
    reader_ = &reader;
    Record r;
    for (qint64 count = 0; count < maxRecords && reader.next(r); ++count)
        record(r);
    reader_ = nullptr;
    if (painter_)
        painter_->restore();
}

void Player::updateTransform() {
    const State& s = state_;
    double sx = 1;
    double sy = 1;
    if (const double inches = inchesPerUnit(s.mapMode); inches > 0) {
        sx = setup_.unitsPerInch * inches;
        sy = -sx;
    } else if (s.mapMode == mmIsotropic || s.mapMode == mmAnisotropic) {
        sx = ratio(s.viewportExt.x(), s.windowExt.x());
        sy = ratio(s.viewportExt.y(), s.windowExt.y());
        if (s.mapMode == mmIsotropic) {
            // The same scale both ways, the smaller of the two.
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(m, sx);
            sy = std::copysign(m, sy);
        }
    }
    const QTransform page(sx, 0, 0, sy, s.viewportOrg.x() - s.windowOrg.x() * sx,
                          s.viewportOrg.y() - s.windowOrg.y() * sy);
    transform_ = page * outer_;
}

QRectF Player::mapRect(int left, int top, int right, int bottom) const {
    return QRectF(map(QPointF(left, top)), map(QPointF(right, bottom))).normalized();
}

QPointF Player::point(const Record& r, qsizetype word) const {
    return QPointF(r.s16(word + 1), r.s16(word));
}

void Player::setMapMode(const Record& r) {
    if (r.u16(0) < mmText || r.u16(0) > mmAnisotropic)
        return; // Windows refuses a mode it does not know
    state_.mapMode = r.u16(0);
    updateTransform();
}

void Player::setWindowOrg(const Record& r) {
    state_.windowOrg = point(r, 0);
    updateTransform();
}

void Player::setWindowExt(const Record& r) {
    const QPointF p = point(r, 0);
    if (p.x() == 0 || p.y() == 0)
        return; // Windows refuses an empty extent
    // The extents count only in the two scalable modes.
    if (state_.mapMode == mmIsotropic || state_.mapMode == mmAnisotropic) {
        state_.windowExt = p;
        windowExtSet_ = true;
    }
    updateTransform();
}

void Player::setViewportOrg(const Record& r) {
    state_.viewportOrg = point(r, 0);
    viewportSet_ = true;
    updateTransform();
}

void Player::setViewportExt(const Record& r) {
    const QPointF p = point(r, 0);
    if (p.x() == 0 || p.y() == 0)
        return;
    if (state_.mapMode == mmIsotropic || state_.mapMode == mmAnisotropic) {
        state_.viewportExt = p;
        viewportSet_ = true;
    }
    updateTransform();
}

void Player::offsetWindowOrg(const Record& r) {
    state_.windowOrg += point(r, 0);
    updateTransform();
}

void Player::offsetViewportOrg(const Record& r) {
    state_.viewportOrg += point(r, 0);
    updateTransform();
}

void Player::scaleExtent(const Record& r) {
    // x numerator, x denominator, y numerator, y denominator, stored backwards
    if (r.s16(0) == 0 || r.s16(2) == 0 || r.s16(1) == 0 || r.s16(3) == 0)
        return;
    QPointF& ext = r.function() == meta::scaleWindowExt ? state_.windowExt : state_.viewportExt;
    ext = QPointF(ext.x() * r.s16(3) / r.s16(2), ext.y() * r.s16(1) / r.s16(0));
    updateTransform();
}

void Player::saveDc(const Record&) {
    if (saved_.size() < maxSavedStates)
        saved_.push_back(state_);
}

void Player::restoreDc(const Record& r) {
    const int which = r.s16(0);
    const qsizetype depth = qsizetype(saved_.size());
    // Negative: that many levels back; positive: that level, counted from the first.
    const qsizetype to = which < 0 ? depth + which : which - 1;
    if (which == 0 || to < 0 || to >= depth)
        return;
    state_ = saved_[size_t(to)];
    saved_.resize(size_t(to));
    applyClip();
    updateTransform();
}

void Player::setBkMode(const Record& r) {
    state_.bkOpaque = r.u16(0) == 2;
}

void Player::setBkColor(const Record& r) {
    state_.bkColor = colorRef(r.u32(0), state_.palette);
}

void Player::setTextColor(const Record& r) {
    state_.textColor = colorRef(r.u32(0), state_.palette);
}

void Player::setTextAlign(const Record& r) {
    state_.textAlign = r.u16(0);
}

void Player::setTextCharExtra(const Record& r) {
    state_.charExtra = r.s16(0);
}

void Player::setTextJustification(const Record& r) {
    state_.breaks = r.s16(0);
    state_.breakExtra = r.s16(1);
}

void Player::setPolyFillMode(const Record& r) {
    state_.winding = r.u16(0) == 2;
}

void Player::setRop2(const Record& r) {
    state_.rop2 = r.u16(0);
}

void Player::moveTo(const Record& r) {
    state_.position = point(r, 0);
}

void Player::noteDrawn(const QRectF& pixels) {
    if (!drewYet_) {
        drewYet_ = true;
        if (windowExtSet_ && !viewportSet_)
            firstWindow_ =
                QRectF(state_.windowOrg, QSizeF(state_.windowExt.x(), state_.windowExt.y()));
    }
    if (pixels.isValid())
        drawn_ = drawn_.isNull() ? pixels : drawn_.united(pixels);
}

} // namespace wmf
