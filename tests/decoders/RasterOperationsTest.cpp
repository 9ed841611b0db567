#include "decoders/MetafileDecoder.h"
#include "MetafileFiles.h"
#include "support/Rows.h"

#include <gtest/gtest.h>
#include <QPainter>

// Bitmaps combined with what is drawn by their raster operations, in WMF and EMF alike: the
// drawing's left half is drawn in one colour, its right half left empty (the show's background
// shows there), and a bitmap record covers the whole with a brush selected.
using namespace metafiles;

namespace {

// Logical units: the drawing is 4 x 2 of them, drawn at 200 x 100 pixels.
const QRect whole(0, 0, 4, 2), leftHalf(0, 0, 2, 2);
const QSize shown(200, 100);
const QPoint onDrawn(50, 50), onEmpty(150, 50);

QImage filled(QColor c, QSize size = {4, 2}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

QImage drawn(const QByteArray& file) {
    const DecodedPicture p = decodeMetafile(file, metafileKind(file.left(metafileHeadSize)),
                                            [](QSize) { return shown; });
    return p.image;
}

// A WMF: the background (none when invalid) on the left half, the brush selected, then
// `records` (which `blit` writes).
QByteArray wmf(QColor background, QColor brush, const std::function<void(WmfWriter&)>& blit) {
    WmfWriter w;
    w.nullPen();
    if (background.isValid())
        w.solidBrush(background).rectangle(leftHalf);
    w.solidBrush(brush);
    blit(w);
    return w.file(QRect(0, 0, 4, 2), 96);
}

// The same as an EMF, whose window of 4 x 2 units lies over its 192 x 96 device pixels.
QByteArray emf(QColor background, QColor brush, const QByteArray& blit) {
    QByteArray r;
    emfRecord(r, 17, {8});       // anisotropic
    emfRecord(r, 9, {4, 2});     // window extent
    emfRecord(r, 11, {192, 96}); // viewport extent
    if (background.isValid())
        r += emfSolidBrush(background, 1) + emfBox(leftHalf);
    r += emfSolidBrush(brush, 2) + blit;
    return emfFile({0, 0, 5080, 2540}, {0, 0, 192, 96}, r);
}

// The two files drawing `bitmap` stretched over the whole with `rop`.
std::pair<QByteArray, QByteArray> stretched(QColor background, QColor brush, const QImage& bitmap,
                                            quint32 rop) {
    return {wmf(background, brush, [&](WmfWriter& w) { wmfStretchDib(w, bitmap, whole, rop); }),
            emf(background, brush, emfStretchDiBits(bitmap, whole, rop))};
}

// Premultiplied: what the picture holds there.
QRgb at(const QImage& image, QPoint p) {
    return image.pixel(p);
}

bool near(QRgb a, QRgb b, int tolerance = 2) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance &&
           std::abs(qAlpha(a) - qAlpha(b)) <= tolerance;
}

std::string hex(QRgb v) {
    return QString::number(v, 16).rightJustified(8, u'0').toStdString();
}

// What is drawn, the bitmap and the brush: every bit of each operation's table shows up in one
// of the three channels.
const QColor destination(0xAA, 0x55, 0x0F), source(0xCC, 0x33, 0xF0), pattern(0xF0, 0x0F, 0xCC);

} // namespace

