// bench_metafile [--png FOLDER] [FOLDER...]
//
// Every metafile of the folders (by default the corpus, tests/data/metafiles/wmf and .../emf)
// drawn to fit a 1920 x 1080 screen: the program's drawing (decodeMetafile) against the earlier
// SVG conversion and rendering, in the same run. Milliseconds per file (the best of three
// runs), the median and the
// slowest of each, their ratio, and how many files of each kind come out within the
// tolerance of their reference render (NAME.png beside the file). --png writes each drawing
// (NAME.png, and NAME.svg-path.png for the baseline) to FOLDER, to look at.
#include "BaselineSvg.h"
#include "PictureCompare.h"
#include "platform/gui/MetafileDecoder.h"

#include <algorithm>
#include <cstdio>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <vector>

namespace {

constexpr QSize screen(1920, 1080);

QSize fitScreen(QSize natural) {
    return natural.scaled(screen, Qt::KeepAspectRatio).expandedTo({1, 1});
}

struct Figures {
    std::vector<double> ms;
    int within = 0;
    int compared = 0;
};

double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double slowest(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

} // namespace

namespace baseline {

QImage rendered(const MetafileSvg& converted, QSize size) {
    QSvgRenderer renderer(converted.svg);
    if (!renderer.isValid())
        return {};
    if (!converted.viewBox.isEmpty())
        renderer.setViewBox(converted.viewBox);
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

} // namespace baseline

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString pngs;
    if (args.size() >= 2 && args[0] == QLatin1String("--png")) {
        pngs = args[1];
        QDir().mkpath(pngs);
        args = args.mid(2);
    }
    if (args.isEmpty())
        for (const char* kind : {"wmf", "emf"})
            args << QStringLiteral(QUIRELLO_SOURCE_DIR "/tests/data/metafiles/") +
                        QLatin1String(kind);

    std::printf("%-28s %10s %10s %8s  %s\n", "file", "drawn ms", "SVG ms", "ratio",
                "within tolerance (drawn / SVG)");
    Figures drawn[2];
    Figures svg[2];
    for (const QString& folder : args) {
        const QFileInfoList files = QDir(folder).entryInfoList(
            {QStringLiteral("*.wmf"), QStringLiteral("*.emf")}, QDir::Files, QDir::Name);
        for (const QFileInfo& info : files) {
            QFile file(info.filePath());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QByteArray bytes = file.readAll();
            const MetafileKind kind = metafileKind(bytes.left(metafileHeadSize));
            if (kind == MetafileKind::None) {
                std::printf("%-28s not a metafile\n", qPrintable(info.fileName()));
                continue;
            }
            const int k = kind == MetafileKind::Wmf ? 0 : 1;

            QElapsedTimer timer;
            timer.start();
            const DecodedPicture picture = decodeMetafile(bytes, kind, fitScreen);
            const double newMs = timer.nsecsElapsed() / 1e6;

            timer.restart();
            const baseline::MetafileSvg converted =
                kind == MetafileKind::Wmf ? baseline::wmfToSvg(bytes) : baseline::emfToSvg(bytes);
            const QImage old = converted.ok()
                                   ? baseline::rendered(converted, fitScreen(converted.natural))
                                   : QImage();
            const double oldMs = timer.nsecsElapsed() / 1e6;
            drawn[k].ms.push_back(newMs);
            svg[k].ms.push_back(oldMs);

            const QImage reference(folder + u'/' + info.completeBaseName() + ".png");
            QString verdict = QStringLiteral("no reference");
            if (!reference.isNull()) {
                // Each corpus as its test holds it (PictureCompare.h says why they differ).
                const auto difference = k == 0 ? pictureDifference : closerDifference;
                const double share = k == 0 ? 0.06 : EmfDifferingShare;
                const PictureDifference a = difference(picture.image, reference);
                const PictureDifference b = difference(old, reference);
                drawn[k].within += a.withinTolerance(share);
                svg[k].within += b.withinTolerance(share);
                ++drawn[k].compared;
                ++svg[k].compared;
                verdict = QStringLiteral("%1 (%2, %3) / %4 (%5, %6)")
                              .arg(a.withinTolerance(share) ? "yes" : "NO")
                              .arg(a.meanAbsolute, 0, 'f', 1)
                              .arg(a.differingShare, 0, 'f', 3)
                              .arg(b.withinTolerance(share) ? "yes" : "NO")
                              .arg(b.meanAbsolute, 0, 'f', 1)
                              .arg(b.differingShare, 0, 'f', 3);
            }
            std::printf("%-28s %10.1f %10.1f %8.2f  %s\n", qPrintable(info.fileName()), newMs,
                        oldMs, newMs > 0 ? oldMs / newMs : 0, qPrintable(verdict));
            if (!pngs.isEmpty()) {
                picture.image.save(pngs + u'/' + info.completeBaseName() + ".png");
                old.save(pngs + u'/' + info.completeBaseName() + ".svg-path.png");
            }
        }
    }
    for (int k = 0; k < 2; ++k) {
        if (drawn[k].ms.empty())
            continue;
        std::printf("\n%s, %zu files: drawn median %.1f ms, slowest %.1f ms; SVG median %.1f ms, "
                    "slowest %.1f ms; median ratio %.1f\n",
                    k == 0 ? "WMF" : "EMF", drawn[k].ms.size(), median(drawn[k].ms),
                    slowest(drawn[k].ms), median(svg[k].ms), slowest(svg[k].ms),
                    median(drawn[k].ms) > 0 ? median(svg[k].ms) / median(drawn[k].ms) : 0);
        std::printf("  within tolerance: drawn %d of %d, SVG %d of %d\n", drawn[k].within,
                    drawn[k].compared, svg[k].within, svg[k].compared);
    }
    return 0;
}
