#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

// Fills `rect` of a 32-bit image with `pixel` and returns exactly the pixels that changed, as
// few rectangles as rows allow. A thin outline moved by one pixel changes a one-pixel ring,
// and repainting only that ring is what keeps thousands of outlines cheap to show.
QRegion fillChanged(QImage& image, const QRect& rect, quint32 pixel);
