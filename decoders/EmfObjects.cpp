#include "decoders/EmfState.h"

namespace emf {

namespace {

Brush solid(QColor c) {
    return {QBrush(c), false};
}

Pen stockPen(QColor c) {
    Pen p;
    p.colour = c;
    return p;
}

Qt::BrushStyle hatchStyle(quint32 hatch) {
    switch (hatch) {
    case 0:
        return Qt::HorPattern;
    case 1:
        return Qt::VerPattern;
    case 2: // down from left to right
        return Qt::FDiagPattern;
    case 3: // up from left to right
        return Qt::BDiagPattern;
    case 4:
        return Qt::CrossPattern;
    default:
        return Qt::DiagCrossPattern;
    }
}

Brush logBrush(quint32 style, quint32 colour, quint32 hatch) {
    switch (style) {
    case 1: // null
        return {QBrush(Qt::NoBrush), false};
    case 2:
        return {QBrush(colorRef(colour), hatchStyle(hatch)), true};
    default: // solid, and patterns the record cannot carry
        return solid(colorRef(colour));
    }
}

Pen pen(quint32 style, double width, quint32 colour, bool geometric) {
    Pen p;
    p.colour = colorRef(colour);
    p.dash = int(style & 0x0F);
    p.null = p.dash == 5;
    if (p.dash == 6) // inside the frame: drawn as solid
        p.dash = 0;
    p.cosmetic = !geometric || width <= 0;
    p.width = std::abs(width);
    return p;
}

} // namespace

Pen createdPen(const Record& r) {
    return pen(r.u32(12), r.s32(16), r.u32(24), r.s32(16) > 0);
}

Pen createdExtPen(const Record& r) {
    const quint32 style = r.u32(28);
    const bool geometric = (style & 0xF0000) == 0x10000;
    Pen p = pen(style, r.u32(32), r.u32(40), geometric);
    if (r.u32(36) == 1) // a null brush draws nothing
        p.null = true;
    switch (style & 0xF00) {
    case 0x100:
        p.cap = Qt::SquareCap;
        break;
    case 0x200:
        p.cap = Qt::FlatCap;
        break;
    default:
        p.cap = Qt::RoundCap;
    }
    switch (style & 0xF000) {
    case 0x1000:
        p.join = Qt::BevelJoin;
        break;
    case 0x2000:
        p.join = Qt::MiterJoin;
        break;
    default:
        p.join = Qt::RoundJoin;
    }
    const quint32 entries = std::min<quint32>(r.u32(48), 64);
    if (p.dash == 7 && r.fits(52, quint64(entries) * 4))
        for (quint32 i = 0; i < entries; ++i)
            p.pattern.push_back(r.u32(52 + 4 * i));
    return p;
}

Font createdFont(const Record& r) {
    Font f;
    f.height = r.s32(12);
    f.width = std::abs(double(r.s32(16)));
    f.escapement = r.s32(20);
    f.weight = r.s32(28);
    f.italic = r.fits(32, 1) && r.data()[32] != 0;
    f.underline = r.fits(33, 1) && r.data()[33] != 0;
    f.strikeOut = r.fits(34, 1) && r.data()[34] != 0;
    f.family = r.fits(39, 1) ? r.data()[39] & 0xF0 : 0;
    f.face = r.text(40, 32, true);
    f.face.truncate(f.face.indexOf(QChar(0)) < 0 ? f.face.size() : f.face.indexOf(QChar(0)));
    return f;
}

Brush createdPatternBrush(const Record& r) {
    const QImage image = r.bitmap(r.u32(16), r.u32(20), r.u32(24), r.u32(28));
    if (image.isNull())
        return solid(Qt::gray);
    return {QBrush(image), false};
}

Brush createdBrush(const Record& r) {
    return logBrush(r.u32(12), r.u32(16), r.u32(20));
}

Object stockObject(quint32 index) {
    switch (index) {
    case 0:
        return solid(Qt::white);
    case 1:
        return solid(QColor(0xC0, 0xC0, 0xC0));
    case 2:
        return solid(QColor(0x80, 0x80, 0x80));
    case 3:
        return solid(QColor(0x40, 0x40, 0x40));
    case 4:
        return solid(Qt::black);
    case 5:
        return Brush{QBrush(Qt::NoBrush), false};
    case 6:
        return stockPen(Qt::white);
    case 7:
        return stockPen(Qt::black);
    case 8: {
        Pen p;
        p.null = true;
        return p;
    }
    case 15:
        return Palette{};
    case 18:
        return solid(Qt::white); // the device context's brush
    case 19:
        return stockPen(Qt::black); // the device context's pen
    default:
        if (index >= 10 && index <= 17)
            return Font{};
        return std::monostate{};
    }
}

} // namespace emf
