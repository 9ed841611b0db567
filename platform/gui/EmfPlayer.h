#pragma once

#include "platform/gui/EmfRecords.h"
#include "platform/gui/EmfState.h"
#include "platform/gui/PictureDecoder.h"

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
    bool state(const Record& r);   // map modes, transforms, settings, save and restore
    bool objects(const Record& r); // creation, selection, deletion
    bool shapes(const Record& r);  // lines, curves, figures, paths
    bool clipping(const Record& r);
    bool text(const Record& r);
    bool bitmaps(const Record& r);
    bool comment(const Record& r); // what EMF+ records add to the records beside them

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
    void combineClip(const QPainterPath& deviceArea, int mode);
    void applyClip();
    QFont font(double& scale) const;
    void drawText(const Record& r, quint32 at, bool wide);
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
    static std::optional<Blit> blitOf(const Record& r);
    void blit(const Blit& b);
    // The raster operations `fore` (and `back` where the blit's mask is dark) over the
    // blit's target, reading its bitmap and the brush as they need.
    void raster(const Blit& b, quint8 fore, quint8 back);
    void drawBitmap(const QImage& image, QRectF source, QRectF target);
    void gradient(const Record& r);
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
