#include "decoders/EmfPlayer.h"

#include <cmath>

// How lines and fills look: the selected pen and brush as Qt's, and the one place where a
// figure is filled and outlined (or added to the open path).
namespace emf {

namespace {

// The widest line Qt draws (in pixels or logical units), wider than any picture.
constexpr double maxPenPixels = 32767;

// The pen's dashes and gaps as multiples of its width, or none for a solid line.
QList<qreal> dashesOf(const Pen& p) {
    QList<qreal> dashes;
    switch (p.dash) {
    case 1:
        dashes = {6, 2};
        break;
    case 2:
    case 8:
        dashes = {1, 1};
        break;
    case 3:
        dashes = {3, 2, 1, 2};
        break;
    case 4:
        dashes = {3, 1, 1, 1, 1, 1};
        break;
    case 7: {
        // The writer's lengths, in logical units (device pixels for a cosmetic pen), as
        // multiples of the width; an odd count repeats once to pair dashes with gaps.
        const double unit = p.cosmetic ? 1 : std::max(p.width, 1e-6);
        double total = 0;
        for (double d : p.pattern) {
            dashes.append(d / unit);
            total += d / unit;
        }
        if (dashes.size() % 2)
            dashes += dashes;
        if (total < 0.5) // too fine to be dashes: a solid line, not millions of pieces
            dashes.clear();
        break;
    }
    }
    if (p.dash == 1 || p.dash == 3 || p.dash == 4) // cosmetic dashes are longer
        for (qreal& d : dashes)
            d *= p.cosmetic ? 3 : 1;
    return dashes;
}

} // namespace

QPen Player::pen() const {
    const Pen& p = dc_.pen;
    if (p.null || drawsNothing())
        return Qt::NoPen;
    QColor colour = p.colour;
    if (dc_.rop2 == rop2Black)
        colour = Qt::black;
    else if (dc_.rop2 == rop2White)
        colour = Qt::white;
    QPen out(colour);
    double width = p.width; // in logical units; the painter scales it
    const double deviceWidth = width * std::sqrt(std::abs(toDevice().determinant()));
    if (p.cosmetic || !(deviceWidth >= 1)) {
        // One pixel of the reference device, however large the picture is drawn: a line is
        // never thinner.
        out.setCosmetic(true);
        width = std::clamp(deviceScale_, 1.0, maxPenPixels);
    } else if (width > maxPenPixels) {
        // Qt refuses such widths: the line in the picture's pixels instead.
        out.setCosmetic(true);
        width = std::clamp(deviceWidth * deviceScale_, 1.0, maxPenPixels);
    }
    out.setWidthF(width);
    out.setCapStyle(p.cap);
    out.setJoinStyle(p.join);
    // The file's limit is the miter's length over the line's width; Qt measures from the join.
    out.setMiterLimit(dc_.miterLimit / 2);
    const QList<qreal> dashes = dashesOf(p);
    if (!dashes.isEmpty())
        out.setDashPattern(dashes);
    return out;
}

QBrush Player::brush() const {
    if (drawsNothing())
        return Qt::NoBrush;
    if (dc_.rop2 == rop2Black)
        return Qt::black;
    if (dc_.rop2 == rop2White)
        return Qt::white;
    return dc_.brush.brush;
}

void Player::fillAndStroke(const QPainterPath& p, bool fill, bool stroke) {
    if (!painting(p.controlPointRect()))
        return;
    useLogical();
    QPainterPath filled = p;
    filled.setFillRule(dc_.fillRule);
    if (fill && dc_.brush.brush.style() != Qt::NoBrush) {
        const bool opaqueHatch = dc_.brush.hatched && dc_.opaqueBackground;
        painter_->setBackgroundMode(opaqueHatch ? Qt::OpaqueMode : Qt::TransparentMode);
        painter_->setBackground(dc_.backgroundColour);
        QBrush fillBrush = brush();
        // The writer's fallback for a see-through fill: its colour, with the opacity that
        // the EMF+ record before it gave.
        if (plusFill_ && fillBrush.style() == Qt::SolidPattern &&
            fillBrush.color().rgb() == plusFill_->rgb())
            fillBrush.setColor(*plusFill_);
        painter_->fillPath(filled, fillBrush);
        painter_->setBackgroundMode(Qt::TransparentMode);
    }
    if (stroke) {
        const QPen qpen = pen();
        if (qpen.style() != Qt::NoPen)
            painter_->strokePath(filled, qpen);
    }
}

QPainterPath& Player::pathToExtend() {
    if (path_.elementCount() == 0 || path_.currentPosition() != dc_.position)
        path_.moveTo(dc_.position);
    return path_;
}

void Player::figure(const QPainterPath& p, bool fill, bool stroke) {
    if (inPath_)
        path_.addPath(p);
    else
        fillAndStroke(p, fill, stroke);
}

void Player::lineOn(const QPainterPath& p) {
    dc_.position = p.currentPosition();
    if (inPath_)
        path_.connectPath(p);
    else
        fillAndStroke(p, false, true);
}

} // namespace emf
