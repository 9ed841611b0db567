#include "decoders/EmfPlayer.h"

#include <array>

// Which function plays which record: one row per record type the player follows. A type
// without a row is passed over: the header and the end, which the walk reads itself,
// parallelograms (EMR_PLGBLT, drawn by none of the writers seen), and every record that changes
// nothing the player draws.
namespace emf {

struct RecordTable {
    struct Row {
        emr::Type type;
        Player::Handler handler;
    };

    static constexpr Row rows[] = {
        // Map modes, transforms, settings, save and restore.
        {emr::setWindowExtEx, &Player::setWindowExtEx},
        {emr::setWindowOrgEx, &Player::setWindowOrgEx},
        {emr::setViewportExtEx, &Player::setViewportExtEx},
        {emr::setViewportOrgEx, &Player::setViewportOrgEx},
        {emr::scaleViewportExtEx, &Player::scaleExtent},
        {emr::scaleWindowExtEx, &Player::scaleExtent},
        {emr::setMapMode, &Player::setMapMode},
        {emr::setBkMode, &Player::setBkMode},
        {emr::setPolyFillMode, &Player::setPolyFillMode},
        {emr::setRop2, &Player::setRop2},
        {emr::setTextAlign, &Player::setTextAlign},
        {emr::setTextJustification, &Player::setTextJustification},
        {emr::setTextColor, &Player::setTextColor},
        {emr::setBkColor, &Player::setBkColor},
        {emr::moveToEx, &Player::moveToEx},
        {emr::saveDc, &Player::saveDc},
        {emr::restoreDc, &Player::restoreDc},
        {emr::setWorldTransform, &Player::setWorldTransform},
        {emr::modifyWorldTransform, &Player::modifyWorldTransform},
        {emr::setArcDirection, &Player::setArcDirection},
        {emr::setMiterLimit, &Player::setMiterLimit},
        // Objects.
        {emr::createPen, &Player::createPen},
        {emr::extCreatePen, &Player::extCreatePen},
        {emr::createBrushIndirect, &Player::createBrushIndirect},
        {emr::createMonoBrush, &Player::createPatternBrush},
        {emr::createDibPatternBrushPt, &Player::createPatternBrush},
        {emr::extCreateFontIndirectW, &Player::extCreateFontIndirectW},
        {emr::createPalette, &Player::createPalette},
        {emr::selectObject, &Player::selectObject},
        {emr::selectPalette, &Player::selectObject},
        {emr::deleteObject, &Player::deleteObject},
        // Clipping, and regions filled.
        {emr::intersectClipRect, &Player::clipRect},
        {emr::excludeClipRect, &Player::clipRect},
        {emr::offsetClipRgn, &Player::offsetClipRgn},
        {emr::setMetaRgn, &Player::setMetaRgn},
        {emr::selectClipPath, &Player::selectClipPath},
        {emr::extSelectClipRgn, &Player::extSelectClipRgn},
        {emr::fillRgn, &Player::fillRgn},
        {emr::paintRgn, &Player::paintRgn},
        // Lines, curves, figures, paths.
        {emr::polyBezier, &Player::polyShape},
        {emr::polygon, &Player::polyShape},
        {emr::polyline, &Player::polyShape},
        {emr::polyBezier16, &Player::polyShape},
        {emr::polygon16, &Player::polyShape},
        {emr::polyline16, &Player::polyShape},
        {emr::polyBezierTo, &Player::polyTo},
        {emr::polylineTo, &Player::polyTo},
        {emr::polyBezierTo16, &Player::polyTo},
        {emr::polylineTo16, &Player::polyTo},
        {emr::polyPolyline, &Player::polyPolyShape},
        {emr::polyPolygon, &Player::polyPolyShape},
        {emr::polyPolyline16, &Player::polyPolyShape},
        {emr::polyPolygon16, &Player::polyPolyShape},
        {emr::polyDraw, &Player::polyDraw},
        {emr::polyDraw16, &Player::polyDraw},
        {emr::lineTo, &Player::lineTo},
        {emr::rectangle, &Player::rectangle},
        {emr::ellipse, &Player::ellipse},
        {emr::roundRect, &Player::roundRect},
        {emr::arc, &Player::arcShape},
        {emr::chord, &Player::arcShape},
        {emr::pie, &Player::arcShape},
        {emr::arcTo, &Player::arcTo},
        {emr::angleArc, &Player::angleArc},
        {emr::setPixelV, &Player::setPixelV},
        {emr::beginPath, &Player::beginPath},
        {emr::endPath, &Player::endPath},
        {emr::abortPath, &Player::abortPath},
        {emr::closeFigure, &Player::closeFigure},
        {emr::fillPath, &Player::drawPath},
        {emr::strokePath, &Player::drawPath},
        {emr::strokeAndFillPath, &Player::drawPath},
        {emr::flattenPath, &Player::flattenPath},
        {emr::widenPath, &Player::widenPath},
        // Text.
        {emr::extTextOutA, &Player::extTextOut},
        {emr::extTextOutW, &Player::extTextOut},
        {emr::polyTextOutA, &Player::polyTextOut},
        {emr::polyTextOutW, &Player::polyTextOut},
        // Bitmaps and gradients.
        {emr::bitBlt, &Player::blt},
        {emr::stretchBlt, &Player::blt},
        {emr::maskBlt, &Player::blt},
        {emr::alphaBlend, &Player::blt},
        {emr::transparentBlt, &Player::blt},
        {emr::setDiBitsToDevice, &Player::diBits},
        {emr::stretchDiBits, &Player::diBits},
        {emr::gradientFill, &Player::gradientFill},
        // What EMF+ records add.
        {emr::comment, &Player::comment},
    };

    // The rows by type. A type given two rows, or one past the limit, does not compile.
    static constexpr std::array<Player::Handler, emr::typeLimit> byType = [] {
        std::array<Player::Handler, emr::typeLimit> handlers{};
        for (const Row& row : rows) {
            if (row.type >= handlers.size() || handlers[row.type] != nullptr)
                throw "a record type needs one row, below emr::typeLimit";
            handlers[row.type] = row.handler;
        }
        return handlers;
    }();
};

Player::Handler Player::handlerOf(quint32 type) {
    return type < RecordTable::byType.size() ? RecordTable::byType[type] : nullptr;
}

void Player::record(const Record& r) {
    if (const Handler handler = handlerOf(r.type()))
        (this->*handler)(r);
}

} // namespace emf
