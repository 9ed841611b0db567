#pragma once

#include "decoders/WmfRecords.h"
#include "decoders/WmfState.h"

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
    // What plays a record: each function the player follows has its handler in the one table
    // of WmfRecordTable.cpp, and a function without one is passed over.
    using Handler = void (Player::*)(const Record&);
    static Handler handlerOf(quint16 function);
    friend struct RecordTable;

    // The mapping, saved states and settings (WmfPlayer.cpp).
    void setMapMode(const Record& r);
    void setWindowOrg(const Record& r);
    void setWindowExt(const Record& r);
    void setViewportOrg(const Record& r);
    void setViewportExt(const Record& r);
    void offsetWindowOrg(const Record& r);
    void offsetViewportOrg(const Record& r);
    void scaleExtent(const Record& r); // the window's or the viewport's
    void saveDc(const Record& r);
    void restoreDc(const Record& r);
    void setBkMode(const Record& r);
    void setBkColor(const Record& r);
    void setTextColor(const Record& r);
    void setTextAlign(const Record& r);
    void setTextCharExtra(const Record& r);
    void setTextJustification(const Record& r);
    void setPolyFillMode(const Record& r);
    void setRop2(const Record& r);
    void moveTo(const Record& r);
    // The object table (WmfObjectTable.cpp).
    void createPenIndirect(const Record& r);
    void createBrushIndirect(const Record& r);
    void createPatternBrush(const Record& r); // of an old bitmap or a device-independent one
    void createFontIndirect(const Record& r);
    void createPalette(const Record& r);
    void createRegion(const Record& r);
    void keep(Object object, bool read); // in the lowest free slot; broken when not read
    Object* slotOf(const Record& r);     // the slot the record's first word names
    void selectObject(const Record& r);
    void selectPalette(const Record& r);
    void deleteObject(const Record& r);
    // Lines and shapes (WmfShapes.cpp).
    void lineTo(const Record& r);
    void polyShape(const Record& r); // a polygon or a line through points
    void polyPolygon(const Record& r);
    void setPixel(const Record& r);
    void rectangle(const Record& r);
    void ellipse(const Record& r);
    void roundRect(const Record& r);
    void arcShape(const Record& r); // an arc, chord or pie
    // The box a shape's record gives in its four words from `word` on, or nothing when the
    // record is too short.
    std::optional<QRectF> shapeBox(const Record& r, qsizetype word) const;
    // Regions and clipping (WmfRegions.cpp).
    void fillRegion(const Record& r);
    void paintRegion(const Record& r);
    void frameRegion(const Record& r);
    void invertRegion(const Record& r);
    void clipRect(const Record& r); // intersected or excluded
    void offsetClipRgn(const Record& r);
    void selectClipRegion(const Record& r);
    // The object of `kind` in the slot the record's word `word` names, or none.
    const Object* objectAt(const Record& r, qsizetype word, Object::Kind kind) const;
    void fillWith(const Brush& b, const QPainterPath& path); // the brush in place of the selected
    // Text (WmfText.cpp).
    void textOut(const Record& r);
    void extTextOut(const Record& r);
    // Bitmaps (WmfBlits.cpp).
    void patBlt(const Record& r); // the brush alone
    void blt(const Record& r);    // an old bitmap or a device-independent one
    void diBits(const Record& r); // a device-independent bitmap, counted from its bottom

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
    // The record as a blit, in the layout of patBlt's, blt's or diBits' records, or nothing
    // when it is no bitmap record or too short.
    std::optional<Blit> blitOf(const Record& r) const;
    std::optional<Blit> patBltOf(const Record& r) const;
    std::optional<Blit> bltOf(const Record& r) const;
    std::optional<Blit> diBitsOf(const Record& r) const;
    QRectF blitTarget(const Record& r, qsizetype word) const;
    void drawBlit(const std::optional<Blit>& b);
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source, quint32 rop);
    void ropFill(const QRectF& target, quint32 rop); // the raster operation with the brush
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
    void selectClip(const Region* region);
    void drawText(QPointF logical, const QByteArray& text, const std::vector<int>& dx, int options,
                  const QRectF& rect);
    // The selected font laid out `k` times larger than its size (at least 64 pixels high), or
    // nothing when it is too small or too large to draw.
    std::optional<QFont> textFont(double& k) const;
    // Where each letter starts, in laid-out pixels from the first, and how wide the text is.
    std::vector<double> letterStarts(const QString& text, const std::vector<int>& dx,
                                     const QFontMetricsF& metrics, double k, double& width) const;
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
