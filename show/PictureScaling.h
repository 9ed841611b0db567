#pragma once

#include "core/Twips.h"

#include <QtGlobal>

// The size a picture of `natural` size is shown at in a window of `window` size whose label is
// `labelHeight` high. The picture is scaled, proportions kept, until its height is the window
// height less the label's (also when the label is not shown; a wide picture is then cut at the
// sides). With `allargaFoto` 0 a picture that fits in that space keeps its natural size.
TwipsSize ShownPictureSize(TwipsSize natural, TwipsSize window, double labelHeight,
                           qint16 allargaFoto);
