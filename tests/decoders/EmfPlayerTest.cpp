#include "decoders/MetafileDecoder.h"
#include "MetafileFiles.h"

#include <bit>
#include <gtest/gtest.h>
#include <QBuffer>
#include <vector>

// Enhanced metafiles written record by record, each for one thing a writer relies on, drawn on
// a frame of 2 x 1 inches: 192 x 96 pixels at 96 dots per inch.
using namespace metafiles;

namespace {

const QRect frame2x1(0, 0, 5080, 2540); // hundredths of a millimetre
const QRect bounds2x1(0, 0, 192, 96);

// Record types.
enum {
    polyline16 = 87,
    setWindowExtEx = 9,
    setWindowOrgEx = 10,
    setViewportExtEx = 11,
    setViewportOrgEx = 12,
    setMapMode = 17,
    setBkMode = 18,
    setTextAlign = 22,
    setTextColor = 24,
    setBkColor = 25,
    excludeClipRect = 29,
    intersectClipRect = 30,
    saveDc = 33,
    restoreDc = 34,
    setWorldTransform = 35,
    selectObject = 37,
    createBrushIndirect = 39,
    rectangle = 43,
    fillRgn = 71,
    extSelectClipRgn = 75,
    stretchDiBits = 81,
    extCreateFontIndirectW = 82,
    extTextOutW = 84,
    createDibPatternBrushPt = 94,
    extCreatePen = 95,
    polyPolygon16 = 91,
    alphaBlend = 114,
    gradientFill = 118,
};

qint64 bits(float f) {
    return std::bit_cast<quint32>(f);
}

QByteArray rec(int type, std::initializer_list<qint64> values, const QByteArray& tail = {}) {
    QByteArray r;
    emfRecord(r, type, values, tail);
    return r;
}

QByteArray words(std::initializer_list<qint64> values) {
    QByteArray out;
    for (qint64 v : values)
        for (int i = 0; i < 4; ++i)
            out.append(char(v >> (8 * i) & 0xFF));
    return out;
}

// Records that select a solid brush of `colour` (object 1) and the null pen.
QByteArray solidBrush(QColor colour, int index = 1) {
    return rec(createBrushIndirect, {index, 0, colorRef(colour), 0}) + rec(selectObject, {index}) +
           rec(selectObject, {0x80000008}); // the null pen
}

QByteArray box(QRect b) {
    return rec(rectangle, {b.left(), b.top(), b.right() + 1, b.bottom() + 1});
}

DecodedPicture drawn(const QByteArray& records, QRect frame = frame2x1, QRect bounds = bounds2x1) {
    return decodeMetafile(emfFile(frame, bounds, records), MetafileKind::Emf,
                          [](QSize natural) { return natural; });
}

// Where a probe looks and what it expects there; transparent means nothing is drawn.
struct Probe {
    QPoint at;
    QColor colour;
};

struct Case {
    const char* name;
    QByteArray records;
    std::vector<Probe> probes;
};

bool near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 &&
           std::abs(a.blue() - b.blue()) <= 8 && std::abs(a.alpha() - b.alpha()) <= 8;
}

// A 2 x 2 bitmap: red, green on top; blue, white below.
QImage quadrants() {
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(0, 1, qRgb(0, 0, 255));
    image.setPixel(1, 1, qRgb(255, 255, 255));
    return image;
}

// `image` as a bitmap header saying its pixels are a PNG file, then that file.
QByteArray dibPng(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return words({40, image.width(), image.height(), 1, 5, png.size(), 0, 0, 0, 0}) + png;
}

QByteArray stretched(const QImage& image, QRect target, bool png = false) {
    const QByteArray dib = png ? dibPng(image) : dib24(image);
    return rec(stretchDiBits,
               {0, 0, 0, 0, target.left(), target.top(), 0, 0, image.width(), image.height(), 80,
                40, 120, dib.size() - 40, 0, 0x00CC0020, target.width(), target.height()},
               dib);
}

