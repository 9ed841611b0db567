#include "decoders/MetafileDecoder.h"
#include "MetafileFiles.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <QPainter>

// Enhanced metafiles written record by record for how areas are filled: gradients, bitmaps
// with their own opacity, see-through fills that EMF+ describes, paths of curves, the clip and
// the fill rules. The drawing is 192 x 96 device pixels, drawn at that size.
using namespace metafiles;

namespace {

enum {
    moveToEx = 27,
    setPolyFillMode = 19,
    excludeClipRect = 29,
    intersectClipRect = 30,
    saveDc = 33,
    restoreDc = 34,
    createPen = 38,
    selectObject = 37,
    lineTo = 54,
    beginPath = 59,
    endPath = 60,
    closeFigure = 61,
    fillPath = 62,
    strokeAndFillPath = 63,
    selectClipPath = 67,
    gdiComment = 70,
    polyBezierTo16 = 88,
    polyPolygon16 = 91,
    gradientFill = 118,
};

QByteArray rec(int type, std::initializer_list<qint64> values, const QByteArray& tail = {}) {
    QByteArray r;
    emfRecord(r, type, values, tail);
    return r;
}

QImage drawn(const QByteArray& records) {
    return decodeMetafile(emfFile({0, 0, 5080, 2540}, {0, 0, 192, 96}, records), MetafileKind::Emf,
                          [](QSize natural) { return natural; })
        .image;
}

// Premultiplied, as the picture holds it.
bool near(QRgb a, QRgb b, int tolerance = 3) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance &&
           std::abs(qAlpha(a) - qAlpha(b)) <= tolerance;
}

std::string hex(QRgb v) {
    return QString::number(v, 16).rightJustified(8, u'0').toStdString();
}

struct Probe {
    QPoint at;
    QRgb expected; // premultiplied; 0 is nothing drawn
};

void expectProbes(const QImage& image, std::initializer_list<Probe> probes, int tolerance = 3) {
    ASSERT_EQ(image.size(), QSize(192, 96));
    for (const Probe& p : probes)
        EXPECT_TRUE(near(image.pixel(p.at), p.expected, tolerance))
            << p.at.x() << "," << p.at.y() << ": " << hex(image.pixel(p.at)) << " instead of "
            << hex(p.expected);
}

QByteArray words(std::initializer_list<qint64> values) {
    QByteArray out;
    for (qint64 v : values)
        for (int i = 0; i < 4; ++i)
            out.append(char(v >> (8 * i) & 0xFF));
    return out;
}

// Gradient vertices: where, and their colours in 16 bits a channel.
QByteArray vertices(std::initializer_list<std::pair<QPoint, QColor>> list) {
    QByteArray out;
    for (const auto& [at, c] : list)
        out += words({at.x(), at.y(), c.red() << 8 | qint64(c.green() << 8) << 16, c.blue() << 8});
    return out;
}

const QRgb red = 0xFFFF0000, green = 0xFF00FF00, blue = 0xFF0000FF, nothing = 0;

} // namespace

// Rectangles shade across or down from one corner's colour to the other's; a triangle shades
// between its three corners' colours, and is nothing outside.
TEST(EmfAreas, shadeGradientRectanglesAndTriangles) {
    const QByteArray down =
        rec(gradientFill, {0, 0, 0, 0, 2, 1, 1},
            vertices({{{0, 0}, Qt::red}, {{192, 96}, Qt::blue}}) + words({0, 1}));
    expectProbes(drawn(down),
                 {{{96, 1}, 0xFFFD0001}, {{10, 48}, 0xFF800080}, {{96, 94}, 0xFF0300FC}}, 4);

    const QByteArray triangle =
        rec(gradientFill, {0, 0, 0, 0, 3, 1, 2},
            vertices({{{0, 0}, Qt::red}, {{192, 0}, Qt::green}, {{0, 96}, Qt::blue}}) +
                words({0, 1, 2}));
    expectProbes(drawn(triangle),
                 {{{2, 2}, red},
                  {{186, 1}, green},
                  {{1, 92}, blue},
                  {{64, 32}, 0xFF555555}, // the middle: a third of each
                  {{96, 1}, 0xFF7F7F00},  // half-way along the top edge: red and green
                  {{160, 80}, nothing}},
                 12);
}

