#include "decoders/EmfPlayer.h"

#include "pictures/PictureLimits.h"

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
    const auto area = [](const QRectF& r) { return r.width() * r.height(); };
    // Some writers give the frame and bounds in their logical units instead: they then miss
    // the drawing, or hold it as a speck (pstoedit's lengths come out fifteen times too long,
    // its areas 225 times too large). A drawing may well spill over its page, though, or take
    // up a small part of it.
    const auto sane = [&](const QRectF& device) {
        if (device.isEmpty())
            return false;
        const double common = area(drawn.intersected(device));
        return drawn.isEmpty() ||
               (common >= std::min(area(drawn), area(device)) / 10 && common >= area(device) / 150);
    };
    Frame f;
    const QRectF framed(frame.left() * sx, frame.top() * sy, frame.width() * sx,
                        frame.height() * sy);
    const QRectF bounds(QPointF(h.bounds.left(), h.bounds.top()),
                        QPointF(h.bounds.right() + 1, h.bounds.bottom() + 1));
    if (sane(framed)) {
        f.device = framed;
        f.natural = QSize(int(std::lround(frame.width() * 96 / 2540)),
                          int(std::lround(frame.height() * 96 / 2540)));
        return picturelimits::acceptable(f.natural) ? std::optional(f) : std::nullopt;
    }
    if (sane(bounds))
        f.device = bounds;
    else if (!drawn.isEmpty())
        f.device = drawn;
    else
        return std::nullopt;
    f.natural = QSize(int(std::lround(f.device.width() / sx * 96 / 2540)),
                      int(std::lround(f.device.height() / sy * 96 / 2540)));
    return picturelimits::acceptable(f.natural) ? std::optional(f) : std::nullopt;
}

namespace {

// A drawing enlarged a hundred screens wide comes out smaller, proportions kept, and the
// caller stretches it the rest of the way: at most 4096 x 4096 pixels.
constexpr qint64 maxRenderPixels = qint64(4096) * 4096;

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
