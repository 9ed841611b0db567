// Times LoadImageList on a tree of 10,050 pictures (the folder and 20 child folders) against
// `find DIR -maxdepth 2 -type f | sort -f` on the same tree, and prints the ratio (goal <= 2).
#include "catalogue/LoadImageList.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kPictures = 10050;
constexpr int kChildren = 20;
constexpr int kRuns = 9;

bool buildTree(const QString& root) {
    QDir dir(root);
    for (int c = 1; c <= kChildren; ++c) {
        if (!dir.mkdir(QString::asprintf("Cartella %02d", c)))
            return false;
    }
    // A third of the pictures in the folder itself, the rest spread over the children.
    for (int i = 0; i < kPictures; ++i) {
        const int child = i % 3 == 0 ? 0 : 1 + i % kChildren;
        const QString folder =
            child == 0 ? root : dir.filePath(QString::asprintf("Cartella %02d", child));
        static const char* const kTypes[] = {"jpg", "JPG", "jpeg", "gif", "bmp"};
        QFile file(folder + QString::asprintf("/Foto %05d.%s", i, kTypes[i % 5]));
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double timeFind(const QString& root, qsizetype& lines) {
    QElapsedTimer t;
    t.start();
    QProcess p;
    // The baseline pipeline only; the program itself never runs a shell.
    p.start(QStringLiteral("sh"),
            {QStringLiteral("-c"), QStringLiteral("find \"$1\" -maxdepth 2 -type f | sort -f"),
             QStringLiteral("sh"), root});
    p.waitForFinished(-1);
    const QByteArray out = p.readAllStandardOutput();
    const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    lines = out.count('\n');
    return ms;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    if (!tmp.isValid() || !buildTree(tmp.path())) {
        std::fprintf(stderr, "cannot build the picture tree\n");
        return 1;
    }
    const QString showFolder = tmp.path() + u'/';

    ImageCatalogue catalogue;
    PictureList list;
    std::vector<double> scanMs, findMs;
    int count = 0;
    qsizetype lines = 0;
    // Interleaved, one warm-up of each, so both see the same cache state.
    for (int run = 0; run <= kRuns; ++run) {
        QElapsedTimer t;
        t.start();
        count = LoadImageList(showFolder, catalogue, list);
        const double scan = static_cast<double>(t.nsecsElapsed()) / 1e6;
        const double find = timeFind(tmp.path(), lines);
        if (run > 0) {
            scanMs.push_back(scan);
            findMs.push_back(find);
        }
    }
    const double s = median(scanMs), f = median(findMs);
    std::printf("pictures found %d, listed %d; find listed %lld files\n", count,
                static_cast<int>(list.count()), static_cast<long long>(lines));
    std::printf("LoadImageList (median of %d): %.1f ms\n", kRuns, s);
    std::printf("find | sort -f (median of %d): %.1f ms\n", kRuns, f);
    std::printf("ratio: %.2f (goal <= 2)\n", s / f);
    return 0;
}
