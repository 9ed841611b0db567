#include "platform/gui/MetafileDecoder.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <cmath>
#include <gtest/gtest.h>
#include <QDir>
#include <QPainter>
#include <vector>

// Real metafiles written by gnuplot, fig2dev, pstoedit and Inkscape, each drawn at the size of
// the writer's own render of the same drawing and compared with it (tests/data/metafiles/emf/
// README.md says where each came from).
namespace {

// Both pictures over white, shrunk to fit 128 pixels: antialiasing and the fonts' small
// differences blur away; what is missing, misplaced, misshapen or miscoloured does not. Some
// writers put a margin around one output that the other lacks: each pair is compared both
// whole and cut to what is drawn, and the closer comparison counts.
constexpr int compareSide = 128;
// Tolerance: the mean difference of a channel (0-255) and the share of pixels that differ by
// more than a quarter of the range in some channel.
constexpr double maxMeanDifference = 10;
constexpr double maxDifferingShare = 0.10;
constexpr int differingStep = 64;
constexpr int inkStep = 24; // what differs this much from white is drawn

QImage overWhite(const QImage& image) {
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter(&out).drawImage(0, 0, image);
    return out;
}

// Where the drawing lies: the box holding all but the outermost half percent of drawn pixels
// on each side, so that a stray faint stroke does not move it.
QRect ink(const QImage& image) {
    std::vector<int> columns(size_t(image.width())), rows(size_t(image.height()));
    int total = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (255 - std::min({qRed(p), qGreen(p), qBlue(p)}) > inkStep)
                ++columns[size_t(x)], ++rows[size_t(y)], ++total;
        }
    if (total == 0)
        return {};
    const auto span = [total](const std::vector<int>& counts) {
        int first = 0, last = int(counts.size()) - 1;
        for (int seen = 0; (seen += counts[size_t(first)]) < total / 200;)
            ++first;
        for (int seen = 0; (seen += counts[size_t(last)]) < total / 200;)
            --last;
        return std::pair{first, std::max(first, last)};
    };
    const auto [left, right] = span(columns);
    const auto [top, bottom] = span(rows);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

struct Difference {
    double mean = 255; // per channel
    double share = 1;  // of pixels
};

// `compared`, when given, receives the two pictures as compared, side by side.
Difference compare(const QImage& drawnImage, const QImage& referenceImage, bool cut,
                   QImage* compared = nullptr) {
    const QImage drawn = overWhite(drawnImage), reference = overWhite(referenceImage);
    const QRect drawnInk = cut ? ink(drawn) : drawn.rect();
    const QRect referenceInk = cut ? ink(reference) : reference.rect();
    if (drawnInk.isEmpty() || referenceInk.isEmpty())
        return {};
    const QSize size = referenceInk.size().scaled(compareSide, compareSide, Qt::KeepAspectRatio);
    const auto shrunk = [&](const QImage& image, QRect box) {
        return image.copy(box).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    const QImage a = shrunk(drawn, drawnInk), b = shrunk(reference, referenceInk);
    if (compared) {
        *compared = QImage(size.width() * 2, size.height(), QImage::Format_RGB32);
        QPainter p(compared);
        p.drawImage(0, 0, a);
        p.drawImage(size.width(), 0, b);
    }
    double sum = 0;
    int differing = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int dr = std::abs(qRed(p) - qRed(q)), dg = std::abs(qGreen(p) - qGreen(q)),
                      db = std::abs(qBlue(p) - qBlue(q));
            sum += dr + dg + db;
            differing += std::max({dr, dg, db}) > differingStep;
        }
    const double pixels = double(size.width()) * size.height();
    return {sum / (3 * pixels), differing / pixels};
}

} // namespace

TEST(EmfCorpus, drawsEachFileLikeItsWriter) {
    const QDir folder(testfiles::sourceFile("tests/data/metafiles/emf"));
    const QStringList files = folder.entryList({"*.emf"}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 12);
    // QUIRELLO_EMF_RENDERS names a folder to keep the renders in, to look at beside the
    // references.
    const QString keep = qEnvironmentVariable("QUIRELLO_EMF_RENDERS");
    int within = 0;
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QImage reference(folder.filePath(QString(name).replace(".emf", ".png")));
        ASSERT_FALSE(reference.isNull());
        const QByteArray bytes = testfiles::read(folder.filePath(name));
        ASSERT_EQ(metafileKind(bytes.left(metafileHeadSize)), MetafileKind::Emf);
        const QSize shown = reference.size() * 4;
        const DecodedPicture p =
            decodeMetafile(bytes, MetafileKind::Emf, [&](QSize) { return shown; });
        ASSERT_TRUE(p.ok());
        QImage compared;
        Difference d = compare(p.image, reference, false, &compared);
        QImage comparedCut;
        if (const Difference cut = compare(p.image, reference, true, &comparedCut);
            cut.mean < d.mean)
            d = cut, compared = comparedCut;
        if (!keep.isEmpty()) {
            p.image.save(QDir(keep).filePath(QString(name).replace(".emf", ".png")));
            compared.save(QDir(keep).filePath(QString(name).replace(".emf", "-compared.png")));
        }
        // The proportions are the writer's.
        const double aspect = double(p.naturalSize.width()) / p.naturalSize.height();
        const double referenceAspect = double(reference.width()) / reference.height();
        EXPECT_NEAR(aspect / referenceAspect, 1, 0.03);
        EXPECT_LE(d.mean, maxMeanDifference);
        EXPECT_LE(d.share, maxDifferingShare);
        within += d.mean <= maxMeanDifference && d.share <= maxDifferingShare;
        std::printf("%-32s mean %5.2f  differing %5.3f\n", qPrintable(name), d.mean, d.share);
    }
    std::printf("%d of %lld files within the tolerance\n", within, qint64(files.size()));
}

// The decoder helper, confined, finds the fonts that text is drawn with: its picture is the one
// drawn here.
TEST(EmfCorpus, drawsTextInTheDecoderHelperAsHere) {
    const QString path = testfiles::sourceFile("tests/data/metafiles/emf/gnuplot-labels.emf");
    const auto shown = [](QSize natural) { return natural; };
    const DecodedPicture helper = testfiles::decodedByHelper(path, shown);
    const DecodedPicture here = decodeMetafile(testfiles::read(path), MetafileKind::Emf, shown);
    ASSERT_TRUE(helper.ok());
    ASSERT_TRUE(here.ok());
    EXPECT_EQ(helper.image.convertToFormat(QImage::Format_ARGB32_Premultiplied), here.image);
}
