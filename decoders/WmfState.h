#pragma once

#include "decoders/WmfRecords.h"

#include <optional>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRegion>
#include <QString>
#include <vector>

// The drawing state a metafile changes record by record, as a Windows device context holds it.

namespace wmf {

enum MapMode {
    mmText = 1,
    mmLoMetric,
    mmHiMetric,
    mmLoEnglish,
    mmHiEnglish,
    mmTwips,
    mmIsotropic,
    mmAnisotropic
};

struct Pen {
    int style = 0;    // the line style in the low bits, end caps and joins above
    double width = 0; // logical units; 0 is one pixel whatever the scale
    QColor color = Qt::black;
};

struct Brush {
    enum Style { solid = 0, null = 1, hatched = 2, pattern = 3, dibPattern = 5, dibPatternPt = 6 };
    int style = solid;
    QColor color = Qt::white;
    int hatch = 0;
    QImage image; // a pattern brush's tile
};

struct Font {
    int height = 0; // logical units: negative, the letters' height; positive, the line's
    int width = 0;
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 0;
    int pitchAndFamily = 0;
    QString face;
};

// A region as the rectangles it is made of, in logical units.
using Region = QList<QRect>;

struct Object {
    enum Kind { none, broken, isPen, isBrush, isFont, isPalette, isRegion };
    Kind kind = none;
    Pen pen;
    Brush brush;
    Font font;
    QList<QColor> palette;
    Region region;
};

struct State {
    int mapMode = mmAnisotropic;
    QPointF windowOrg, windowExt{1, 1}, viewportOrg, viewportExt{1, 1};
    Pen pen;
    Brush brush;
    Font font;
    QList<QColor> palette;
    QColor textColor = Qt::black;
    QColor bkColor = Qt::white;
    bool bkOpaque = true;
    int textAlign = 0;
    int charExtra = 0;              // logical units added to every character's advance
    int breakExtra = 0, breaks = 0; // logical units shared out among that many spaces
    bool winding = false;
    int rop2 = 13; // copy the pen
    QPointF position;
    std::optional<QRegion> clip; // in the picture's pixels; none: everything
};

// A colour as the file gives it: red, green, blue and a flag byte, where 1 means the low word
// is an index into the selected palette.
QColor colorRef(quint32 value, const QList<QColor>& palette);

// The objects the creating records describe; false when the record is too short.
bool readPen(const Record& r, Pen& pen, const QList<QColor>& palette);
bool readBrush(const Record& r, Brush& brush, const QList<QColor>& palette);
bool readFont(const Record& r, Font& font);
bool readPalette(const Record& r, QList<QColor>& palette);
bool readRegion(const Record& r, Region& region);
bool readPatternBrush(const Record& r, Brush& brush);

} // namespace wmf
