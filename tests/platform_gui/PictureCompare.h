#pragma once

#include <QImage>

// How far a drawing comes out from its reference render. Both are laid on white and scaled
// to fit 128 pixels, which absorbs the differences of antialiasing and of fonts; then the mean
// absolute difference of the colour channels (0 to 255) and the share of pixels where a
// channel differs by more than 64.
struct PictureDifference {
    double meanAbsolute = 255;
    double differingShare = 1;
    // The tolerance the metafile corpus is held to.
    bool withinTolerance() const { return meanAbsolute <= 10 && differingShare <= 0.06; }
};

PictureDifference pictureDifference(const QImage& drawn, const QImage& reference);
