#include "Panorama.h"

#include "BenchPhotos.h"
#include "helpers/DecoderPool.h"
#include "helpers/TimeLimits.h"

#include "core/RegularFile.h"

#include <algorithm>
#include <cstdio>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

namespace {

const QString folder = QStringLiteral("/tmp/quirello-bench-panorama");

// The bench's plasma photo (the detail of a photo) tiled to 40000 x 5000, each tile mirrored
// from its neighbour. ImageMagick refuses pictures this large: Qt writes it.
QString panorama() {
    QDir().mkpath(folder);
    const QString path = folder + "/panorama.jpg";
    if (QFileInfo::exists(path))
        return path;
    const QStringList photo = benchPhotos(1);
    const QImage tile(photo.value(0));
    if (tile.isNull())
        return {};
    std::fprintf(stderr, "making the 200-megapixel panorama in %s (once)...\n", qPrintable(folder));
    QImage whole(40000, 5000, QImage::Format_RGB32);
    QPainter painter(&whole);
    for (int x = 0, n = 0; x < whole.width(); x += tile.width(), ++n)
        for (int y = 0, m = 0; y < whole.height(); y += tile.height(), ++m)
            painter.drawImage(x, y, tile.mirrored(n % 2 == 1, m % 2 == 1));
    painter.end();
    QImageWriter writer(path, "jpg");
    writer.setQuality(90);
    return writer.write(whole) ? path : QString();
}

} // namespace

bool panoramaAgainstItsBound(int rounds) {
    const QString path = panorama();
    if (path.isEmpty())
        return false;
    RegularFile file(path);
    const timelimits::PictureFacts facts{
        file.size(), timelimits::headerSize(file.head(timelimits::HeaderBytes))};
    const double load = timelimits::loadPerCore();
    const qint64 boundNow = timelimits::wallClockBound(facts, load).count();
    constexpr double Loaded = 2.5; // four tasks already waiting for each of two cores
    const qint64 boundLoaded = timelimits::wallClockBound(facts, Loaded).count();
    std::printf("panorama %d x %d, %.1f MB; bound %lld ms now (load %.2f a core), %lld ms at "
                "load %.1f a core\n",
                facts.header.width(), facts.header.height(), double(facts.bytes) / 1e6, boundNow,
                load, boundLoaded, Loaded);
    double slowest = 0;
    bool ok = true;
    for (int r = 0; r < rounds; ++r) {
        DecoderPool helpers({QStringLiteral(QUIRELLO_DECODER_PROGRAM), std::chrono::minutes(5)});
        QElapsedTimer clock;
        clock.start();
        const DecodedPicture picture = helpers.decode(path, [](QSize natural) {
            return QSize(qRound(double(natural.width()) * 1080 / natural.height()), 1080);
        });
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        slowest = std::max(slowest, ms);
        ok = ok && picture.ok();
        std::printf("  decode at 1080 lines in a fresh helper: %.0f ms%s\n", ms,
                    picture.ok() ? "" : " (failed)");
    }
    std::printf("ratio: loaded bound / slowest decode %.2f (the decode may take that many times "
                "longer on a loaded machine)\n",
                double(boundLoaded) / slowest);
    return ok && slowest < double(boundLoaded);
}
