#pragma once

#include <QImage>

// How far a drawing comes out from its reference render. Both are laid on white and scaled
// to fit 128 pixels, which absorbs the differences of antialiasing and of fonts; then the mean
// absolute difference of the colour channels (0 to 255) and the share of pixels where a
// channel differs by more than 64.
struct PictureDifference {
    double meanAbsolute = 255;
    double differingShare = 1;
    // The tolerance the metafile corpus is held to: a mean of at most 10 and at most
    // `maxShare` of the pixels differing. The WMF references are renders of the same files by
    // another program (6 %); the EMF references are their writers' own pictures of the same
    // drawing, with their own fonts and line ends (10 %).
    bool withinTolerance(double maxShare = 0.06) const {
        return meanAbsolute <= 10 && differingShare <= maxShare;
    }
};
inline constexpr double EmfDifferingShare = 0.10;

PictureDifference pictureDifference(const QImage& drawn, const QImage& reference);

// The closer of the comparison of the whole pictures and of the two cut to what they draw:
// some writers put a margin around one of their outputs that the other lacks.
PictureDifference closerDifference(const QImage& drawn, const QImage& reference);
