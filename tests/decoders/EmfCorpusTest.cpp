#include "decoders/MetafileDecoder.h"
#include "PictureCompare.h"
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
        const PictureDifference d = closerDifference(p.image, reference);
        if (!keep.isEmpty())
            p.image.save(QDir(keep).filePath(QString(name).replace(".emf", ".png")));
        // The proportions are the writer's.
        const double aspect = double(p.naturalSize.width()) / p.naturalSize.height();
        const double referenceAspect = double(reference.width()) / reference.height();
        EXPECT_NEAR(aspect / referenceAspect, 1, 0.03);
        EXPECT_TRUE(d.withinTolerance(EmfDifferingShare))
            << "mean difference " << d.meanAbsolute << ", share differing " << d.differingShare;
        within += d.withinTolerance(EmfDifferingShare);
        std::printf("%-32s mean %5.2f  differing %5.3f\n", qPrintable(name), d.meanAbsolute,
                    d.differingShare);
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
