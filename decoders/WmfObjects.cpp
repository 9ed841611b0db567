#include "decoders/WmfBitmaps.h"
#include "decoders/WmfState.h"

namespace wmf {

namespace {

constexpr qsizetype maxPaletteEntries = 1024;
constexpr qsizetype maxRegionRects = 65536;

} // namespace

QColor colorRef(quint32 value, const QList<QColor>& palette) {
    if ((value >> 24) == 1) {
        const qsizetype index = value & 0xFFFF;
        return index < palette.size() ? palette[index] : QColor(Qt::black);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

bool readPen(const Record& r, Pen& pen, const QList<QColor>& palette) {
    if (!r.has(5))
        return false;
    pen.style = r.u16(0);
    pen.width = std::abs(r.s16(1));
    pen.color = colorRef(r.u32(3), palette);
    return true;
}

bool readBrush(const Record& r, Brush& brush, const QList<QColor>& palette) {
    if (!r.has(3))
        return false;
    brush.style = r.u16(0);
    brush.color = colorRef(r.u32(1), palette);
    brush.hatch = r.u16(3);
    return true;
}

bool readFont(const Record& r, Font& font) {
    if (!r.has(9))
        return false;
    font.height = r.s16(0);
    font.width = std::abs(r.s16(1));
    font.escapement = r.s16(2);
    font.weight = std::clamp(int(r.s16(4)), 0, 1000);
    font.italic = r.byte(10) != 0;
    font.underline = r.byte(11) != 0;
    font.strikeOut = r.byte(12) != 0;
    font.charset = r.byte(13);
    font.pitchAndFamily = r.byte(17);
    QByteArray face;
    for (qsizetype at = 18; at < 18 + 32 && r.byte(at) != 0; ++at)
        face.append(char(r.byte(at)));
    font.face = QString::fromLatin1(face);
    return true;
}

bool readPalette(const Record& r, QList<QColor>& palette) {
    if (!r.has(2))
        return false;
    const qsizetype count = std::min<qsizetype>(r.u16(1), maxPaletteEntries);
    if (!r.has(2 + 2 * count))
        return false;
    palette.clear();
    palette.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        palette.append(QColor(r.byte(4 + 4 * i), r.byte(5 + 4 * i), r.byte(6 + 4 * i)));
    return true;
}

bool readRegion(const Record& r, Region& region) {
    if (!r.has(11))
        return false;
    const int scans = r.u16(5);
    region.clear();
    qsizetype at = 11;
    for (int s = 0; s < scans; ++s) {
        if (!r.has(at + 3))
            return false;
        const qsizetype count = r.u16(at);
        const int top = r.s16(at + 1);
        const int bottom = r.s16(at + 2);
        if (!r.has(at + 4 + count))
            return false;
        for (qsizetype i = 0; i + 1 < count; i += 2) {
            const int left = r.s16(at + 3 + i);
            const int right = r.s16(at + 4 + i);
            if (right > left && bottom > top && region.size() < maxRegionRects)
                region.append(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
        }
        at += 4 + count;
    }
    if (scans == 0) {
        // An empty region, or one given by its bounds alone.
        const QRect bounds(QPoint(r.s16(7), r.s16(8)), QPoint(r.s16(9) - 1, r.s16(10) - 1));
        if (bounds.isValid())
            region.append(bounds);
    }
    return true;
}

bool readPatternBrush(const Record& r, Brush& brush) {
    brush = Brush{};
    if (r.function() == meta::createPatternBrush) {
        // An old device-dependent bitmap, its pointer field and 18 reserved bytes, then its bits.
        brush.style = Brush::pattern;
        brush.image = bitmap16Image(r, 0, 16);
    } else {
        if (!r.has(2))
            return false;
        brush.style = r.u16(0) == Brush::pattern ? Brush::pattern : Brush::dibPattern;
        brush.image =
            brush.style == Brush::pattern ? bitmap16Image(r, 2, 7) : dibImage(r.bytesFrom(2));
    }
    if (brush.image.isNull())
        brush.style = Brush::solid, brush.color = Qt::gray; // drawn, but without its pattern
    return true;
}

} // namespace wmf
