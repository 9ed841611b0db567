#include "platform/gui/PictureDecoder.h"
#include "PictureDecoderFiles.h"
#include "platform/gui/PictureLimits.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <sys/stat.h>

using namespace picturefiles;

namespace {

ShownSizeFor fixedSize(QSize size) {
    return [size](QSize) { return size; };
}

// Height of the screen, proportions kept: what the show asks for.
ShownSizeFor fitHeight(int height) {
    return [height](QSize natural) {
        return QSize(qRound(double(natural.width()) * height / natural.height()), height);
    };
}

QColor centre(const QImage& image) {
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

// Lossy formats shift colours a little.
bool near(QColor a, QColor b) {
    return qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 &&
           qAbs(a.blue() - b.blue()) < 24;
}

QImage filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

struct FormatCase {
    const char* name;
    QByteArray bytes;
    QSize natural;
    QColor colour;
};

std::vector<FormatCase> formatCases() {
    const QImage red = filled(64, 40, Qt::red);
    const QList<QImage> icons = {filled(16, 16, Qt::red), filled(48, 48, Qt::blue),
                                 filled(32, 32, Qt::green)};
    QByteArray bareDib = encoded(red, "bmp").mid(14); // bitmap without its file header
    return {
        {"photo.bmp", encoded(red, "bmp"), {64, 40}, Qt::red},
        {"photo.jpg", encoded(red, "jpg"), {64, 40}, Qt::red},
        {"photo.jpeg", encoded(red, "jpg"), {64, 40}, Qt::red},
        {"photo.jpe", encoded(red, "jpg"), {64, 40}, Qt::red},
        {"PHOTO.JPG", encoded(red, "jpg"), {64, 40}, Qt::red},
        {"photo.dib", encoded(red, "bmp"), {64, 40}, Qt::red},
        {"bare.dib", bareDib, {64, 40}, Qt::red},
        {"runs.rle", rle8Bitmap(300, 20, Qt::blue), {300, 20}, Qt::blue},
        {"bare.rle", rle8Bitmap(300, 20, Qt::blue).mid(14), {300, 20}, Qt::blue},
        {"first.gif", twoFrameGif(10, 6, Qt::green, Qt::red), {10, 6}, Qt::green},
        {"largest.ico", iconFile(icons, false), {48, 48}, Qt::blue},
        {"largest.cur", iconFile(icons, true), {48, 48}, Qt::blue},
        {"renamed.bmp", encoded(red, "jpg"), {64, 40}, Qt::red},
    };
}

} // namespace

TEST(PictureDecoder, decodesEveryListedFormatAtItsNaturalSize) {
    testfiles::Sandbox box;
    for (const FormatCase& c : formatCases()) {
        SCOPED_TRACE(c.name);
        const QString path = box.file(c.name);
        testfiles::write(path, c.bytes);
        // Asked for more than the natural size, the decoder keeps the natural one: the view
        // enlarges it.
        const DecodedPicture p = decodePicture(path, fixedSize(c.natural * 3));
        EXPECT_TRUE(p.ok());
        if (!p.ok())
            continue;
        EXPECT_EQ(p.naturalSize, c.natural);
        EXPECT_EQ(p.image.size(), c.natural);
        EXPECT_TRUE(near(centre(p.image), c.colour)) << centre(p.image).name().toStdString();
    }
}

TEST(PictureDecoder, decodesAtTheShownSizeWhenSmaller) {
    testfiles::Sandbox box;
    const QImage picture = halves(400, 300, Qt::red, Qt::blue);
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"reduced.jpg", encoded(picture, "jpg")},      // the reader decodes reduced
        {"scaled.bmp", encoded(picture, "bmp")},       // scaled after a full decode
        {"scaled.rle", rle8Bitmap(400, 300, Qt::red)}, // ditto, through the bitmap reader
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testfiles::write(box.file(c.name), c.bytes);
        QSize asked;
        const DecodedPicture p = decodePicture(box.file(c.name), [&](QSize natural) {
            asked = natural;
            return QSize(100, 75);
        });
        ASSERT_TRUE(p.ok());
        EXPECT_EQ(asked, QSize(400, 300));
        EXPECT_EQ(p.naturalSize, QSize(400, 300));
        EXPECT_EQ(p.image.size(), QSize(100, 75));
        EXPECT_TRUE(near(p.image.pixelColor(5, 37), Qt::red));
    }
}

