#pragma once

#include <QtGlobal>

// What the transition effects draw on: the show window, measured in twips (15 to a logical
// pixel). Colours are 0xRRGGBB. Pen widths are in pixels.
class EffectCanvas {
public:
    virtual ~EffectCanvas() = default;
    // The window's outer size in twips.
    virtual double width() const = 0;
    virtual double height() const = 0;
    // The window's current background colour, read before each drawing call.
    virtual quint32 backColor() const = 0;
    virtual void setDrawWidth(int pixels) = 0;
    virtual int drawWidth() const = 0;
    // Each call is seen on screen as soon as it is made.
    virtual void line(double x1, double y1, double x2, double y2, quint32 color) = 0;
    virtual void box(double x1, double y1, double x2, double y2, quint32 color) = 0;
    virtual void filledBox(double x1, double y1, double x2, double y2, quint32 color) = 0;
    virtual void circle(double cx, double cy, double radius, quint32 color) = 0;
};
