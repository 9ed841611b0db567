#pragma once

#include <QPointF>
#include <QRectF>
#include <QRegion>

// The pixels a shape can touch, as a few rectangles: repainting only those keeps an effect of
// thousands of outlines cheap, where the bounding rectangle of a window-sized outline or ring
// would repaint the whole window at every step. Pen widths in pixels; each area has a margin
// of a pixel or two for rounding.
namespace changedarea {

QRegion line(QPointF from, QPointF to, double pen);
QRegion boxOutline(const QRectF& box, double pen);
QRegion filledBox(const QRectF& box);
QRegion ring(QPointF centre, double radius, double pen);

} // namespace changedarea
