#pragma once

#include <optional>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <utility>

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

// A WMF's records, written one by one; `file` puts the headers in front.
class WmfWriter {
public:
    // A record of 16-bit parameters, as the format stores them (points as y, x).
    WmfWriter& add(int function, std::initializer_list<int> params);
    // A record whose parameters are `params` followed by `bytes`.
    WmfWriter& add(int function, std::initializer_list<int> params, const QByteArray& bytes);
    // Records that are used again and again.
    WmfWriter& solidBrush(QColor colour); // made and selected, in the next free slot
    WmfWriter& nullPen();
    WmfWriter& rectangle(QRect box); // from box.topLeft() to box.bottomRight() + (1, 1)
    // The placeable header (when `frame` is given), the WMF header and the records with the
    // end record.
    QByteArray file(std::optional<QRect> frame, int unitsPerInch = 1440) const;

private:
    QByteArray records_;
    int objects_ = 0;
};

// A font's record parameters: `face`, letters `height` logical units high, turned by
// `escapement` tenths of a degree, bold.
QByteArray fontParams(const QByteArray& face, int height, int escapement);

// A placeable WMF (96 units to the inch) with `text` in red DejaVu Sans 40 units high at `at`,
// turned and aligned as asked, on no background.
QByteArray wmfWithText(QRect frame, QPoint at, const QByteArray& text, int escapement, int align);

// A colour as two 16-bit words, low first.
std::pair<int, int> colourWords(QColor c);

// `bitmap` as a DIB: a 40-byte info header and 24-bit rows from the bottom up.
QByteArray dib24(const QImage& bitmap);
// An EMF record: its type, then its values as 32-bit words (the size is put in).
void emfRecord(QByteArray& out, int type, std::initializer_list<qint64> values,
               const QByteArray& tail = {});
// An EMF of `records` (the end record is added) whose frame is `frameHundredthsMm`, on a
// reference device of 96 pixels to the inch, saying it draws over `bounds` (device pixels).
QByteArray emfFile(QRect frameHundredthsMm, QRect bounds, const QByteArray& records);
// A colour as metafiles write it.
quint32 colorRef(QColor c);

} // namespace metafiles
