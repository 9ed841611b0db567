#include "decoders/MetafileCanvas.h"

#include "pictures/PictureLimits.h"

#include <algorithm>
#include <cmath>

namespace {

// A drawing is rendered with at most this many pixels (64 MB), its proportions kept: enough for
// two 4K screens. Asked for more (a drawing enlarged a hundred screens wide), it comes out smaller
// and the caller stretches it the rest of the way.
constexpr qint64 maxRenderPixels = qint64(4096) * 4096;

} // namespace

QSize metafileCanvasSize(QSize natural, const ShownSizeFor& shownSize) {
    QSize size = shownSize ? shownSize(natural) : natural;
    if (!picturelimits::acceptable(size))
        size = natural;
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels <= maxRenderPixels)
        return size;
    const double f = std::sqrt(double(maxRenderPixels) / double(pixels));
    return {std::max(1, int(size.width() * f)), std::max(1, int(size.height() * f))};
}

QImage transparentCanvas(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull())
        image.fill(Qt::transparent);
    return image;
}
