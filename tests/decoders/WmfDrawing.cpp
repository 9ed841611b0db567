#include "WmfDrawing.h"

#include "decoders/MetafileDecoder.h"

#include <gtest/gtest.h>

namespace wmfdrawing {

QImage drawn(const QByteArray& wmf, QSize size, QSize* natural) {
    const DecodedPicture p = decodeMetafile(wmf, metafileKind(wmf.left(metafileHeadSize)),
                                            [size](QSize) { return size; });
    if (natural)
        *natural = p.naturalSize;
    return p.image;
}

bool same(QColor a, QColor b) {
    return a.alpha() == 255 && a.rgb() == b.rgb();
}

void expectProbes(const QImage& image, std::initializer_list<Probe> probes) {
    for (const Probe& p : probes) {
        const QColor c = image.pixelColor(int(p.fx * image.width()), int(p.fy * image.height()));
        if (p.colour)
            EXPECT_TRUE(same(c, *p.colour))
                << p.fx << ", " << p.fy << ": " << c.name(QColor::HexArgb).toStdString();
        else
            EXPECT_EQ(c.alpha(), 0) << p.fx << ", " << p.fy;
    }
}

QRect drawnBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

metafiles::WmfWriter redOnNull() {
    metafiles::WmfWriter w;
    w.solidBrush(Qt::red).nullPen();
    return w;
}

} // namespace wmfdrawing
