#include "decoders/WmfPicture.h"

#include "decoders/EmfPlayer.h"
#include "decoders/MetafileCanvas.h"
#include "pictures/PictureLimits.h"

#include <cmath>

namespace wmf {

namespace {

// A file without a placeable header does not say what its units are. Pixels are the likely
// unit of a small drawing; one larger than a 4K screen was most likely drawn in twips, the unit
// of the programs that wrote such files. Invalid when too large to show.
QSize unplacedNatural(QSizeF units) {
    const double side = std::max(units.width(), units.height());
    const double scale = side > 4096 ? 96.0 / 1440 : 1;
    if (!(side * scale <= picturelimits::maxSide))
        return {}; // refused as too large
    return {std::max(1, int(std::lround(units.width() * scale))),
            std::max(1, int(std::lround(units.height() * scale)))};
}

bool sane(const Header& h) {
    return h.placeable && h.unitsPerInch > 0 && h.frame.width() > 0 && h.frame.height() > 0;
}

} // namespace

std::optional<Layout> layout(const QByteArray& bytes) {
    Reader reader(bytes);
    if (!reader.valid())
        return {};
    const Header& header = reader.header();
    Layout out;
    // What the records draw, measured with logical units taken as they come.
    Player measure(header, Setup{}, nullptr);
    measure.play(reader);
    if (reader.damaged())
        return {};
    if (sane(header)) {
        out.setup.frame = QRectF(header.frame);
        out.setup.unitsPerInch = header.unitsPerInch;
        const double scale = 96.0 / header.unitsPerInch;
        out.natural = QSize(std::max(1, int(std::lround(header.frame.width() * scale))),
                            std::max(1, int(std::lround(header.frame.height() * scale))));
    } else if (const std::optional<QRectF> window = measure.windowAtFirstDraw()) {
        // The file's window maps onto a frame of its size.
        const QSizeF size(std::abs(window->width()), std::abs(window->height()));
        out.setup.frame = QRectF(QPointF(0, 0), size);
        out.natural = unplacedNatural(size);
    } else {
        const QRectF drawn = measure.drawn();
        if (!(drawn.width() > 0 && drawn.height() > 0))
            return {};
        out.setup.frame = drawn;
        out.natural = unplacedNatural(drawn.size());
    }
    return out;
}

void draw(const QByteArray& bytes, const Layout& layout, QImage& image) {
    Reader reader(bytes);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    Setup setup = layout.setup;
    setup.target = image.size();
    Player player(reader.header(), setup, &painter);
    player.play(reader);
}

} // namespace wmf

DecodedPicture decodeWmf(const QByteArray& bytes, const ShownSizeFor& shownSize) {
    const std::optional<wmf::Layout> layout = wmf::layout(bytes);
    if (!layout || !picturelimits::acceptable(layout->natural))
        return {};
    // The drawing as the enhanced metafile it was made from, where the file carries it.
    if (const QByteArray emf = wmf::embeddedEmf(bytes); !emf.isEmpty())
        if (DecodedPicture drawn = emf::decode(emf, shownSize); drawn.ok())
            return drawn;
    QImage image = transparentCanvas(metafileCanvasSize(layout->natural, shownSize));
    if (image.isNull())
        return {};
    wmf::draw(bytes, *layout, image);
    return {image, layout->natural};
}