// ALPHABLEND draws the bitmap by its pixels' own opacity times the record's.
TEST(EmfAreas, blendBitmapsByTheirPixelsOpacityAndTheirOwn) {
    QImage bitmap(2, 1, QImage::Format_ARGB32);
    bitmap.setPixel(0, 0, qRgba(255, 0, 0, 128)); // half see-through red
    bitmap.setPixel(1, 0, qRgba(0, 0, 255, 255)); // opaque blue
    const QByteArray records =
        emfSolidBrush(Qt::green) + emfBox({0, 0, 192, 96}) +
        emfBlt(114, {0, 0, 192, 96}, 128 << 16 | 1 << 24, dib32(bitmap), bitmap.size());
    // A quarter of red over green; half of blue over green.
    expectProbes(drawn(records), {{{30, 48}, 0xFF40BF00}, {{162, 48}, 0xFF008080}}, 4);
}

namespace {

// A comment of EMF+ records.
QByteArray plus(const QByteArray& records) {
    const QByteArray data = words({0x2B464D45}) + records;
    return rec(gdiComment, {data.size()}, data);
}

// EMF+ FillPolygon with a solid colour (a triangle; the player draws the ordinary records
// that follow instead), and GetDC.
QByteArray plusFill(QRgb argb) {
    const QByteArray points =
        words({0, 0, std::bit_cast<quint32>(10.0f), 0, 0, std::bit_cast<quint32>(10.0f)});
    return words({0x8000 << 16 | 0x400C, 12 + 8 + points.size(), 8 + points.size(), argb, 3}) +
           points;
}
QByteArray plusGetDc() {
    return words({0x4004, 12, 0});
}

} // namespace

// Beside an EMF+ fill of a see-through colour, the writer fills the same shape with that colour
// opaque for readers of ordinary records: it is drawn as see-through as the EMF+ colour says,
// until the next EMF+ record; a fill of another colour keeps its own.
TEST(EmfAreas, lendTheOpacityOfAnEmfPlusFillToTheFillThatFollowsIt) {
    const QByteArray records = plus(plusFill(0x80FF0000)) + emfSolidBrush(Qt::red) +
                               emfBox({0, 0, 64, 48}) + emfSolidBrush(Qt::blue, 2) +
                               emfBox({0, 48, 64, 48}) + plus(plusGetDc()) +
                               emfSolidBrush(Qt::red, 3) + emfBox({64, 0, 64, 96});
    expectProbes(drawn(records),
                 {{{32, 24}, 0x80800000}, {{32, 72}, blue}, {{96, 48}, red}, {{160, 48}, nothing}});
}

namespace {

// A circle of radius 40 round (96, 48) as four curves, into the open path.
QByteArray circle() {
    const double k = 40 * 0.5523;
    const double c[][2] = {{136, 48 + k}, {96 + k, 88}, {96, 88},      {96 - k, 88},
                           {56, 48 + k},  {56, 48},     {56, 48 - k},  {96 - k, 8},
                           {96, 8},       {96 + k, 8},  {136, 48 - k}, {136, 48}};
    QByteArray points;
    for (const auto& p : c)
        points += words({qint64(std::lround(p[0])) | qint64(std::lround(p[1])) << 16});
    return rec(moveToEx, {136, 48}) + rec(polyBezierTo16, {56, 8, 136, 88, 12}, points) +
           rec(closeFigure, {});
}

const QPoint inside(96, 48), outsideTheCurve(126, 78), corner(60, 12), farAway(170, 48);

} // namespace

