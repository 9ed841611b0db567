#include "platform/gui/WmfPlayer.h"

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

void Player::record(const Record& r) {
    mapping(r) || settings(r) || objects(r) || clipping(r) || shapes(r) || regions(r) || text(r) ||
        bitmaps(r);
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

bool Player::mapping(const Record& r) {
    State& s = state_;
    const QPointF p(r.s16(1), r.s16(0));
    switch (r.function()) {
    case fn::setMapMode:
        if (r.u16(0) < mmText || r.u16(0) > mmAnisotropic)
            return true; // Windows refuses a mode it does not know
        s.mapMode = r.u16(0);
        break;
    case fn::setWindowOrg:
        s.windowOrg = p;
        break;
    case fn::setWindowExt:
        if (p.x() == 0 || p.y() == 0)
            return true; // Windows refuses an empty extent
        // The extents count only in the two scalable modes.
        if (s.mapMode == mmIsotropic || s.mapMode == mmAnisotropic) {
            s.windowExt = p;
            windowExtSet_ = true;
        }
        break;
    case fn::setViewportOrg:
        s.viewportOrg = p;
        viewportSet_ = true;
        break;
    case fn::setViewportExt:
        if (p.x() == 0 || p.y() == 0)
            return true;
        if (s.mapMode == mmIsotropic || s.mapMode == mmAnisotropic) {
            s.viewportExt = p;
            viewportSet_ = true;
        }
        break;
    case fn::offsetWindowOrg:
        s.windowOrg += p;
        break;
    case fn::offsetViewportOrg:
        s.viewportOrg += p;
        break;
    case fn::scaleWindowExt:
    case fn::scaleViewportExt: {
        // x numerator, x denominator, y numerator, y denominator, stored backwards
        if (r.s16(0) == 0 || r.s16(2) == 0 || r.s16(1) == 0 || r.s16(3) == 0)
            return true;
        QPointF& ext = r.function() == fn::scaleWindowExt ? s.windowExt : s.viewportExt;
        ext = QPointF(ext.x() * r.s16(3) / r.s16(2), ext.y() * r.s16(1) / r.s16(0));
        break;
    }
    case fn::saveDC:
        if (saved_.size() < maxSavedStates)
            saved_.push_back(s);
        return true;
    case fn::restoreDC: {
        const int which = r.s16(0);
        const qsizetype depth = qsizetype(saved_.size());
        // Negative: that many levels back; positive: that level, counted from the first.
        const qsizetype to = which < 0 ? depth + which : which - 1;
        if (which == 0 || to < 0 || to >= depth)
            return true;
        s = saved_[size_t(to)];
        saved_.resize(size_t(to));
        applyClip();
        break;
    }
    default:
        return false;
    }
    updateTransform();
    return true;
}

bool Player::settings(const Record& r) {
    State& s = state_;
    switch (r.function()) {
    case fn::setBkMode:
        s.bkOpaque = r.u16(0) == 2;
        return true;
    case fn::setBkColor:
        s.bkColor = colorRef(r.u32(0), s.palette);
        return true;
    case fn::setTextColor:
        s.textColor = colorRef(r.u32(0), s.palette);
        return true;
    case fn::setTextAlign:
        s.textAlign = r.u16(0);
        return true;
    case fn::setTextCharExtra:
        s.charExtra = r.s16(0);
        return true;
    case fn::setTextJustification:
        s.breaks = r.s16(0);
        s.breakExtra = r.s16(1);
        return true;
    case fn::setPolyFillMode:
        s.winding = r.u16(0) == 2;
        return true;
    case fn::setRop2:
        s.rop2 = r.u16(0);
        return true;
    case fn::moveTo:
        s.position = point(r, 0);
        return true;
    case fn::escape:
    case fn::realizePalette:
    case fn::setPalEntries:
        return true; // nothing to draw
    default:
        return false;
    }
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
