#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

// Metafiles written record by record.
namespace metafiles {

// A placeable WMF whose frame is `frame` (logical units, `unitsPerInch` to the inch), with the
// window origin set to `origin` and one rectangle `box` filled with `fill`, no outline.
QByteArray wmfWithRectangle(QRect frame, int unitsPerInch, QPoint origin, QRect box, QColor fill);

// An EMF whose frame is `frameHundredthsMm` and whose reference device has 96 pixels to the
// inch, with one rectangle `box` (device pixels) filled with `fill`, no outline.
QByteArray emfWithRectangle(QRect frameHundredthsMm, QRect box, QColor fill);

// The same WMF frame with `bitmap` stretched over `box` (a 24-bit DIB in a StretchDIB record).
QByteArray wmfWithBitmap(QRect frame, int unitsPerInch, QRect box, const QImage& bitmap);

} // namespace metafiles
