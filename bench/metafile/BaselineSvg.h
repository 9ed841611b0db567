#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>

// The earlier way of drawing a metafile, kept as the benchmark's baseline: the file converted
// to SVG (libwmf for WMF, libemf2svg for EMF), which Qt SVG then renders.
namespace baseline {

struct MetafileSvg {
    QByteArray svg;
    QSize natural;
    QRectF viewBox;
    bool ok() const { return !svg.isEmpty() && natural.isValid() && !natural.isEmpty(); }
};

MetafileSvg wmfToSvg(const QByteArray& bytes);
MetafileSvg emfToSvg(const QByteArray& bytes);

// The converted drawing rendered at `size`, transparent where nothing is drawn.
QImage rendered(const MetafileSvg& converted, QSize size);

} // namespace baseline
