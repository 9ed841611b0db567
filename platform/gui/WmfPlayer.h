#pragma once

#include "platform/gui/WmfRecords.h"
#include "platform/gui/WmfState.h"

#include <optional>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <vector>

// Plays a Windows metafile's records onto a QPainter, as Windows draws them into a device
// context: map modes, pens, brushes, fonts, regions, clipping, text and bitmaps.

namespace wmf {

// Where the drawing goes. `frame` (in the metafile's device units, `unitsPerInch` to the
// inch) is drawn over the whole `target` (pixels). The drawing starts with its window and
// viewport both on the frame, as a program that places a metafile sets them; the file's own
// window then maps onto the frame.
struct Setup {
    QRectF frame{0, 0, 1, 1};
    double unitsPerInch = 96;
    QSizeF target{1, 1};
};

class Player {
public:
    // Without a painter the player only measures what the records would draw.
    Player(const Header& header, const Setup& setup, QPainter* painter);
    void play(Reader& reader);

    // What the records drew, in the target's pixels.
    QRectF drawn() const { return drawn_; }
    // The window (origin and extent, logical units) in force when the first record drew, when
    // the file had set its extent and no viewport of its own by then.
    std::optional<QRectF> windowAtFirstDraw() const { return firstWindow_; }

    // Drawing more records than this is not a drawing but an attack on the time it takes.
    static constexpr qint64 maxRecords = 2'000'000;
    // The object table's slots are numbered in 16 bits.
    static constexpr qsizetype maxObjects = 65535;

private:
    void record(const Record& r);
    bool mapping(const Record& r);
    bool settings(const Record& r);
    bool objects(const Record& r);
    bool clipping(const Record& r);
    bool shapes(const Record& r);
    bool regions(const Record& r);
    bool text(const Record& r);
    bool bitmaps(const Record& r);

    // Mapping from logical units to the target's pixels.
    void updateTransform();
    QPointF map(QPointF logical) const { return transform_.map(logical); }
    QRectF mapRect(int left, int top, int right, int bottom) const;
    QPointF point(const Record& r, qsizetype word) const; // y, x as the records store them
    double scaleX() const { return std::abs(transform_.m11()); }
    double scaleY() const { return std::abs(transform_.m22()); }

    // Drawing through the current pen and brush; every drawing record ends here.
    void drawPath(QPainterPath path, bool fill, bool stroke);
    void fillPath(const QPainterPath& path, const QBrush& brush);
    // A bitmap record: where it goes (pixels; a negative extent mirrors), which part of the
    // bitmap, and the raster operation; a record without a bitmap uses the brush alone.
    struct Blit {
        QRectF target;
        QRectF source;
        QImage image;
        quint32 rop = 0;
        bool hasBitmap = false;
    };
    std::optional<Blit> blitOf(const Record& r) const;
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source, quint32 rop);
    void patBlt(const QRectF& target, quint32 rop);
    // The raster operation over `area` of the picture: `target` (pixels) filled, reading
    // `image` placed on `placed` and the brush as the operation needs them.
    void raster(QRect area, const QRectF& target, const QImage& image, const QRectF& placed,
                quint8 operation);
    void noteDrawn(const QRectF& pixels);
    void applyClip();
    QPen pen() const;
    QBrush brush() const;
    // False when the raster operation draws nothing; otherwise sets the painter's mode and
    // gives the colour to draw with in place of `color`.
    bool rop2(QColor& color);
    void endRop2();

    QPainterPath regionPath(const Region& region) const;
    void selectClipRegion(const Region* region);
    void drawText(QPointF logical, const QByteArray& text, const std::vector<int>& dx, int options,
                  const QRectF& rect);
    QString decoded(const QByteArray& text) const;

    Header header_;
    Setup setup_;
    Reader* reader_ = nullptr; // while playing: the records after the current one
    QPainter* painter_;
    QTransform outer_;
    QTransform transform_;
    State state_;
    std::vector<State> saved_;
    std::vector<Object> objects_;
    qsizetype firstFree_ = 0;
    QRectF drawn_;
    bool drewYet_ = false;
    bool windowExtSet_ = false;
    bool viewportSet_ = false;
    std::optional<QRectF> firstWindow_;
};

} // namespace wmf
