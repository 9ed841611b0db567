#include "decoders/MetafileDecoder.h"
#include "PictureCompare.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <QDir>
#include <QtEndian>

// Clip art exported by LibreOffice Draw as WMF and as EMF, each drawn at twice the size of
// LibreOffice's own render of it and compared with that render (tests/data/metafiles/
// libreoffice/README.md says where each came from and how the renders were made).

namespace {

QDir corpus() {
    return QDir(testfiles::sourceFile("tests/data/metafiles/libreoffice"));
}

// How one file comes out against its reference, printed for the record.
PictureDifference compared(const QString& name, const QByteArray& bytes) {
    const QImage reference(corpus().filePath(QFileInfo(name).completeBaseName() + ".png"));
    EXPECT_FALSE(reference.isNull());
    const DecodedPicture p = decodeMetafile(bytes, metafileKind(bytes.left(metafileHeadSize)),
                                            [&](QSize) { return reference.size() * 2; });
    EXPECT_TRUE(p.ok());
    // The proportions are the drawing's.
    const double aspect = double(p.naturalSize.width()) / p.naturalSize.height();
    EXPECT_NEAR(aspect / (double(reference.width()) / reference.height()), 1, 0.03);
    const PictureDifference d = pictureDifference(p.image, reference);
    std::printf("%-40s mean %5.2f  differing %5.3f\n", qPrintable(name), d.meanAbsolute,
                d.differingShare);
    return d;
}

// `wmf` without the comment records that carry its EMF.
QByteArray withoutItsEmf(const QByteArray& wmf) {
    const auto* p = reinterpret_cast<const uchar*>(wmf.constData());
    const qsizetype start = qFromLittleEndian<quint32>(p) == 0x9AC6CDD7 ? 22 + 18 : 18;
    QByteArray out = wmf.left(start);
    for (qsizetype at = start; at + 6 <= wmf.size();) {
        const qsizetype size = 2 * qsizetype(qFromLittleEndian<quint32>(p + at));
        const bool carried = qFromLittleEndian<quint16>(p + at + 4) == 0x0626 &&
                             qFromLittleEndian<quint16>(p + at + 6) == 15 &&
                             wmf.mid(at + 10, 4) == "WMFC";
        if (size < 6 || at + size > wmf.size())
            break;
        if (!carried)
            out += wmf.mid(at, size);
        at += size;
    }
    // The header's size of the file, in 16-bit words.
    const quint32 words = quint32(out.size() - (start - 18)) / 2;
    qToLittleEndian(words, reinterpret_cast<uchar*>(out.data()) + start - 18 + 6);
    return out;
}

} // namespace

// Of each kind, at least 95 % come out within the tolerance of LibreOffice's render: shades,
// see-through parts, text and all.
TEST(LibreOfficeCorpus, drawsEachFileAsLibreOfficeShowsIt) {
    for (const QString kind : {"wmf", "emf"}) {
        SCOPED_TRACE(kind.toStdString());
        const QStringList files = corpus().entryList({"*." + kind}, QDir::Files, QDir::Name);
        ASSERT_GE(files.size(), 20) << "the corpus is missing from " << qPrintable(corpus().path());
        int within = 0;
        for (const QString& name : files) {
            SCOPED_TRACE(name.toStdString());
            const PictureDifference d = compared(name, testfiles::read(corpus().filePath(name)));
            EXPECT_TRUE(d.withinTolerance())
                << "mean difference " << d.meanAbsolute << ", share differing " << d.differingShare;
            within += d.withinTolerance();
        }
        std::printf("%s: %d of %lld within the tolerance\n", qPrintable(kind), within,
                    qint64(files.size()));
        EXPECT_GE(within * 100, 95 * files.size());
    }
}

// LibreOffice's WMF carries the EMF it was made from, which the player draws. Its own records
// draw the same picture, through their raster operations (see-through shades as bitmaps with
// masks), but for see-through fills of one colour, which a WMF cannot hold: the two drawings
// with large ones come out opaque there.
TEST(LibreOfficeCorpus, drawsTheWmfsOwnRecordsAlikeButForSeeThroughFills) {
    const QStringList opaqueInWmf = {"colors.wmf", "unknown.wmf"};
    for (const QString& name : corpus().entryList({"*.wmf"}, QDir::Files, QDir::Name)) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = withoutItsEmf(testfiles::read(corpus().filePath(name)));
        ASSERT_EQ(metafileKind(bytes.left(metafileHeadSize)), MetafileKind::Wmf);
        const PictureDifference d = compared(name, bytes);
        EXPECT_EQ(d.withinTolerance(), !opaqueInWmf.contains(name))
            << "mean difference " << d.meanAbsolute << ", share differing " << d.differingShare;
    }
}

// The decoder helper, confined, draws a WMF from the EMF it carries, text and all, as here.
TEST(LibreOfficeCorpus, drawsTheCarriedEmfInTheDecoderHelperAsHere) {
    const QString path = corpus().filePath("alerta_for_manuals_01.wmf");
    const auto shown = [](QSize natural) { return natural; };
    const DecodedPicture helper = testfiles::decodedByHelper(path, shown);
    const DecodedPicture here = decodeMetafile(testfiles::read(path), MetafileKind::Wmf, shown);
    ASSERT_TRUE(helper.ok());
    ASSERT_TRUE(here.ok());
    EXPECT_EQ(helper.image.convertToFormat(QImage::Format_ARGB32_Premultiplied), here.image);
}
