// bench_picture [photos] [rounds] [tick interval ms]
// bench_picture colours [rounds]          (the third part alone)
// bench_picture panorama [rounds]         (the fourth part alone)
// bench_picture ticks [photos] [tick interval ms]   (the second part alone)
// bench_picture overhead [photos] [rounds] (the helper's overhead alone; goal <= 1.03)
//
// 1. From file to the picture ready to show on a 1920 x 1080 screen (fit to the height, as the
//    show does), for 24-megapixel JPEGs: decodePicture (header first, decode at the shown size)
//    against a full-size decode plus smooth scaling; and the same decodePicture in the decoder
//    helper, as the program does it, against decodePicture in the process (the helper's
//    overhead). Milliseconds per picture, the ratios, and each pipeline's resident memory
//    high-water mark, each variant in a child process (the helper's own memory not counted).
//    Then the same screen at two device pixels to a logical one (3840 x 2160 device pixels),
//    against the decode at the shown size for scale 1.
// 2. The tick's wait for its picture at a steady interval, through the helper: decoded ahead
//    while the previous picture is on screen (the tick takes it when it is at hand, and waits on
//    the event loop until then, as the show does), against a decode at the tick. Goal: a wait
//    of at most 10 ms with the decode ahead.
// 3. The first photo tagged Display P3 against the same photo untagged, through the helper:
//    what converting its colours costs, in time and in the helper's memory.
// 4. A 200-megapixel panorama (40000 x 5000, the plasma tiled) decoded by the helper at the
//    screen's height, against the wall-clock bound the program gives it, idle and loaded.
#include "BenchPhotos.h"
#include "decoders/PictureDecoder.h"
#include "desktop/PictureAhead.h"
#include "helpers/DecoderPool.h"
#include "Measure.h"
#include "Panorama.h"
#include "TaggedPhotos.h"

#include <cstdio>
#include <functional>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImageReader>
#include <QThread>

