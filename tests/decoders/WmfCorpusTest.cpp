#include "decoders/MetafileDecoder.h"
#include "PictureCompare.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

// Real metafiles, drawn at their reference render's size, come out like it: whole, in their
// colours and proportions; and so do the same drawings without their placeable header, framed
// by the window their records set.
TEST(WmfCorpus, drawsEachFileLikeItsReferenceRender) {
    const QDir folder(testfiles::sourceFile(QStringLiteral("tests/data/metafiles/wmf")));
    const QFileInfoList files = folder.entryInfoList({QStringLiteral("*.wmf")}, QDir::Files);
    ASSERT_GE(files.size(), 14) << "the corpus is missing from " << qPrintable(folder.path());
    for (const QFileInfo& info : files) {
        SCOPED_TRACE(info.fileName().toStdString());
        QFile file(info.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray placeable = file.readAll();
        const QImage reference(folder.filePath(info.completeBaseName() + ".png"));
        ASSERT_FALSE(reference.isNull());
        for (const QByteArray& bytes : {placeable, placeable.mid(22)}) {
            SCOPED_TRACE(bytes.size() == placeable.size() ? "placeable" : "without the header");
            ASSERT_EQ(metafileKind(bytes.left(metafileHeadSize)), MetafileKind::Wmf);
            const DecodedPicture picture =
                decodeMetafile(bytes, MetafileKind::Wmf, [&](QSize) { return reference.size(); });
            ASSERT_TRUE(picture.ok());
            // Neither squeezed nor stretched: the natural size has the reference's proportions.
            const QSize natural = picture.naturalSize;
            const double aspect = double(natural.width()) / natural.height();
            EXPECT_NEAR(aspect / (double(reference.width()) / reference.height()), 1, 0.02);
            const PictureDifference d = pictureDifference(picture.image, reference);
            EXPECT_TRUE(d.withinTolerance())
                << "mean difference " << d.meanAbsolute << ", share differing " << d.differingShare;
        }
    }
}
