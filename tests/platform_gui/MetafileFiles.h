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

// An EMF record: its type, then its values as 32-bit words (the size is put in).
void emfRecord(QByteArray& out, int type, std::initializer_list<qint64> values,
               const QByteArray& tail = {});
// An EMF of `records` (the end record is added) whose frame is `frameHundredthsMm`, on a
// reference device of 96 pixels to the inch, saying it draws over `bounds` (device pixels).
QByteArray emfFile(QRect frameHundredthsMm, QRect bounds, const QByteArray& records);
// A colour as metafiles write it.
quint32 colorRef(QColor c);
// `image` as a bottom-up 24-bit device-independent bitmap: its 40-byte header, then its rows.
QByteArray dib24(const QImage& image);

} // namespace metafiles
