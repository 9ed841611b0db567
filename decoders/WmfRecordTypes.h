#pragma once

#include <QtGlobal>

// The Windows metafile's record functions the player reads, numbered as the files number them
// and named as Microsoft's documentation names them: META_SETWINDOWORG is meta::setWindowOrg.
// The low byte tells the functions apart; the high one is, mostly, how many words of
// parameters the record has.
namespace wmf::meta {

enum Function : quint16 {
    eof = 0x0000,
    saveDc = 0x001E,
    createPalette = 0x00F7,
    setBkMode = 0x0102,
    setMapMode = 0x0103,
    setRop2 = 0x0104,
    setPolyFillMode = 0x0106,
    setTextCharExtra = 0x0108,
    restoreDc = 0x0127,
    invertRegion = 0x012A,
    paintRegion = 0x012B,
    selectClipRegion = 0x012C,
    selectObject = 0x012D,
    setTextAlign = 0x012E,
    dibCreatePatternBrush = 0x0142,
    deleteObject = 0x01F0,
    createPatternBrush = 0x01F9,
    setBkColor = 0x0201,
    setTextColor = 0x0209,
    setTextJustification = 0x020A,
    setWindowOrg = 0x020B,
    setWindowExt = 0x020C,
    setViewportOrg = 0x020D,
    setViewportExt = 0x020E,
    offsetWindowOrg = 0x020F,
    offsetViewportOrg = 0x0211,
    lineTo = 0x0213,
    moveTo = 0x0214,
    offsetClipRgn = 0x0220,
    fillRegion = 0x0228,
    selectPalette = 0x0234,
    createPenIndirect = 0x02FA,
    createFontIndirect = 0x02FB,
    createBrushIndirect = 0x02FC,
    polygon = 0x0324,
    polyline = 0x0325,
    scaleWindowExt = 0x0410,
    scaleViewportExt = 0x0412,
    excludeClipRect = 0x0415,
    intersectClipRect = 0x0416,
    ellipse = 0x0418,
    rectangle = 0x041B,
    setPixel = 0x041F,
    frameRegion = 0x0429,
    textOut = 0x0521,
    polyPolygon = 0x0538,
    roundRect = 0x061C,
    patBlt = 0x061D,
    escape = 0x0626,
    createRegion = 0x06FF,
    arc = 0x0817,
    pie = 0x081A,
    chord = 0x0830,
    bitBlt = 0x0922,
    dibBitBlt = 0x0940,
    extTextOut = 0x0A32,
    stretchBlt = 0x0B23,
    dibStretchBlt = 0x0B41,
    setDibToDev = 0x0D33,
    stretchDib = 0x0F43,
};

} // namespace wmf::meta
