#include "BenchPhotos.h"

#include <cstdio>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

const QString folder = QStringLiteral("/tmp/quirello-bench-picture");

bool run(const QStringList& arguments) {
    QProcess convert;
    convert.start(QStringLiteral("convert"), arguments);
    if (!convert.waitForFinished(300000) || convert.exitCode() != 0) {
        std::fprintf(stderr, "convert failed: %s\n", convert.readAllStandardError().constData());
        return false;
    }
    return true;
}

} // namespace

QStringList benchPhotos(int count) {
    QDir().mkpath(folder);
    // A plasma fractal has the detail of a photo (a flat picture would decode unfairly fast);
    // it is slow to make, so one is made and the others are turned and mirrored from it.
    const QString source = folder + "/plasma.jpg";
    if (!QFileInfo::exists(source)) {
        std::fprintf(stderr, "making the 24-megapixel photos in %s (once)...\n",
                     qPrintable(folder));
        if (!run({"-size", "6000x4000", "-seed", "7", "plasma:fractal", "-quality", "90", source}))
            return {};
    }
    const QStringList variants[] = {{},          {"-flop"},           {"-flip"}, {"-rotate", "180"},
                                    {"-negate"}, {"-flop", "-negate"}};
    QStringList photos;
    for (int i = 0; i < count; ++i) {
        const QString photo =
            folder + QStringLiteral("/photo%1.jpg").arg(i + 1, 2, 10, QLatin1Char('0'));
        if (!QFileInfo::exists(photo)) {
            QStringList arguments{source};
            arguments << variants[i % 6];
            if (i >= 6)
                arguments << "-modulate" << QString::number(90 + i);
            arguments << "-quality"
                      << "90" << photo;
            if (!run(arguments))
                return {};
        }
        photos << photo;
    }
    return photos;
}