QByteArray regionData(std::initializer_list<QRect> rects) {
    const qint64 n = qint64(rects.size());
    QByteArray data = words({32, 1, n, 16 * n, 0, 0, 0, 0});
    for (const QRect& b : rects)
        data += words({b.left(), b.top(), b.right() + 1, b.bottom() + 1});
    return data;
}

// A region of rectangles (device pixels) given to the clip with the combining `mode`.
QByteArray region(std::initializer_list<QRect> rects, int mode) {
    const QByteArray data = regionData(rects);
    return rec(extSelectClipRgn, {data.size(), mode}, data);
}

} // namespace

TEST(EmfPlayer, drawsWhereTheMappingAndTheClipPutIt) {
    const QColor red = Qt::red, blue = Qt::blue, none = Qt::transparent;
    const QByteArray redBrush = solidBrush(red), blueBrush = solidBrush(blue, 2);
    const QByteArray whole = box({0, 0, 192, 96});
    const Case cases[] = {
        {"window and viewport extents",
         rec(setMapMode, {8}) + rec(setWindowOrgEx, {1000, 1000}) +
             rec(setWindowExtEx, {2000, 1000}) + rec(setViewportExtEx, {192, 96}) + redBrush +
             box({1000, 1000, 1000, 1000}),
         {{{48, 48}, red}, {{144, 48}, none}}},
        // y grows upwards: the small blue square at the window's top lands at the top.
        {"an extent upside down",
         rec(setMapMode, {8}) + rec(setWindowOrgEx, {1000, 2000}) +
             rec(setWindowExtEx, {2000, -1000}) + rec(setViewportExtEx, {192, 96}) + redBrush +
             box({1000, 1000, 1000, 1000}) + blueBrush + box({1000, 1900, 100, 100}),
         {{{48, 60}, red}, {{3, 3}, blue}, {{3, 92}, red}, {{144, 48}, none}}},
        // The same scale both ways: the smaller, 96 pixels for 100 units.
        {"isotropic",
         rec(setMapMode, {7}) + rec(setWindowExtEx, {100, 100}) + rec(setViewportExtEx, {192, 96}) +
             redBrush + box({0, 0, 100, 100}),
         {{{90, 48}, red}, {{100, 48}, none}}},
        // Tenths of a millimetre, y upwards from the viewport origin at the bottom.
        {"low metric",
         rec(setMapMode, {2}) + rec(setViewportOrgEx, {0, 96}) + redBrush + box({0, 0, 254, 254}),
         {{{48, 48}, red}, {{48, 4}, red}, {{100, 48}, none}}},
        {"world transform",
         rec(setWorldTransform, {bits(2), 0, 0, bits(2), bits(96), 0}) + redBrush +
             box({0, 0, 48, 48}),
         {{{144, 48}, red}, {{48, 48}, none}}},
        {"exact colours",
         solidBrush(QColor(0, 160, 0)) + box({0, 0, 64, 96}) + solidBrush(QColor(200, 0, 0), 2) +
             box({64, 0, 64, 96}) + solidBrush(QColor(12, 34, 56), 3) + box({128, 0, 64, 96}),
         {{{32, 48}, QColor(0, 160, 0)},
          {{96, 48}, QColor(200, 0, 0)},
          {{160, 48}, QColor(12, 34, 56)}}},
        {"a clipping rectangle",
         rec(intersectClipRect, {0, 0, 96, 96}) + blueBrush + whole,
         {{{48, 48}, blue}, {{144, 48}, none}}},
        {"a clipping region",
         region({{0, 0, 48, 96}, {144, 0, 48, 96}}, 5) + blueBrush + whole,
         {{{24, 48}, blue}, {{96, 48}, none}, {{168, 48}, blue}}},
        // Filled with a brush made but never selected: the record names it.
        {"a region filled",
         rec(createBrushIndirect, {3, 0, colorRef(red), 0}) +
             rec(fillRgn, {0, 0, 0, 0, 64, 3}, regionData({{0, 0, 96, 96}})),
         {{{48, 48}, red}, {{144, 48}, none}}},
        {"a clip excluded, then restored away",
         rec(saveDc, {}) + rec(excludeClipRect, {0, 0, 96, 96}) + blueBrush + box({0, 0, 192, 48}) +
             rec(restoreDc, {-1}) + redBrush + box({0, 48, 192, 48}),
         {{{48, 24}, none}, {{144, 24}, blue}, {{48, 72}, red}, {{144, 72}, red}}},
        // Red at the left edge shading to blue at the right.
        {"a gradient",
         rec(gradientFill, {0, 0, 0, 0, 2, 1, 0, 0, 0, 0xFF00, 0, 192, 96, 0, 0xFF00, 0, 1}),
         {{{1, 48}, QColor(253, 0, 1)},
          {{96, 48}, QColor(127, 0, 127)},
          {{190, 48}, QColor(2, 0, 253)}}},
        // The bitmap's rows come bottom first in the file; the picture keeps them upright.
        {"a bitmap",
         stretched(quadrants(), {0, 0, 192, 96}),
         {{{48, 24}, red}, {{144, 24}, Qt::green}, {{48, 72}, blue}, {{144, 72}, Qt::white}}},
        // Its own opacity, premultiplied: half-transparent red over green, then opaque blue.
        {"a bitmap blended",
         solidBrush(Qt::green) + whole +
             rec(alphaBlend, {0, 0,   0,       0,   0, 0,       192, 96, 255 << 16 | 1 << 24,
                              0, 0,   bits(1), 0,   0, bits(1), 0,   0,  0,
                              0, 108, 40,      148, 8, 2,       1},
                 words({40, 2, 1, 1 | 32 << 16, 0, 8, 0, 0, 0, 0, 0x80800000, 0xFF0000FF})),
         {{{48, 48}, QColor(128, 127, 0)}, {{144, 48}, blue}}},
        // A PNG file stands upright whatever the header's height says.
        {"a bitmap held as PNG",
         stretched(quadrants(), {0, 0, 192, 96}, true),
         {{{48, 24}, red}, {{144, 24}, Qt::green}, {{48, 72}, blue}, {{144, 72}, Qt::white}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedPicture p = drawn(c.records);
        ASSERT_TRUE(p.ok());
        ASSERT_EQ(p.image.size(), QSize(192, 96));
        for (const Probe& probe : c.probes) {
            const QColor seen = p.image.pixelColor(probe.at);
            EXPECT_TRUE(near(seen, probe.colour))
                << probe.at.x() << "," << probe.at.y() << ": "
                << seen.name(QColor::HexArgb).toStdString() << " instead of "
                << probe.colour.name(QColor::HexArgb).toStdString();
        }
    }
}

namespace {

// A font (object 1) `height` pixels tall, turned by `escapement` tenths of a degree.
QByteArray fontRecords(int height, int escapement) {
    QByteArray face = QByteArray("D\0e\0j\0a\0V\0u\0 \0S\0a\0n\0s\0", 22);
    face.resize(64, '\0');
    return rec(extCreateFontIndirectW, {1, -height, 0, escapement, escapement, 400, 0, 0}, face) +
           rec(selectObject, {1});
}

QByteArray textRecord(QPoint at, const QString& text, const std::vector<int>& advances = {}) {
    QByteArray chars(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    while (chars.size() % 4)
        chars.append('\0');
    const qint64 dxAt = advances.empty() ? 0 : 76 + chars.size();
    QByteArray tail = chars;
    for (int a : advances)
        tail += words({a});
    return rec(extTextOutW,
               {0, 0, 0, 0, 1, 0, 0, at.x(), at.y(), text.size(), 76, 0, 0, 0, -1, -1, dxAt}, tail);
}

// The box of what is drawn (not transparent).
QRect inked(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).alpha() > 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

// Text stands on its reference point, runs along the escapement, and puts each character where
// the writer's advances say.
TEST(EmfPlayer, setsTextByItsAlignmentEscapementAndAdvances) {
    const QByteArray setup =
        rec(setTextAlign, {24}) + rec(setBkMode, {1}) + rec(setTextColor, {colorRef(Qt::black)});
    struct {
        const char* name;
        QByteArray records;
        QRect within; // where all of the text must lie
        QSize atLeast;
    } cases[] = {
        {"level",
         setup + fontRecords(40, 0) + textRecord({20, 70}, "HHHH"),
         {20, 35, 150, 36},
         {80, 25}},
        {"turned upwards",
         setup + fontRecords(40, 900) + textRecord({96, 90}, "HHHH"),
         {55, 0, 42, 91},
         {25, 80}},
        {"placed by advances",
         setup + fontRecords(40, 0) + textRecord({0, 70}, "HH", {150, 0}),
         {0, 35, 192, 36},
         {170, 25}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedPicture p = drawn(c.records);
        ASSERT_TRUE(p.ok());
        const QRect ink = inked(p.image);
        EXPECT_TRUE(c.within.contains(ink))
            << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
        EXPECT_GE(ink.width(), c.atLeast.width());
        EXPECT_GE(ink.height(), c.atLeast.height());
    }
}

// A hatched brush leaves its gaps to what lies beneath, or to the background colour when the
// background is opaque.
TEST(EmfPlayer, hatchesWithGapsOfTheBackground) {
    const QByteArray hatch = rec(createBrushIndirect, {1, 2, colorRef(Qt::black), 4}) +
                             rec(selectObject, {1}) + rec(selectObject, {0x80000008});
    for (const bool opaque : {false, true}) {
        SCOPED_TRACE(opaque ? "opaque" : "transparent");
        const DecodedPicture p =
            drawn(rec(setBkMode, {opaque ? 2 : 1}) + rec(setBkColor, {colorRef(Qt::green)}) +
                  hatch + box({0, 0, 192, 96}));
        ASSERT_TRUE(p.ok());
        int black = 0, green = 0, clear = 0;
        for (int y = 10; y < 86; ++y)
            for (int x = 10; x < 182; ++x) {
                const QColor c = p.image.pixelColor(x, y);
                black += c.alpha() > 200 && c.red() < 60 && c.green() < 60;
                green += c.alpha() > 200 && c.green() > 200 && c.red() < 60;
                clear += c.alpha() < 30;
            }
        const int all = 76 * 172;
        EXPECT_GT(black, all / 10);
        EXPECT_LT(black, all * 2 / 3);
        EXPECT_EQ(clear > all / 4, !opaque);
        EXPECT_EQ(green > all / 4, opaque);
    }
}

// Where the header's frame is missing, its bounds of the drawing make the picture; a writer
// that gives both in its own logical units (fifteen to a device pixel) puts them far from the
// drawing, and the drawing's own extents make the picture.
TEST(EmfPlayer, takesTheBoundsOrTheDrawingsExtentsWhenTheFrameMissesIt) {
    // A square of 96 device pixels at the device's origin.
    const QByteArray fifteenths = rec(setMapMode, {8}) + rec(setWindowExtEx, {1440, 1440}) +
                                  rec(setViewportExtEx, {96, 96}) + solidBrush(Qt::red) +
                                  box({0, 0, 1440, 1440});
    const struct {
        const char* name;
        QRect frame, bounds;
        QSize natural;
    } cases[] = {
        {"no frame", {0, 0, 0, 0}, {0, 0, 192, 96}, {192, 96}},
        {"frame and bounds in logical units", {0, 0, 38100, 38100}, {0, 0, 1440, 1440}, {96, 96}},
        {"all of them far away", {38100, 38100, 38100, 38100}, {1440, 1440, 1440, 1440}, {96, 96}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedPicture p = drawn(fifteenths, c.frame, c.bounds);
        ASSERT_TRUE(p.ok());
        EXPECT_EQ(p.naturalSize, c.natural);
        EXPECT_TRUE(near(p.image.pixelColor(2, 93), Qt::red));
        EXPECT_TRUE(near(p.image.pixelColor(93, 2), Qt::red));
        EXPECT_EQ(p.image.pixelColor(p.image.width() - 1, 48).alpha(),
                  c.natural.width() == 96 ? 255 : 0);
    }
}

// Records that lie about their counts, sizes and objects are passed over; what follows them is
// still drawn.
TEST(EmfPlayer, passesOverRecordsThatLie) {
    const qint64 huge = 0x7FFFFFFF;
    const QByteArray pen = rec(extCreatePen, {1, 0, 0, 0, 0, 0x10007, 10, 0, 0, 0, huge, 1, 2});
    const std::pair<const char*, QByteArray> cases[] = {
        {"an object past the table", rec(selectObject, {0x7FFFFFF0})},
        {"an unknown stock object", rec(selectObject, {0xFFFFFFFF})},
        {"more points than the record holds", rec(polyline16, {0, 0, 0, 0, huge, 0})},
        {"more polygons than the record holds", rec(polyPolygon16, {0, 0, 0, 0, huge, 4, 1})},
        {"a string past the record",
         rec(extTextOutW, {0, 0, 0, 0, 1, 0, 0, 5, 5, huge, 76, 0, 0, 0, -1, -1, huge})},
        {"a bitmap larger than its bytes",
         rec(stretchDiBits, {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 80, 40, 120, 4, 0, 0xCC0020, 9, 9},
             words({40, 100000, 100000, 1 | 24 << 16, 0, 0, 0, 0, 0, 0, 0}))},
        {"a pattern brush with no bitmap", rec(createDibPatternBrushPt, {1, 0, huge, huge, 8, 8})},
        {"a restore far back", rec(restoreDc, {-1000}) + rec(restoreDc, {huge})},
        {"a transform of no finite numbers",
         rec(setWorldTransform, {0x7FC00000, 0, 0, 0x7F800000, 0, 0})},
        {"a pen with more dashes than it holds", pen + rec(selectObject, {1})},
        {"a font too large to draw",
         fontRecords(0x7FFFFFF, 0) + textRecord({5, 5}, "H") + rec(selectObject, {0x8000000D})},
    };
    for (const auto& [name, bad] : cases) {
        SCOPED_TRACE(name);
        const DecodedPicture p = drawn(bad + solidBrush(Qt::red, 7) + box({0, 0, 96, 96}));
        ASSERT_TRUE(p.ok());
        EXPECT_TRUE(near(p.image.pixelColor(48, 48), Qt::red));
        EXPECT_EQ(p.image.pixelColor(144, 48).alpha(), 0);
    }
}

// A record is known by its whole type: one that shares a known type's low byte (a rectangle's,
// the end's) or lies past every type the player reads draws nothing and ends nothing, and what
// follows it is still drawn.
TEST(EmfPlayer, knowsARecordByItsWholeType) {
    for (const qint64 type :
         {rectangle + 0x100, rectangle + 0x10000, 14 + 0x100, 128, 0x7FFFFFFF}) {
        SCOPED_TRACE(type);
        const DecodedPicture p =
            drawn(solidBrush(Qt::red) + rec(int(type), {0, 0, 96, 96}) + box({96, 0, 96, 96}));
        ASSERT_TRUE(p.ok());
        EXPECT_EQ(p.image.pixelColor(48, 48).alpha(), 0);
        EXPECT_TRUE(near(p.image.pixelColor(144, 48), Qt::red));
    }
}
