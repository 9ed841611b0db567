// bench_metafile [--png FOLDER] [FOLDER...]
// bench_metafile --records FILE...
//
// Every metafile of the folders (by default the corpus: tests/data/metafiles/wmf, .../emf and
// .../libreoffice) drawn to fit a 1920 x 1080 screen: the program's drawing (decodeMetafile)
// against the earlier SVG conversion and rendering, in the same run. Milliseconds per file
// (the best of three runs), the median and the slowest of each corpus and kind, their ratio,
// and how many files come out within the tolerance of their reference render (NAME.png beside
// the file) as the corpus's test holds them. --png writes each drawing (NAME.EXT.png, and
// NAME.EXT.svg-path.png for the baseline) to FOLDER, to look at.
//
// --records lists which records each file holds, how many of each (RecordCounts.cpp).
#include "BaselineSvg.h"
#include "decoders/MetafileDecoder.h"
#include "PictureCompare.h"
#include "RecordCounts.h"

#include <algorithm>
#include <cstdio>
#include <map>
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

// The best of three runs of `work`, in milliseconds.
template <class Work> double bestOfThree(Work&& work) {
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

// How each corpus's test holds its files (PictureCompare.h says why they differ): the
// writers' EMFs against their writers' renders of the same drawing, cut to what they draw;
// the others against another program's render of the same file.
struct Rule {
    PictureDifference (*difference)(const QImage&, const QImage&);
    double share;
};
Rule ruleFor(const QString& folder, MetafileKind kind) {
    if (kind == MetafileKind::Emf && QDir(folder).dirName() == QLatin1String("emf"))
        return {closerDifference, EmfDifferingShare};
    return {pictureDifference, 0.06};
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
    if (!args.isEmpty() && args[0] == QLatin1String("--records")) {
        for (const QString& path : args.mid(1))
            printRecordCounts(path);
        return 0;
    }
    QString pngs;
    if (args.size() >= 2 && args[0] == QLatin1String("--png")) {
        pngs = args[1];
        QDir().mkpath(pngs);
        args = args.mid(2);
    }
    if (args.isEmpty())
        for (const char* corpus : {"wmf", "emf", "libreoffice"})
            args << QStringLiteral(QUIRELLO_SOURCE_DIR "/tests/data/metafiles/") +
                        QLatin1String(corpus);

    std::printf("%-36s %10s %10s %8s  %s\n", "file", "drawn ms", "SVG ms", "ratio",
                "within tolerance (drawn / SVG)");
    // Each corpus (folder) and kind on its own, and every file together.
    std::map<QString, std::pair<Figures, Figures>> corpora;
    Figures allDrawn, allSvg;
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
                std::printf("%-36s not a metafile\n", qPrintable(info.fileName()));
                continue;
            }
            DecodedPicture picture;
            const double newMs =
                bestOfThree([&] { picture = decodeMetafile(bytes, kind, fitScreen); });
            QImage old;
            const double oldMs = bestOfThree([&] {
                const baseline::MetafileSvg converted = kind == MetafileKind::Wmf
                                                            ? baseline::wmfToSvg(bytes)
                                                            : baseline::emfToSvg(bytes);
                old = converted.ok() ? baseline::rendered(converted, fitScreen(converted.natural))
                                     : QImage();
            });
            const QString label =
                QDir(folder).dirName() +
                (kind == MetafileKind::Wmf ? QStringLiteral(" WMF") : QStringLiteral(" EMF"));
            auto& [drawn, svg] = corpora[label];
            for (Figures* f : {&drawn, &allDrawn})
                f->ms.push_back(newMs);
            for (Figures* f : {&svg, &allSvg})
                f->ms.push_back(oldMs);

            const QImage reference(folder + u'/' + info.completeBaseName() + ".png");
            QString verdict = QStringLiteral("no reference");
            if (!reference.isNull()) {
                const Rule rule = ruleFor(folder, kind);
                const PictureDifference a = rule.difference(picture.image, reference);
                const PictureDifference b = rule.difference(old, reference);
                for (Figures* f : {&drawn, &allDrawn})
                    f->within += a.withinTolerance(rule.share), ++f->compared;
                for (Figures* f : {&svg, &allSvg})
                    f->within += b.withinTolerance(rule.share), ++f->compared;
                verdict = QStringLiteral("%1 (%2, %3) / %4 (%5, %6)")
                              .arg(a.withinTolerance(rule.share) ? "yes" : "NO")
                              .arg(a.meanAbsolute, 0, 'f', 1)
                              .arg(a.differingShare, 0, 'f', 3)
                              .arg(b.withinTolerance(rule.share) ? "yes" : "NO")
                              .arg(b.meanAbsolute, 0, 'f', 1)
                              .arg(b.differingShare, 0, 'f', 3);
            }
            std::printf("%-36s %10.1f %10.1f %8.2f  %s\n", qPrintable(info.fileName()), newMs,
                        oldMs, newMs > 0 ? oldMs / newMs : 0, qPrintable(verdict));
            if (!pngs.isEmpty()) {
                picture.image.save(pngs + u'/' + info.fileName() + ".png");
                old.save(pngs + u'/' + info.fileName() + ".svg-path.png");
            }
        }
    }
    const auto summary = [](const QString& label, const Figures& drawn, const Figures& svg) {
        std::printf("\n%s, %zu files: drawn median %.1f ms, slowest %.1f ms; SVG median %.1f ms, "
                    "slowest %.1f ms; median ratio %.1f\n",
                    qPrintable(label), drawn.ms.size(), median(drawn.ms), slowest(drawn.ms),
                    median(svg.ms), slowest(svg.ms),
                    median(drawn.ms) > 0 ? median(svg.ms) / median(drawn.ms) : 0);
        std::printf("  within tolerance: drawn %d of %d, SVG %d of %d\n", drawn.within,
                    drawn.compared, svg.within, svg.compared);
    };
    for (const auto& [label, figures] : corpora)
        summary(label, figures.first, figures.second);
    summary(QStringLiteral("all"), allDrawn, allSvg);
    return 0;
}
