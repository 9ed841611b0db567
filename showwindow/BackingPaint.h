#pragma once

#include <QImage>
#include <QRegion>

class QPainter;

// Copies the areas of `backing` asked for by a paint event onto the window, at the same place;
// the region is in logical pixels, the backing may hold several device pixels to each.
// Qt hands a copy taller than about a hundred rows to its worker threads; for the thin bands
// an effect repaints by the thousand, waking them costs far more than the copy, so such
// bands are copied in slices short enough to stay on this thread.
void paintBacking(QPainter& painter, const QImage& backing, const QRegion& region);
