#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSize>

// A metafile converted to SVG, with what is needed to draw it as the file means it.
struct MetafileSvg {
    QByteArray svg; // empty when the conversion failed
    QSize natural;  // the metafile's frame in pixels at 96 dots per inch
    QRectF viewBox; // the part of the SVG canvas that is the frame (empty: the whole canvas)
    bool ok() const { return !svg.isEmpty() && natural.isValid() && !natural.isEmpty(); }
};

// Windows metafile (placeable or not), through libwmf's SVG device.
MetafileSvg wmfToSvg(const QByteArray& bytes);
