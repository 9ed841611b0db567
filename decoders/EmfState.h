#pragma once

#include "decoders/EmfRecords.h"

#include <optional>
#include <QBrush>
#include <QColor>
#include <QPainterPath>
#include <QString>
#include <QTransform>
#include <variant>
#include <vector>

// What a device context holds while a metafile plays: its objects and its settings.
namespace emf {

// A colour as the file writes it: red, green, blue in the low three bytes.
inline QColor colorRef(quint32 v) {
    return QColor(int(v & 0xFF), int(v >> 8 & 0xFF), int(v >> 16 & 0xFF));
}

struct Pen {
    bool null = false;
    bool cosmetic = true; // one device pixel wide, whatever the transform
    double width = 0;     // in logical units, for a geometric pen
    QColor colour = Qt::black;
    int dash = 0; // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 7 the writer's, 8 alternate
    std::vector<double> pattern; // the writer's dashes and gaps, in logical units
    Qt::PenCapStyle cap = Qt::RoundCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
};

struct Brush {
    QBrush brush{Qt::white};
    bool hatched = false; // the gaps take the background colour when the background is opaque
};

struct Font {
    double height = 0;     // < 0: the characters' height; > 0: the cell's; 0: a default size
    double width = 0;      // the characters' mean width; 0: the face's own
    double escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    int family = 0; // the kind of face: 0x10 serif, 0x20 sans serif, 0x30 fixed pitch, ...
    QString face;
};

struct Palette {};

using Object = std::variant<std::monostate, Pen, Brush, Font, Palette>;

// Stock objects are named by these indexes with the high bit set.
Object stockObject(quint32 index);

// The pens, brushes and fonts their creating records make: a pen, an extended pen, a brush,
// a monochrome or device-independent pattern brush, a font.
Pen createdPen(const Record& r);
Pen createdExtPen(const Record& r);
Brush createdBrush(const Record& r);
Brush createdPatternBrush(const Record& r);
Font createdFont(const Record& r);

constexpr int mmText = 1, mmIsotropic = 7, mmAnisotropic = 8;
constexpr int rop2Black = 1, rop2Nop = 11, rop2White = 16;

struct Dc {
    int mapMode = mmText;
    QPointF windowOrg, viewportOrg;
    QSizeF windowExt{1, 1}, viewportExt{1, 1};
    QTransform world;
    Pen pen;
    Brush brush;
    Font font;
    QColor textColour = Qt::black, backgroundColour = Qt::white;
    bool opaqueBackground = true;
    quint32 textAlign = 0;
    qint32 breakExtra = 0, breaks = 0; // logical units shared out among that many spaces
    Qt::FillRule fillRule = Qt::OddEvenFill;
    int rop2 = 13;
    double miterLimit = 10;
    bool clockwise = false;
    QPointF position;
    // The clipping region and the meta region, in the reference device's pixels; none means
    // the whole device.
    std::optional<QPainterPath> clip, meta;
};

} // namespace emf
