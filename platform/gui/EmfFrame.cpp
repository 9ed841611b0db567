#include "platform/gui/EmfPlayer.h"

#include "platform/gui/PictureLimits.h"

#include <cmath>

// The picture an enhanced metafile makes: where its frame lies and how large it is drawn.
namespace emf {

std::optional<Frame> frameOf(const Header& h, const QRectF& drawn) {
    if (h.devicePixels.isEmpty() || h.deviceMicrometres.isEmpty())
        return std::nullopt;
    // Device pixels per hundredth of a millimetre.
    const double sx = h.devicePixels.width() / (h.deviceMicrometres.width() / 10);
    const double sy = h.devicePixels.height() / (h.deviceMicrometres.height() / 10);
    const QRectF frame(QPointF(h.frame.left(), h.frame.top()),
                       QPointF(h.frame.right(), h.frame.bottom()));
    const QRectF device(frame.left() * sx, frame.top() * sy, frame.width() * sx,
                        frame.height() * sy);
    const auto area = [](const QRectF& r) { return r.width() * r.height(); };
    // Some writers give the frame in their logical units instead: it then misses the drawing,
    // or holds it as a speck. A drawing may well spill over its page, though.
    const bool sane = !device.isEmpty() &&
                      (drawn.isEmpty() ||
                       area(drawn.intersected(device)) >= std::min(area(drawn), area(device)) / 10);
    Frame f;
    if (sane) {
        f.device = device;
        f.natural = QSize(int(std::lround(frame.width() * 96 / 2540)),
                          int(std::lround(frame.height() * 96 / 2540)));
    } else if (!drawn.isEmpty()) {
        f.device = drawn;
        f.natural = QSize(int(std::lround(drawn.width() / sx * 96 / 2540)),
                          int(std::lround(drawn.height() / sy * 96 / 2540)));
    } else {
        return std::nullopt;
    }
    if (!picturelimits::acceptable(f.natural))
        return std::nullopt;
    return f;
}

namespace {

// A drawing enlarged a hundred screens wide comes out smaller, proportions kept, and the
// caller stretches it the rest of the way: at most 4096 x 4096 pixels.
constexpr qint64 maxRenderPixels = 4096 * 4096;

QSize withinRenderPixels(QSize size) {
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels <= maxRenderPixels)
        return size;
    const double f = std::sqrt(double(maxRenderPixels) / double(pixels));
    return {std::max(1, int(size.width() * f)), std::max(1, int(size.height() * f))};
}

} // namespace

DecodedPicture decode(const QByteArray& bytes, const ShownSizeFor& shownSize) {
    const std::optional<Header> header = readHeader(bytes);
    if (!header)
        return {};
    const std::optional<Frame> frame = frameOf(*header, Player::measure(bytes, *header));
    if (!frame)
        return {};
    // Drawn at the size it is shown at, larger or smaller: a drawing stays sharp.
    QSize shown = shownSize ? shownSize(frame->natural) : frame->natural;
    if (!picturelimits::acceptable(shown))
        shown = frame->natural;
    const QSize size = withinRenderPixels(shown);
    // Transparent where nothing is drawn, as a metafile is drawn over what lies beneath.
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        Player(*header, *frame, painter, QSizeF(size)).play(bytes);
    }
    return {image, frame->natural};
}

} // namespace emf
