#pragma once

#include "effects/EffectCanvas.h"

#include <functional>
#include <QColor>
#include <QImage>
#include <QRegion>
#include <QSize>

class QPainter;

// The effects' canvas over the show window's backing image. Twips become logical pixels
// (15 to a pixel), drawn at the backing's device pixels; pens are DrawWidth pixels wide, solid, not
// antialiased, so the shapes wipe in one flat colour. Right after each drawing call it hands the
// changed pixels to `repaint`, which the window turns into an immediate repaint of that area: the
// effect is seen as it progresses, with no wait and no yield. The area is a region, not a
// rectangle, because the outline of a window-sized square or ring touches little inside its
// bounding rectangle; bands filled by hand report only the pixels that really changed colour, so an
// outline drawn over itself or moved by less than a pixel costs no repaint at all.
class ImageCanvas final : public EffectCanvas {
public:
    using SizeProvider = std::function<QSize()>;    // the window's size in logical pixels
    using ColorProvider = std::function<quint32()>; // the window's BackColor, 0xRRGGBB
    using RepaintCallback = std::function<void(const QRegion& changedPixels)>;

    // `backing` is owned by the window and may be replaced (resized) between calls.
    ImageCanvas(QImage& backing, SizeProvider windowSize, ColorProvider backColor,
                RepaintCallback repaint);

    double width() const override;
    double height() const override;
    quint32 backColor() const override;
    void setDrawWidth(int pixels) override;
    int drawWidth() const override;
    void line(double x1, double y1, double x2, double y2, quint32 color) override;
    void box(double x1, double y1, double x2, double y2, quint32 color) override;
    void filledBox(double x1, double y1, double x2, double y2, quint32 color) override;
    void circle(double cx, double cy, double radius, quint32 color) override;

private:
    // Runs `paint`, which returns the area it changed, then hands that area to repaint.
    template <typename Draw> void draw(Draw paint);
    bool canFillDirectly() const;
    struct Edges {
        double l, t, r, b;
    };
    QRegion fillRects(std::initializer_list<Edges> bands, quint32 color);
    QRegion painted(const QRegion& area, const std::function<void(QPainter&)>& paint);
    QColor colour(quint32 rgb) const;

    QImage& backing_;
    SizeProvider windowSize_;
    ColorProvider backColor_;
    RepaintCallback repaint_;
    int drawWidth_ = 1;
};