// Paths: curves filled as curves (not as the polygon of their control points), outlined and
// filled at once, and taken as the clip.
TEST(EmfAreas, fillStrokeAndClipByPathsOfCurves) {
    const QByteArray path = rec(beginPath, {}) + circle() + rec(endPath, {});
    expectProbes(
        drawn(emfSolidBrush(Qt::red) + path + rec(fillPath, {56, 8, 136, 88})),
        {{inside, red}, {outsideTheCurve, nothing}, {corner, nothing}, {farAway, nothing}});

    const QByteArray thickBlue =
        rec(createPen, {2, 0, 8, 0, colorRef(Qt::blue)}) + rec(selectObject, {2});
    expectProbes(
        drawn(emfSolidBrush(Qt::red) + thickBlue + path + rec(strokeAndFillPath, {56, 8, 136, 88})),
        {{inside, red}, {{136, 48}, blue}, {{96, 9}, blue}, {farAway, nothing}});

    expectProbes(
        drawn(path + rec(selectClipPath, {5}) + emfSolidBrush(Qt::red) + emfBox({0, 0, 192, 96})),
        {{inside, red}, {outsideTheCurve, nothing}, {corner, nothing}, {farAway, nothing}});
}

// Two squares one inside the other, both the same way round: the winding rule fills the inner
// one, the alternate rule leaves it empty; and so they clip.
TEST(EmfAreas, fillOverlappingFiguresByTheFillMode) {
    const auto square = [](int l, int t, int r, int b) {
        return words({l | t << 16, r | t << 16, r | b << 16, l | b << 16});
    };
    const QByteArray squares = rec(polyPolygon16, {8, 8, 184, 88, 2, 8, 4, 4},
                                   square(8, 8, 184, 88) + square(64, 24, 128, 72));
    for (const int mode : {1, 2}) {
        SCOPED_TRACE(mode == 1 ? "alternate" : "winding");
        expectProbes(drawn(rec(setPolyFillMode, {mode}) + emfSolidBrush(Qt::red) + squares),
                     {{{20, 48}, red}, {{96, 48}, mode == 2 ? red : nothing}});
        // The same squares as a clip path: its inside as the fill mode says.
        expectProbes(drawn(rec(setPolyFillMode, {mode}) + rec(beginPath, {}) + squares +
                           rec(endPath, {}) + rec(selectClipPath, {5}) + emfSolidBrush(Qt::red) +
                           emfBox({0, 0, 192, 96})),
                     {{{20, 48}, red}, {{96, 48}, mode == 2 ? red : nothing}, {{2, 2}, nothing}});
    }
}

// Clips narrowed inside saved states come back as they were when the states are restored,
// one level back or to the first saved.
TEST(EmfAreas, restoreTheClipOfEachSavedState) {
    const QByteArray records =
        rec(intersectClipRect, {0, 0, 144, 96}) + rec(saveDc, {}) +
        rec(intersectClipRect, {48, 0, 144, 96}) + rec(saveDc, {}) +
        rec(excludeClipRect, {48, 0, 96, 96}) + emfSolidBrush(Qt::red) + emfBox({0, 0, 192, 96}) +
        rec(restoreDc, {-1}) + emfSolidBrush(Qt::blue, 2) + emfBox({0, 0, 192, 48}) +
        rec(restoreDc, {1}) + emfSolidBrush(Qt::green, 3) + emfBox({0, 48, 192, 48});
    expectProbes(drawn(records), {{{24, 24}, nothing},
                                  {{72, 24}, blue},
                                  {{120, 24}, blue},
                                  {{168, 24}, nothing},
                                  {{24, 72}, green},
                                  {{120, 72}, green},
                                  {{168, 72}, nothing}});
    // Between the two restores, only the innermost clip's red was drawn where blue is not.
    expectProbes(drawn(records.left(records.indexOf(rec(restoreDc, {-1}))) + rec(restoreDc, {-1})),
                 {{{72, 72}, nothing}, {{120, 72}, red}});
}
