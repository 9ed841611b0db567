#include "show/PictureScaling.h"

TwipsSize ShownPictureSize(TwipsSize natural, TwipsSize window, double labelHeight,
                           qint16 allargaFoto) {
    const double space = window.height - labelHeight;
    if (space <= 0 || window.width <= 0 || natural.height <= 0)
        return natural;
    const double ratioW = natural.width / window.width;
    const double ratioH = natural.height / space;
    // Only pictures that do not fit are scaled when enlarging is off; a test against 0 here
    // would let every picture through.
    if (allargaFoto == 0 && ratioW <= 1 && ratioH <= 1)
        return natural;
    return {natural.width / ratioH, natural.height / ratioH};
}
