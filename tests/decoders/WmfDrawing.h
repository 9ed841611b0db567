#pragma once

#include "MetafileFiles.h"

#include <optional>
#include <QImage>

// What the WMF player's tests share: record functions by name, a file drawn in the process,
// and probes of the picture.
namespace wmfdrawing {

enum : int {
    setBkMode = 0x0102,
    setMapMode = 0x0103,
    restoreDC = 0x0127,
    selectClipRegion = 0x012C,
    selectObject = 0x012D,
    setTextAlign = 0x012E,
    saveDC = 0x001E,
    createPalette = 0x00F7,
    selectPalette = 0x0234,
    setBkColor = 0x0201,
    setTextColor = 0x0209,
    setWindowOrg = 0x020B,
    setWindowExt = 0x020C,
    setViewportOrg = 0x020D,
    setViewportExt = 0x020E,
    createFont = 0x02FB,
    createBrush = 0x02FC,
    excludeClipRect = 0x0415,
    intersectClipRect = 0x0416,
    createRegion = 0x06FF,
    dibStretchBlt = 0x0B41,
};

// The metafile drawn at `size` (null when refused), and its natural size.
QImage drawn(const QByteArray& wmf, QSize size, QSize* natural = nullptr);

// Opaque and of that colour.
bool same(QColor a, QColor b);

// What a probe at (fx, fy) of the picture must find: a colour, or nothing drawn.
struct Probe {
    double fx, fy;
    std::optional<QColor> colour;
};
void expectProbes(const QImage& image, std::initializer_list<Probe> probes);

// The box of what is drawn (alpha above half).
QRect drawnBox(const QImage& image);

// A red brush and the null pen, selected.
metafiles::WmfWriter redOnNull();

} // namespace wmfdrawing