// Over what is drawn, each operation combines the bits of the brush, the bitmap and the
// drawing as Windows does.
const struct Operation {
    const char* name;
    quint32 rop;
    QRgb result;
} operations[] = {
    {"SRCCOPY", 0x00CC0020, 0xCC33F0},     {"SRCPAINT", 0x00EE0086, 0xEE77FF},
    {"SRCAND", 0x008800C6, 0x881100},      {"SRCINVERT", 0x00660046, 0x6666FF},
    {"SRCERASE", 0x00440328, 0x4422F0},    {"NOTSRCCOPY", 0x00330008, 0x33CC0F},
    {"NOTSRCERASE", 0x001100A6, 0x118800}, {"MERGECOPY", 0x00C000CA, 0xC003C0},
    {"MERGEPAINT", 0x00BB0226, 0xBBDD0F},  {"PATCOPY", 0x00F00021, 0xF00FCC},
    {"PATPAINT", 0x00FB0A09, 0xFBDFCF},    {"PATINVERT", 0x005A0049, 0x5A5AC3},
    {"DSTINVERT", 0x00550009, 0x55AAF0},   {"BLACKNESS", 0x00000042, 0x000000},
    {"WHITENESS", 0x00FF0062, 0xFFFFFF},
};
TABLE_TEST(RasterOperationOverDrawing, combinesTheBitsOfBrushBitmapAndDrawing, operations) {
    const Operation& o = GetParam();
    const auto [w, e] = stretched(destination, pattern, filled(source), o.rop);
    for (const QByteArray& file : {w, e}) {
        SCOPED_TRACE(file == w ? "WMF" : "EMF");
        const QImage image = drawn(file);
        ASSERT_EQ(image.size(), shown);
        EXPECT_EQ(hex(at(image, onDrawn)), hex(0xFF000000 | o.result));
    }
}

// Where nothing is drawn, an operation that does not read what is there draws its result; one
// that leaves it as it is leaves the background showing; a mask ORed in grey over nothing is a
// veil of white as opaque as the grey is light; inverting nothing draws as over black.
const QRgb transparent = 0;
const struct Empty {
    const char* name;
    quint32 rop;
    QColor bitmap, brush;
    QRgb result; // premultiplied
} empties[] = {
    {"copy", 0x00CC0020, source, pattern, 0xFFCC33F0},
    {"the bitmap inverted", 0x00330008, source, pattern, 0xFF33CC0F},
    {"AND with white", 0x008800C6, Qt::white, pattern, transparent},
    {"AND with black", 0x008800C6, Qt::black, pattern, 0xFF000000},
    {"OR with black", 0x00EE0086, Qt::black, pattern, transparent},
    {"OR with white", 0x00EE0086, Qt::white, pattern, 0xFFFFFFFF},
    {"OR with grey", 0x00EE0086, QColor(0x80, 0x80, 0x80), pattern, 0x80808080},
    {"XOR with black", 0x00660046, Qt::black, pattern, transparent},
    {"erase with black", 0x00440328, Qt::black, pattern, 0xFF000000},
    {"erase the inverse with white", 0x001100A6, Qt::white, pattern, 0xFF000000},
    {"brush AND bitmap", 0x00C000CA, source, pattern, 0xFFC003C0},
    {"inverse OR with white", 0x00BB0226, Qt::white, pattern, transparent},
    {"the brush", 0x00F00021, source, pattern, 0xFFF00FCC},
    {"brush OR inverse OR with black and white", 0x00FB0A09, Qt::white, Qt::black, transparent},
    {"brush XOR with black", 0x005A0049, source, Qt::black, transparent},
    {"inverted", 0x00550009, source, pattern, 0xFFFFFFFF},
    {"black", 0x00000042, source, pattern, 0xFF000000},
    {"white", 0x00FF0062, source, pattern, 0xFFFFFFFF},
};
TABLE_TEST(RasterOperationOverNothing, keepsTheBackgroundWhereTheResultFollowsIt, empties) {
    const Empty& o = GetParam();
    const auto [w, e] = stretched(QColor(), o.brush, filled(o.bitmap), o.rop);
    for (const QByteArray& file : {w, e}) {
        SCOPED_TRACE(file == w ? "WMF" : "EMF");
        const QImage image = drawn(file);
        ASSERT_EQ(image.size(), shown);
        EXPECT_TRUE(near(at(image, onEmpty), o.result))
            << hex(at(image, onEmpty)) << " instead of " << hex(o.result);
    }
}

