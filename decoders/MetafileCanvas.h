#pragma once

#include "decoders/PictureDecoder.h"

#include <QImage>

// What every metafile is drawn on: a transparent picture at the size it is shown at.

// The size to draw a drawing of `natural` size at: the shown size, larger or smaller (a drawing
// stays sharp), but at most as many pixels as two 4K screens, proportions kept.
QSize metafileCanvasSize(QSize natural, const ShownSizeFor& shownSize);

// A transparent picture of `size`, as a metafile is drawn over what lies beneath; null when it
// cannot be had.
QImage transparentCanvas(QSize size);
