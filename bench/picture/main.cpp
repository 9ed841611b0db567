// bench_picture [photos] [rounds] [tick interval ms]
//
// 1. From file to the picture ready to show on a 1920 x 1080 screen (fit to the height, as the
//    show does), for 24-megapixel JPEGs: decodePicture (header first, decode at the shown size)
//    against a full-size decode plus smooth scaling. Milliseconds per picture, the ratio, and
//    each pipeline's resident memory high-water mark, each variant in a child process.
// 2. The tick's wait for its picture at a steady interval: decoded ahead while the previous
//    picture is on screen, against a decode at the tick.
#include "BenchPhotos.h"
#include "Measure.h"
#include "platform/decoder/DecoderPool.h"
#include "platform/gui/PictureAhead.h"
#include "platform/gui/PictureDecoder.h"

#include <cstdio>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QThread>

namespace {

constexpr QSize screen(1920, 1080);

QSize fitHeight(QSize natural) {
    return QSize(qRound(double(natural.width()) * screen.height() / natural.height()),
                 screen.height());
}

QImage fullDecodeThenScale(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage full = reader.read();
    return full.scaled(fitHeight(full.size()), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage decodeAtShownSize(const QString& path) {
    return decodePicture(path, fitHeight).image;
}

std::vector<double> timeEach(const QStringList& photos, int rounds,
                             QImage (*pipeline)(const QString&)) {
    std::vector<double> steps;
    for (int r = 0; r < rounds; ++r) {
        for (const QString& photo : photos) {
            QElapsedTimer clock;
            clock.start();
            const QImage image = pipeline(photo);
            steps.push_back(double(clock.nsecsElapsed()) / 1e6);
            if (image.size() != fitHeight({6000, 4000}))
                return {};
        }
    }
    return steps;
}

// A show of `photos` at `intervalMs`: what the tick waits for its picture.
std::vector<double> tickWaits(const QStringList& photos, int intervalMs, bool ahead) {
    DecoderPool helpers({QStringLiteral(QUIRELLO_DECODER_PROGRAM)});
    PictureAhead decoder(helpers);
    std::vector<double> waits;
    QElapsedTimer show;
    show.start();
    for (int i = 0; i < photos.size(); ++i) {
        const qint64 tickAt = qint64(i) * intervalMs;
        while (show.elapsed() < tickAt)
            QThread::msleep(1);
        QElapsedTimer clock;
        clock.start();
        const DecodedPicture picture =
            ahead ? decoder.take(photos[i], fitHeight) : decodePicture(photos[i], fitHeight);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        if (!picture.ok())
            return {};
        // The first tick has nothing decoded ahead of it in either variant.
        if (i > 0)
            waits.push_back(ms);
        if (ahead && i + 1 < photos.size())
            decoder.prepare(photos[i + 1], fitHeight);
    }
    return waits;
}

void print(const char* name, const Figures& f) {
    if (!f.ok) {
        std::printf("%-40s failed\n", name);
        return;
    }
    std::printf("%-40s %8.1f ms (best %6.1f)   peak RSS %6.1f MB, pipeline %6.1f MB\n", name,
                f.meanMs, f.minMs, f.peakMB, f.pipelineMB);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    const int intervalMs = argc > 3 ? std::max(100, atoi(argv[3])) : 2000;
    const QStringList photos = benchPhotos(count);
    if (photos.isEmpty())
        return 1;
    std::printf("%d photos of 6000 x 4000 (JPEG quality 90), %d rounds, screen %d x %d\n\n",
                int(photos.size()), rounds, screen.width(), screen.height());

    const Figures baseline = measureInChild([&] {
        fullDecodeThenScale(photos.first()); // reader and plugin ready, files in the cache
        return timeEach(photos, rounds, fullDecodeThenScale);
    });
    const Figures shown = measureInChild([&] {
        decodeAtShownSize(photos.first());
        return timeEach(photos, rounds, decodeAtShownSize);
    });
    print("full decode + smooth scaling (baseline)", baseline);
    print("decode at the shown size", shown);
    if (baseline.ok && shown.ok)
        std::printf("ratio: %.2f times faster, %.2f times less memory\n\n",
                    baseline.meanMs / shown.meanMs, baseline.pipelineMB / shown.pipelineMB);

    std::printf("ticks every %d ms, %d photos: the tick's wait for its picture\n", intervalMs,
                int(photos.size()));
    const Figures atTick = measureInChild([&] { return tickWaits(photos, intervalMs, false); });
    const Figures ahead = measureInChild([&] { return tickWaits(photos, intervalMs, true); });
    print("decoded at the tick (baseline)", atTick);
    print("decoded ahead", ahead);
    if (atTick.ok && ahead.ok)
        std::printf("ratio: %.1f times shorter wait\n", atTick.meanMs / ahead.meanMs);
    return baseline.ok && shown.ok && atTick.ok && ahead.ok ? 0 : 1;
}