// Every bitmap record applies its raster operation, here the bitmap XORed with the drawing;
// what lies outside its target is left alone.
TEST(RasterOperations, applyInEveryBitmapRecord) {
    const QImage bitmap = filled(source);
    const QRect target(0, 0, 4, 1); // the upper half
    // An old bitmap of 24-bit pixels, as BitBlt and StretchBlt carry it: rows of 4 pixels.
    QByteArray old;
    for (int v : {0, 4, 2, 12, 1 | 24 << 8})
        old.append(char(v & 0xFF)).append(char(v >> 8));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            old.append(char(source.blue())).append(char(source.green())).append(char(source.red()));
    const QByteArray dib = dib24(bitmap);
    const int xorLow = 0x0046, xorHigh = 0x0066;
    const struct {
        const char* name;
        QByteArray file;
    } records[] = {
        {"WMF BitBlt", wmf(destination, pattern,
                           [&](WmfWriter& w) {
                               w.add(0x0922, {xorLow, xorHigh, 0, 0, 1, 4, 0, 0}, old);
                           })},
        {"WMF StretchBlt", wmf(destination, pattern,
                               [&](WmfWriter& w) {
                                   w.add(0x0B23, {xorLow, xorHigh, 2, 4, 0, 0, 1, 4, 0, 0}, old);
                               })},
        {"WMF DibBitBlt", wmf(destination, pattern,
                              [&](WmfWriter& w) {
                                  w.add(0x0940, {xorLow, xorHigh, 0, 0, 1, 4, 0, 0}, dib);
                              })},
        {"WMF DibStretchBlt", wmf(destination, pattern,
                                  [&](WmfWriter& w) {
                                      w.add(0x0B41, {xorLow, xorHigh, 2, 4, 0, 0, 1, 4, 0, 0}, dib);
                                  })},
        {"WMF StretchDIBits",
         wmf(destination, pattern,
             [&](WmfWriter& w) { wmfStretchDib(w, bitmap, target, 0x00660046); })},
        {"EMF BITBLT", emf(destination, pattern, emfBlt(76, target, 0x00660046, dib))},
        {"EMF STRETCHBLT",
         emf(destination, pattern, emfBlt(77, target, 0x00660046, dib, bitmap.size()))},
        {"EMF STRETCHDIBITS",
         emf(destination, pattern, emfStretchDiBits(bitmap, target, 0x00660046))},
        {"EMF MASKBLT without a mask",
         emf(destination, pattern, emfMaskBlt(target, 0x00660046, dib, {}))},
    };
    for (const auto& r : records) {
        SCOPED_TRACE(r.name);
        const QImage image = drawn(r.file);
        ASSERT_EQ(image.size(), shown);
        EXPECT_EQ(hex(at(image, {50, 25})), hex(0xFF6666FF));
        EXPECT_EQ(hex(at(image, {50, 75})), hex(0xFFAA550F)); // below the target
        EXPECT_EQ(qAlpha(at(image, {150, 75})), 0);
    }
}

// The brush alone: PatBlt, and the bitmap records without a bitmap.
TEST(RasterOperations, applyTheBrushAloneWithoutABitmap) {
    const struct {
        const char* name;
        QByteArray file;
    } records[] = {
        {"WMF PatBlt", wmf(destination, pattern,
                           [](WmfWriter& w) {
                               w.add(0x061D, {0x0049, 0x005A, 2, 4, 0, 0});
                           })},
        {"WMF DibBitBlt", wmf(destination, pattern,
                              [](WmfWriter& w) {
                                  w.add(0x0940, {0x0049, 0x005A, 0, 0, 0, 2, 4, 0, 0});
                              })},
        {"EMF BITBLT", emf(destination, pattern, emfBlt(76, whole, 0x005A0049, {}))},
    };
    for (const auto& r : records) {
        SCOPED_TRACE(r.name);
        const QImage image = drawn(r.file);
        EXPECT_EQ(hex(at(image, onDrawn)), hex(0xFF5A5AC3)); // the brush XORed with the drawing
        EXPECT_EQ(qAlpha(at(image, onEmpty)), 255);          // XORed with nothing: the brush
    }
}

