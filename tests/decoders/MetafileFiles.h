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

// `bitmap` as a DIB of 32-bit rows from the bottom up, its alpha (premultiplied) in the fourth
// byte.
QByteArray dib32(const QImage& bitmap);
// `bitmap` as a one-bit DIB: black where a pixel is dark (0), white where it is light (1).
QByteArray dib1(const QImage& bitmap);

// EMF records used again and again: a solid brush of `colour` made in slot `index` and
// selected, with the stock null pen; a rectangle from box.topLeft() to box.bottomRight() +
// (1, 1); `bitmap` stretched over `target` (device pixels) with the raster operation `rop`.
QByteArray emfSolidBrush(QColor colour, int index = 1);
QByteArray emfBox(QRect box);
QByteArray emfStretchDiBits(const QImage& bitmap, QRect target, quint32 rop);
// A record of BITBLT's kind (76 BITBLT, 77 STRETCHBLT, 114 ALPHABLEND, 116 TRANSPARENTBLT),
// `dib` (none: the brush alone) all of it placed over `target`; `operation` is the raster
// operation, the blend or the transparent colour, as the record's type says.
QByteArray emfBlt(int type, QRect target, quint32 operation, const QByteArray& dib,
                  QSize source = {});
// MASKBLT: `source` over `target` (unstretched), `mask` (a one-bit DIB) choosing between the
// two operations of `rop4`.
QByteArray emfMaskBlt(QRect target, quint32 rop4, const QByteArray& source, const QByteArray& mask);

// A StretchDIBits record of a WMF: `bitmap` stretched over `target` (logical units) with
// `rop`.
void wmfStretchDib(WmfWriter& w, const QImage& bitmap, QRect target, quint32 rop);

// The comment records of a WMF that carry `emf` in pieces of at most `piece` bytes, as
// Windows and LibreOffice write them; `lie` is added to the remaining bytes each piece claims.
void carryEmf(WmfWriter& w, const QByteArray& emf, qsizetype piece, int lie = 0);

} // namespace metafiles
