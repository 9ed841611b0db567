#include "decoders/WmfPlayer.h"

#include <array>

// Which function plays which record: one row per record function the player follows. A
// function without a row is passed over: the end, which the walk reads itself, escapes (the
// EMF a file carries in them is read before the records are played), the palette's entries
// and its realization, and every record that changes nothing the player draws.
namespace wmf {

struct RecordTable {
    struct Row {
        meta::Function function;
        Player::Handler handler; // none in the empty rows between
    };

    static constexpr Row rows[] = {
        // The mapping, saved states and settings.
        {meta::setMapMode, &Player::setMapMode},
        {meta::setWindowOrg, &Player::setWindowOrg},
        {meta::setWindowExt, &Player::setWindowExt},
        {meta::setViewportOrg, &Player::setViewportOrg},
        {meta::setViewportExt, &Player::setViewportExt},
        {meta::offsetWindowOrg, &Player::offsetWindowOrg},
        {meta::offsetViewportOrg, &Player::offsetViewportOrg},
        {meta::scaleWindowExt, &Player::scaleExtent},
        {meta::scaleViewportExt, &Player::scaleExtent},
        {meta::saveDc, &Player::saveDc},
        {meta::restoreDc, &Player::restoreDc},
        {meta::setBkMode, &Player::setBkMode},
        {meta::setBkColor, &Player::setBkColor},
        {meta::setTextColor, &Player::setTextColor},
        {meta::setTextAlign, &Player::setTextAlign},
        {meta::setTextCharExtra, &Player::setTextCharExtra},
        {meta::setTextJustification, &Player::setTextJustification},
        {meta::setPolyFillMode, &Player::setPolyFillMode},
        {meta::setRop2, &Player::setRop2},
        {meta::moveTo, &Player::moveTo},
        // The object table.
        {meta::createPenIndirect, &Player::createPenIndirect},
        {meta::createBrushIndirect, &Player::createBrushIndirect},
        {meta::dibCreatePatternBrush, &Player::createPatternBrush},
        {meta::createPatternBrush, &Player::createPatternBrush},
        {meta::createFontIndirect, &Player::createFontIndirect},
        {meta::createPalette, &Player::createPalette},
        {meta::createRegion, &Player::createRegion},
        {meta::selectObject, &Player::selectObject},
        {meta::selectPalette, &Player::selectPalette},
        {meta::deleteObject, &Player::deleteObject},
        // Clipping.
        {meta::intersectClipRect, &Player::clipRect},
        {meta::excludeClipRect, &Player::clipRect},
        {meta::offsetClipRgn, &Player::offsetClipRgn},
        {meta::selectClipRegion, &Player::selectClipRegion},
        // Lines and shapes.
        {meta::lineTo, &Player::lineTo},
        {meta::polyline, &Player::polyShape},
        {meta::polygon, &Player::polyShape},
        {meta::polyPolygon, &Player::polyPolygon},
        {meta::setPixel, &Player::setPixel},
        {meta::rectangle, &Player::rectangle},
        {meta::ellipse, &Player::ellipse},
        {meta::roundRect, &Player::roundRect},
        {meta::arc, &Player::arcShape},
        {meta::pie, &Player::arcShape},
        {meta::chord, &Player::arcShape},
        // Regions.
        {meta::fillRegion, &Player::fillRegion},
        {meta::paintRegion, &Player::paintRegion},
        {meta::frameRegion, &Player::frameRegion},
        {meta::invertRegion, &Player::invertRegion},
        // Text.
        {meta::textOut, &Player::textOut},
        {meta::extTextOut, &Player::extTextOut},
        // Bitmaps.
        {meta::patBlt, &Player::patBlt},
        {meta::bitBlt, &Player::blt},
        {meta::dibBitBlt, &Player::blt},
        {meta::stretchBlt, &Player::blt},
        {meta::dibStretchBlt, &Player::blt},
        {meta::setDibToDev, &Player::diBits},
        {meta::stretchDib, &Player::diBits},
    };

    // The rows by their function's low byte, which tells the functions apart. Two rows on one
    // low byte do not compile.
    static constexpr std::array<Row, 256> byLowByte = [] {
        std::array<Row, 256> table{};
        for (const Row& row : rows) {
            if (table[row.function & 0xFF].handler != nullptr)
                throw "two record functions on one low byte";
            table[row.function & 0xFF] = row;
        }
        return table;
    }();
};

Player::Handler Player::handlerOf(quint16 function) {
    const RecordTable::Row& row = RecordTable::byLowByte[function & 0xFF];
    return row.function == function ? row.handler : nullptr;
}

void Player::record(const Record& r) {
    if (const Handler handler = handlerOf(r.function()))
        (this->*handler)(r);
}

} // namespace wmf
