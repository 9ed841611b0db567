#pragma once

#include <functional>
#include <QImage>
#include <QPainter>
#include <QRect>

// Raster operations as Windows combines a bitmap, the brush and what is already drawn, on a
// picture that is transparent where the drawing leaves the show's background to be seen.
//
// A pixel of the picture is a colour the drawing put there, at some coverage, over the
// background. An operation reads that colour as Windows reads the device, bit by bit, and writes
// its result at the same coverage. Where the background shows, the result is worked out over
// black and over white: what is the same over both is drawn there; what follows the background
// leaves it showing, as far as it follows it (a mask ORed over nothing is a veil of white as
// opaque as the mask is light); what inverts the background is drawn as over black.
namespace metafileraster {

// Raster operation codes as records give them (the operation is the third byte).
constexpr quint32 srcCopy = 0x00CC0020, srcPaint = 0x00EE0086, srcAnd = 0x008800C6,
                  srcInvert = 0x00660046, srcErase = 0x00440328, notSrcCopy = 0x00330008,
                  notSrcErase = 0x001100A6, mergeCopy = 0x00C000CA, mergePaint = 0x00BB0226,
                  patCopy = 0x00F00021, patPaint = 0x00FB0A09, patInvert = 0x005A0049,
                  dstInvert = 0x00550009, dstCopy = 0x00AA0029, blackness = 0x00000042,
                  whiteness = 0x00FF0062;

// The operation of a record's raster operation code.
constexpr quint8 operation(quint32 rop) {
    return quint8(rop >> 16);
}

// The result of `operation` on the brush's, the source's and the destination's bits, each bit
// on its own: bit (pattern << 2 | source << 1 | destination) of the operation is the result.
quint32 ternary(quint8 operation, quint32 pattern, quint32 source, quint32 destination);

// Whether an operation's result depends on the source, the brush, the destination.
bool readsSource(quint8 operation);
bool readsPattern(quint8 operation);
bool readsDestination(quint8 operation);

// The parts of one raster operation over `area` (pixels of the picture), each a transparent
// picture of the area's size as the painter draws there (see `layer`).
struct Operands {
    QRect area;
    QImage coverage; // the target's shape (alpha only): opaque where the operation writes
    QImage source;   // the bitmap, where the operation reads one
    QImage pattern;  // the brush, where the operation reads it
    QImage mask;     // light where `operation` applies and dark where `background` does
    quint8 operation = 0xCC;
    quint8 background = 0xCC;
};

// What `paint` draws on a transparent picture laid over `area` of the painter's picture, with
// the painter's transform, clip and hints: what the painter would draw there.
QImage layer(QPainter& painter, QRect area, const std::function<void(QPainter&)>& paint,
             QImage::Format format = QImage::Format_ARGB32_Premultiplied);

// The coverage of `target` (logical units of the painter) over `area`: its alpha alone.
QImage coverage(QPainter& painter, QRect area, const QRectF& target);

// The pixels of the painter's picture the logical rectangle `target` covers, inside its clip;
// empty when none.
QRect areaOf(QPainter& painter, const QRectF& target);

// Writes the operation's result into `picture`, as the model above says. False when the
// picture cannot be written while the painter holds it.
bool compose(QImage& picture, const Operands& operands);

// The picture a painter draws on, when it is a picture of pixels.
QImage* pictureOf(QPainter& painter);

// A bitmap made see-through by the pair of operations writers use for it: `mask` ORed (light
// where the bitmap is opaque, dark where it is not, grey where it is partly), then `image`
// ANDed (white where the mask is dark). The pair is the bitmap `image` with the mask's
// lightness as its opacity: over white, bit by bit, it would leave a partly see-through part
// opaque. Null when the two differ in size.
QImage maskedBitmap(const QImage& mask, const QImage& image);

} // namespace metafileraster
