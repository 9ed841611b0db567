#pragma once

#include "decoders/EmfRecords.h"
#include "decoders/EmfRecordTypes.h"
#include "decoders/EmfState.h"
#include "decoders/PictureDecoder.h"

#include <QPainter>
#include <QPainterPath>
#include <vector>

// An enhanced metafile drawn record by record onto a QPainter, as the device context of the
// writer's reference device would have drawn it.
namespace emf {

// Where the picture lies on the reference device and how large it is.
struct Frame {
    QRectF device; // in the reference device's pixels
    QSize natural; // in pixels at 96 dots per inch
};

// The frame the header gives (hundredths of a millimetre) where it is sane: not empty, and
// overlapping what the records draw (`drawn`, in device pixels) by a tenth of the smaller of
// the two and by a 150th of itself. Else the header's bounds of the drawing where they are sane,
// else the extents of what the records draw; nothing when none is usable.
std::optional<Frame> frameOf(const Header& header, const QRectF& drawn);

// The most records drawn from one file, and the most points one record may bring.
constexpr int maxRecords = 2'000'000;
constexpr quint32 maxPointsPerRecord = 2'000'000;

class Player {
public:
    // Draws `bytes` (a well-formed file whose header is `header`) so that `frame` fills
    // `size` pixels of `painter`'s device.
    Player(const Header& header, const Frame& frame, QPainter& painter, QSizeF size);
    void play(const QByteArray& bytes);

    // The extents of what the records of `bytes` draw, in device pixels, without drawing.
    static QRectF measure(const QByteArray& bytes, const Header& header);

private:
    explicit Player(const Header& header); // measures only
    void record(const Record& r);
    // What plays a record: each type the player follows has its handler in the one table of
    // EmfRecordTable.cpp, and a type without one is passed over.
    using Handler = void (Player::*)(const Record&);
    static Handler handlerOf(quint32 type);
    friend struct RecordTable;

    // Map modes, transforms, settings, save and restore (EmfPlayer.cpp).
    void setWindowExtEx(const Record& r);
    void setViewportExtEx(const Record& r);
    void setWindowOrgEx(const Record& r);
    void setViewportOrgEx(const Record& r);
    void scaleExtent(const Record& r); // the window's or the viewport's
    void setMapMode(const Record& r);
    void setBkMode(const Record& r);
    void setPolyFillMode(const Record& r);
    void setRop2(const Record& r);
    void setTextAlign(const Record& r);
    void setTextJustification(const Record& r);
    void setTextColor(const Record& r);
    void setBkColor(const Record& r);
    void moveToEx(const Record& r);
    void saveDc(const Record& r);
    void restoreDc(const Record& r);
    void setWorldTransform(const Record& r);
    void modifyWorldTransform(const Record& r);
    void setArcDirection(const Record& r);
    void setMiterLimit(const Record& r);
    // Objects: creation, selection, deletion (EmfPlayer.cpp).
    void createPen(const Record& r);
    void extCreatePen(const Record& r);
    void createBrushIndirect(const Record& r);
    void createPatternBrush(const Record& r); // a monochrome or device-independent pattern
    void extCreateFontIndirectW(const Record& r);
    void createPalette(const Record& r);
    void keep(const Record& r, Object created); // in the slot the creating record names
    void selectObject(const Record& r);         // a palette too
    void deleteObject(const Record& r);
    // Lines, curves, figures, paths (EmfShapes.cpp).
    void polyShape(const Record& r);     // Bézier curves, polygons and lines through points
    void polyTo(const Record& r);        // the same, on from the current position
    void polyPolyShape(const Record& r); // several polygons or lines
    void polyDraw(const Record& r);
    void lineTo(const Record& r);
    void rectangle(const Record& r);
    void ellipse(const Record& r);
    void roundRect(const Record& r);
    void arcShape(const Record& r); // an arc, chord or pie
    void arcTo(const Record& r);
    void angleArc(const Record& r);
    void setPixelV(const Record& r);
    void beginPath(const Record& r);
    void endPath(const Record& r);
    void abortPath(const Record& r);
    void closeFigure(const Record& r);
    void drawPath(const Record& r); // filled, stroked or both
    void flattenPath(const Record& r);
    void widenPath(const Record& r);
    // Clipping, and regions filled (EmfClip.cpp).
    void clipRect(const Record& r); // intersected or excluded
    void offsetClipRgn(const Record& r);
    void setMetaRgn(const Record& r);
    void selectClipPath(const Record& r);
    void extSelectClipRgn(const Record& r);
    void fillRgn(const Record& r);
    void paintRgn(const Record& r);
    // Text (EmfText.cpp).
    void extTextOut(const Record& r);
    void polyTextOut(const Record& r);
    // Bitmaps and gradients (EmfBitmaps.cpp, EmfGradients.cpp).
    void blt(const Record& r);    // a bitmap, or the brush alone, by a raster operation
    void diBits(const Record& r); // a bitmap's rows, counted from its bottom
    void gradientFill(const Record& r);
    // What EMF+ records add to the records beside them (EmfPlus.cpp).
    void comment(const Record& r);