// A mask ORed and its picture ANDed onto the same place are one bitmap whose opacity is the
// mask's lightness: where the mask is white the picture covers the drawing and the background
// alike, where it is black both show, where it is grey the picture is half see-through. The
// background is drawn on the upper half, the lower left empty.
TEST(RasterOperations, takeAMaskORedAndAPictureANDedAsOneSeeThroughBitmap) {
    const QColor ink(0x20, 0x60, 0xC0);
    QImage mask(3, 1, QImage::Format_RGB32), picture(3, 1, QImage::Format_RGB32);
    const QColor opacities[] = {Qt::white, QColor(0x80, 0x80, 0x80), Qt::black};
    for (int x = 0; x < 3; ++x) {
        mask.setPixelColor(x, 0, opacities[x]);
        picture.setPixelColor(x, 0, x < 2 ? ink : Qt::white);
    }
    const QRect top(0, 0, 4, 1);
    WmfWriter w;
    w.nullPen().solidBrush(destination).rectangle(top);
    wmfStretchDib(w, mask, whole, 0x00EE0086);
    wmfStretchDib(w, picture, whole, 0x008800C6);
    QByteArray r;
    emfRecord(r, 17, {8});
    emfRecord(r, 9, {4, 2});
    emfRecord(r, 11, {192, 96});
    r += emfSolidBrush(destination) + emfBox(top) + emfStretchDiBits(mask, whole, 0x00EE0086) +
         emfStretchDiBits(picture, whole, 0x008800C6);
    const auto half = [&](QColor over) {
        return qRgba((ink.red() + over.red()) / 2, (ink.green() + over.green()) / 2,
                     (ink.blue() + over.blue()) / 2, 255);
    };
    const QRgb inkRgb = ink.rgba(), halfInk = qRgba(0x10, 0x30, 0x60, 0x80);
    for (const QByteArray& file :
         {w.file(QRect(0, 0, 4, 2), 96), emfFile({0, 0, 5080, 2540}, {0, 0, 192, 96}, r)}) {
        SCOPED_TRACE(file.startsWith(char(1)) ? "EMF" : "WMF");
        const QImage image = drawn(file);
        ASSERT_EQ(image.size(), shown);
        const int xs[] = {shown.width() / 6, shown.width() / 2, 5 * shown.width() / 6};
        const QRgb overDrawn[] = {inkRgb, half(destination), destination.rgba()};
        const QRgb overNothing[] = {inkRgb, halfInk, transparent};
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            EXPECT_TRUE(near(at(image, {xs[i], 25}), overDrawn[i], 3))
                << hex(at(image, {xs[i], 25}));
            EXPECT_TRUE(near(at(image, {xs[i], 75}), overNothing[i], 3))
                << hex(at(image, {xs[i], 75}));
        }
    }
}

// MASKBLT applies its first operation where the mask is white and its second where it is
// black; TRANSPARENTBLT leaves out the pixels of its transparent colour.
TEST(RasterOperations, chooseByTheMaskAndLeaveOutTheTransparentColour) {
    QImage mask(4, 2, QImage::Format_RGB32);
    mask.fill(Qt::black);
    for (int y = 0; y < 2; ++y)
        mask.setPixelColor(0, y, Qt::white), mask.setPixelColor(2, y, Qt::white);
    // Copy the bitmap where white, leave the drawing where black.
    const QByteArray masked =
        emf(destination, pattern, emfMaskBlt(whole, 0xAACC0020, dib24(filled(source)), dib1(mask)));
    const QImage m = drawn(masked);
    EXPECT_EQ(hex(at(m, {25, 50})), hex(0xFFCC33F0));  // white: copied
    EXPECT_EQ(hex(at(m, {75, 50})), hex(0xFFAA550F));  // black: the drawing stays
    EXPECT_EQ(hex(at(m, {125, 50})), hex(0xFFCC33F0)); // white, over nothing: copied
    EXPECT_EQ(qAlpha(at(m, {175, 50})), 0);            // black, over nothing: nothing

    QImage keyed = filled(Qt::magenta);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; x += 2)
            keyed.setPixelColor(x, y, source);
    const QImage t = drawn(
        emf(destination, pattern, emfBlt(116, whole, colorRef(Qt::magenta), dib24(keyed), {4, 2})));
    // Stretched smoothly, the kept pixels are next to see-through ones.
    EXPECT_TRUE(near(at(t, {25, 50}), 0xFFCC33F0, 3)) << hex(at(t, {25, 50}));
    EXPECT_TRUE(near(at(t, {75, 50}), 0xFFAA550F, 3)) << hex(at(t, {75, 50}));
    EXPECT_EQ(qAlpha(at(t, {175, 50})), 0);
}