namespace {

constexpr QSize screen(1920, 1080);
// The same screen at a device pixel ratio of 2: the show decodes at its device pixels.
constexpr QSize screen2x(3840, 2160);

QSize fitHeightOn(QSize natural, QSize on) {
    return QSize(qRound(double(natural.width()) * on.height() / natural.height()), on.height());
}
QSize fitHeight(QSize natural) {
    return fitHeightOn(natural, screen);
}
QSize fitHeight2x(QSize natural) {
    return fitHeightOn(natural, screen2x);
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

QImage decodeAtShownSize2x(const QString& path) {
    return decodePicture(path, fitHeight2x).image;
}

QString helperProgram() {
    return QStringLiteral(QUIRELLO_DECODER_PROGRAM);
}

std::vector<double> timeEach(const QStringList& photos, int rounds,
                             const std::function<QImage(const QString&)>& pipeline,
                             QSize on = screen) {
    std::vector<double> steps;
    for (int r = 0; r < rounds; ++r) {
        for (const QString& photo : photos) {
            QElapsedTimer clock;
            clock.start();
            const QImage image = pipeline(photo);
            steps.push_back(double(clock.nsecsElapsed()) / 1e6);
            if (image.size() != fitHeightOn({6000, 4000}, on))
                return {};
        }
    }
    return steps;
}

// The same decode in the process and in the helper, alternating photo by photo (and which goes
// first), so that the machine's load weighs on both alike. Mean milliseconds of each.
struct Overhead {
    double inProcessMs = 0;
    double helperMs = 0;
    bool ok = false;
};
Overhead helperOverhead(const QStringList& photos, int rounds) {
    DecoderPool helpers({helperProgram()});
    helpers.decode(photos.first(), fitHeight);
    decodePicture(photos.first(), fitHeight);
    Overhead o;
    int n = 0;
    for (int r = 0; r < rounds; ++r) {
        for (const QString& photo : photos) {
            for (int turn = 0; turn < 2; ++turn) {
                const bool inHelper = (turn + n) % 2 == 0;
                QElapsedTimer clock;
                clock.start();
                const QSize size = inHelper ? helpers.decode(photo, fitHeight).image.size()
                                            : decodePicture(photo, fitHeight).image.size();
                const double ms = double(clock.nsecsElapsed()) / 1e6;
                if (size != fitHeight({6000, 4000}))
                    return {};
                (inHelper ? o.helperMs : o.inProcessMs) += ms;
            }
            ++n;
        }
    }
    o.inProcessMs /= n;
    o.helperMs /= n;
    o.ok = n > 0;
    return o;
}

// The picture as the show's tick takes it: at once when at hand, else once its decode has ended,
// the thread on its event loop meanwhile.
DecodedPicture takeWhenReady(PictureAhead& decoder, const QString& photo) {
    QEventLoop waiting;
    decoder.onReady([&] { waiting.quit(); });
    for (;;) {
        if (std::optional<DecodedPicture> picture = decoder.takeReady(photo, fitHeight))
            return *picture;
        waiting.exec();
    }
}

void printOverhead(const Overhead& o) {
    if (o.ok)
        std::printf("helper overhead, alternating picture by picture: %.1f ms in the helper "
                    "against %.1f ms in the process, ratio %.3f (%+.1f ms a picture)\n",
                    o.helperMs, o.inProcessMs, o.helperMs / o.inProcessMs,
                    o.helperMs - o.inProcessMs);
}

// A show of `photos` at `intervalMs`: what the tick waits for its picture.
std::vector<double> tickWaits(const QStringList& photos, int intervalMs, bool ahead) {
    DecoderPool helpers({helperProgram()});
    PictureAhead decoder(helpers);
    helpers.decode(photos.first(), fitHeight); // the helper started, as after the first picture
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
            ahead ? takeWhenReady(decoder, photos[i]) : helpers.decode(photos[i], fitHeight);
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

void print(const char* name, const Figures& f);

// The tick's wait for its picture, decoded at the tick against decoded ahead.
bool compareTickWaits(const QStringList& photos, int intervalMs) {
    std::printf("ticks every %d ms, %d photos: the tick's wait for its picture (helper)\n",
                intervalMs, int(photos.size()));
    const Figures atTick = measureInChild([&] { return tickWaits(photos, intervalMs, false); });
    const Figures ahead = measureInChild([&] { return tickWaits(photos, intervalMs, true); });
    print("decoded at the tick (baseline)", atTick);
    print("decoded ahead", ahead);
    if (atTick.ok && ahead.ok)
        std::printf("ratio: %.1f times shorter wait; the tick's wait with the decode ahead %.1f ms "
                    "(goal <= 10 ms)\n",
                    atTick.meanMs / ahead.meanMs, ahead.meanMs);
    std::printf("\n");
    return atTick.ok && ahead.ok;
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
    if (argc > 1 && QByteArray(argv[1]) == "panorama")
        return panoramaAgainstItsBound(argc > 2 ? std::max(1, atoi(argv[2])) : 3) ? 0 : 1;
    if (argc > 1 && QByteArray(argv[1]) == "ticks") {
        const QStringList photos = benchPhotos(argc > 2 ? std::max(2, atoi(argv[2])) : 5);
        return !photos.isEmpty() &&
                       compareTickWaits(photos, argc > 3 ? std::max(100, atoi(argv[3])) : 2000)
                   ? 0
                   : 1;
    }
    if (argc > 1 && QByteArray(argv[1]) == "colours") {
        const QStringList photo = benchPhotos(1);
        return !photo.isEmpty() && compareTaggedWithUntagged(
                                       photo.first(), argc > 2 ? std::max(1, atoi(argv[2])) : 12)
                   ? 0
                   : 1;
    }
    if (argc > 1 && QByteArray(argv[1]) == "overhead") {
        const QStringList photos = benchPhotos(argc > 2 ? std::max(1, atoi(argv[2])) : 5);
        const Overhead o =
            photos.isEmpty() ? Overhead{} : helperOverhead(photos, argc > 3 ? atoi(argv[3]) : 3);
        printOverhead(o);
        return o.ok ? 0 : 1;
    }
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
    const Figures shown2x = measureInChild([&] {
        decodeAtShownSize2x(photos.first());
        return timeEach(photos, rounds, decodeAtShownSize2x, screen2x);
    });
    const Figures helper = measureInChild([&] {
        DecoderPool helpers({helperProgram()});
        const auto throughHelper = [&](const QString& path) {
            return helpers.decode(path, fitHeight).image;
        };
        throughHelper(photos.first()); // the helper started and warm, as after the first picture
        return timeEach(photos, rounds, throughHelper);
    });
    const Overhead overhead = helperOverhead(photos, rounds);
    print("full decode + smooth scaling (baseline)", baseline);
    print("decode at the shown size", shown);
    if (baseline.ok && shown.ok)
        std::printf("ratio: %.2f times faster, %.2f times less memory\n",
                    baseline.meanMs / shown.meanMs, baseline.pipelineMB / shown.pipelineMB);
    print("decode at the shown size, in the helper", helper);
    printOverhead(overhead);
    print("scale 2: at the shown size, 3840 x 2160", shown2x);
    if (shown.ok && shown2x.ok)
        std::printf("ratio scale 2 / scale 1: %.2f (goal <= 1.5)\n\n",
                    shown2x.meanMs / shown.meanMs);

    const bool ticks = compareTickWaits(photos, intervalMs);
    const bool colours = compareTaggedWithUntagged(photos.first(), 4 * rounds);
    return baseline.ok && shown.ok && shown2x.ok && helper.ok && ticks && colours ? 0 : 1;
}