    // Transforms: logical units to the reference device, then to the painter's pixels.
    QTransform page() const;
    QTransform toDevice() const { return dc_.world * page(); }
    void useLogical(); // the painter in logical units, clipped

    // Drawing: into the open path, or onto the painter with the current pen and brush.
    void figure(const QPainterPath& p, bool fill, bool stroke);
    // A line drawn on from the current position, which moves to its end: joined to the open
    // path, or stroked.
    void lineOn(const QPainterPath& p);
    QPainterPath& pathToExtend(); // the open path, started at the current position
    void fillAndStroke(const QPainterPath& p, bool fill, bool stroke);
    QPen pen() const;
    QBrush brush() const;
    bool drawsNothing() const { return dc_.rop2 == rop2Nop; }

    // The region whose data (`size` bytes) starts at `at`, or nothing when it holds none.
    static std::optional<QPainterPath> region(const Record& r, quint32 at, quint32 size);
    void setClip(const std::optional<QPainterPath>& deviceClip);
    void fillArea(const std::optional<QPainterPath>& area, const Brush* brush);
    void combineClip(const QPainterPath& deviceArea, int mode);
    void applyClip();
    QFont font(double& scale) const;
    void drawText(const Record& r, quint32 at, bool wide);
    struct TextRun;
    void layOut(TextRun& run, QPointF reference);
    void paintText(const TextRun& run);
    // A bitmap record: where it goes (logical units; a negative extent mirrors), which part
    // of the bitmap, and how it is combined with what is drawn. A record without a bitmap
    // uses the brush alone.
    struct Blit {
        QRectF target;
        QRectF source;
        QImage image;
        quint32 rop = 0x00CC0020;
        double opacity = 1;
        QImage mask; // where the operation applies, and where the second one (MASKBLT)
        bool hasBitmap = false;
    };
    // The record as a blit, in the layout of blt's records or of diBits', or nothing when it
    // is no bitmap record.
    static std::optional<Blit> blitOf(const Record& r);
    static std::optional<Blit> bltOf(const Record& r);
    static std::optional<Blit> diBitsOf(const Record& r);
    void drawBlit(const std::optional<Blit>& b);
    void blit(const Blit& b);
    // The raster operations `fore` (and `back` where the blit's mask is dark) over the
    // blit's target, reading its bitmap and the brush as they need.
    void raster(const Blit& b, quint8 fore, quint8 back);
    void drawBitmap(const QImage& image, QRectF source, QRectF target);
    void shadeTriangle(const QPolygonF& corners, const QColor (&colours)[3]);
    // Whether to paint; when measuring, adds the logical area `area` to what is drawn instead.
    bool painting(const QRectF& area);

    Header header_;
    QPainter* painter_ = nullptr; // none while measuring
    Records* records_ = nullptr;  // while playing: the records after the current one
    // The see-through colour an EMF+ record filled with, lent to the GDI records that follow
    // it (the writer's fallback for readers of GDI alone) until the next EMF+ record.
    std::optional<QColor> plusFill_;
    QRectF drawn_;
    QTransform deviceToImage_;
    double deviceScale_ = 1; // image pixels per device pixel
    Dc dc_;
    std::vector<Dc> saved_;
    std::vector<Object> objects_;
    QPainterPath path_;
    bool inPath_ = false;
    bool clipDirty_ = true;
};

// Renders an enhanced metafile at its shown size (or smaller, proportions kept, when that
// would take more pixels than two 4K screens); the natural size is its frame at 96 dpi.
DecodedPicture decode(const QByteArray& bytes, const ShownSizeFor& shownSize);

} // namespace emf