TEST(PictureDecoder, appliesTheExifOrientationToSizeAndPixels) {
    testfiles::Sandbox box;
    // Stored landscape, left red and right blue; orientation 6 turns it a quarter clockwise,
    // so it shows portrait with red on top.
    const QByteArray jpeg = withOrientation(encoded(halves(200, 100, Qt::red, Qt::blue), "jpg"), 6);
    testfiles::write(box.file("upright.jpg"), jpeg);
    for (const QSize shown : {QSize(100, 200), QSize(50, 100)}) {
        SCOPED_TRACE(shown.height());
        QSize asked;
        const DecodedPicture p = decodePicture(box.file("upright.jpg"), [&](QSize natural) {
            asked = natural;
            return shown;
        });
        ASSERT_TRUE(p.ok());
        EXPECT_EQ(asked, QSize(100, 200));
        EXPECT_EQ(p.naturalSize, QSize(100, 200));
        EXPECT_EQ(p.image.size(), shown);
        EXPECT_TRUE(near(p.image.pixelColor(shown.width() / 2, 2), Qt::red));
        EXPECT_TRUE(near(p.image.pixelColor(shown.width() / 2, shown.height() - 3), Qt::blue));
    }
    // Orientation 3 (half turn) keeps the sizes.
    testfiles::write(box.file("half.jpg"),
                     withOrientation(encoded(halves(200, 100, Qt::red, Qt::blue), "jpg"), 3));
    const DecodedPicture half = decodePicture(box.file("half.jpg"), fixedSize({100, 50}));
    EXPECT_EQ(half.naturalSize, QSize(200, 100));
    EXPECT_EQ(half.image.size(), QSize(100, 50));
    EXPECT_TRUE(near(half.image.pixelColor(3, 25), Qt::blue));
}

TEST(PictureDecoder, failsOnFilesItCannotDecode) {
    testfiles::Sandbox box;
    const QByteArray jpeg = encoded(halves(200, 100, Qt::red, Qt::blue), "jpg");
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"rotto.jpg", QByteArray("this is not a picture at all, only some words")},
        {"empty.bmp", QByteArray()},
        {"cut.jpg", jpeg.left(120)}, // cut within the headers
        {"cut.bmp", encoded(halves(20, 10, Qt::red, Qt::red), "bmp").left(30)},
        {"cut.gif", twoFrameGif(10, 6, Qt::green, Qt::red).left(12)},
        {"cut.ico", iconFile({filled(32, 32, Qt::red)}, false).left(30)},
        {"amiga.iff", QByteArray("FORM\0\0\0\x20ILBMBMHD\0\0\0\x14", 20) + QByteArray(20, '\0')},
        {"noise.dib", QByteArray(200, '\x55')},
        {"absurd.bmp", bmpClaiming(100000, 100000)},    // a decompression bomb
        {"absurd.jpg", flatGreyJpeg(65000, 65000, 64)}, // ditto, near the largest JPEG
        {"tall.bmp", bmpClaiming(10, 70000)},           // a side no real picture has
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testfiles::write(box.file(c.name), c.bytes);
        EXPECT_FALSE(decodePicture(box.file(c.name), fitHeight(1080)).ok());
    }
    EXPECT_FALSE(decodePicture(box.file("missing.jpg"), fitHeight(1080)).ok());
    // Not files at all: a folder, and a pipe nobody writes to (reading it would wait forever).
    ASSERT_TRUE(QDir().mkpath(box.file("cartella.jpg")));
    EXPECT_FALSE(decodePicture(box.file("cartella.jpg"), fitHeight(1080)).ok());
    ASSERT_EQ(mkfifo(QFile::encodeName(box.file("tubo.jpg")).constData(), 0600), 0);
    EXPECT_FALSE(decodePicture(box.file("tubo.jpg"), fitHeight(1080)).ok());
}

TEST(PictureDecoder, decodesAHugePhotoAtScreenSize) {
    testfiles::Sandbox box;
    testfiles::write(box.file("huge.jpg"), flatGreyJpeg(16000, 12000));
    const DecodedPicture p = decodePicture(box.file("huge.jpg"), fitHeight(1080));
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p.naturalSize, QSize(16000, 12000));
    EXPECT_EQ(p.image.size(), QSize(1440, 1080));
    EXPECT_TRUE(near(centre(p.image), QColor(128, 128, 128)));
}

TEST(PictureLimits, refusesHeadersBeyondTheCeiling) {
    const struct {
        QSize size;
        bool accepted;
    } cases[] = {
        {{6000, 4000}, true},      {{20000, 10000}, true}, // 200 megapixels
        {{65535, 6000}, true},     {{20000, 20000}, true}, // exactly the pixel ceiling
        {{20000, 20001}, false},   {{65536, 10}, false},    {{10, 65536}, false},
        {{100000, 100000}, false}, {{65535, 65535}, false}, {{0, 10}, false},
        {{10, -1}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(picturelimits::acceptable(c.size), c.accepted)
            << c.size.width() << "x" << c.size.height();
}
