#include "decoders/PictureDecoder.h"
#include "decoders/ExifOrientation.h"
#include "PictureDecoderFiles.h"
#include "support/Rows.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <sys/stat.h>

using namespace picturefiles;

namespace {

// Height of the screen, proportions kept: what the show asks for.
ShownSizeFor fitHeight(int height) {
    return [height](QSize natural) {
        return QSize(qRound(double(natural.width()) * height / natural.height()), height);
    };
}

// Lossy formats shift colours a little.
bool near(QColor a, QColor b) {
    return qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 &&
           qAbs(a.blue() - b.blue()) < 24;
}

} // namespace

TEST(PictureDecoder, decodesEachFormatAtItsNaturalSizeOrSmallerWhenShownSmaller) {
    testfiles::Sandbox box;
    const QImage red = halves(400, 300, Qt::red, Qt::red);
    QByteArray cursor = encoded(red.scaled(48, 48), "ico");
    cursor[2] = '\2';
    const struct {
        const char* name;
        QByteArray bytes;
        QSize natural;
        QColor colour;
    } cases[] = {
        {"photo.bmp", encoded(red, "bmp"), {400, 300}, Qt::red},
        {"PHOTO.JPG", encoded(red, "jpg"), {400, 300}, Qt::red},
        {"photo.jpe", encoded(red, "jpg"), {400, 300}, Qt::red},
        {"bare.dib", encoded(red, "bmp").mid(14), {400, 300}, Qt::red}, // no file header
        {"runs.rle", {}, {300, 20}, Qt::blue},                          // made below
        {"dot.gif", {}, {1, 1}, Qt::red},
        {"icon.ico", encoded(red.scaled(48, 48), "ico"), {48, 48}, Qt::red},
        {"arrow.cur", cursor, {48, 48}, Qt::red},
        {"renamed.bmp", encoded(red, "jpg"), {400, 300}, Qt::red},
        // Downloads keep other formats under photo names.
        {"download.jpg", encoded(red, "png"), {400, 300}, Qt::red},
        {"web.jpg", encoded(red, "webp"), {400, 300}, Qt::red},
    };
    testfiles::make("convert", {"-size", "300x20", "xc:blue", "-type", "Palette", "-compress",
                                "RLE", "BMP3:" + box.file("runs.rle")});
    testfiles::make("convert", {"-size", "1x1", "xc:red", box.file("dot.gif")});
    for (const auto& c : cases) {
        if (!c.bytes.isEmpty())
            testfiles::write(box.file(c.name), c.bytes);
        // Asked for more than the natural size, the decoder keeps the natural one (the view
        // enlarges it); asked for less, it gives what was asked.
        for (const int factor : {3, -2}) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(factor));
            const QSize shown = factor > 0 ? c.natural * factor : c.natural / -factor;
            if (shown.isEmpty())
                continue;
            QSize asked;
            const DecodedPicture p =
                testfiles::decodedByHelper(box.file(c.name), [&](QSize natural) {
                    asked = natural;
                    return shown;
                });
            ASSERT_TRUE(p.ok());
            EXPECT_EQ(asked, c.natural);
            EXPECT_EQ(p.naturalSize, c.natural);
            EXPECT_EQ(p.image.size(), factor > 0 ? c.natural : shown);
            const QColor centre = p.image.pixelColor(p.image.width() / 2, p.image.height() / 2);
            EXPECT_TRUE(near(centre, c.colour)) << centre.name().toStdString();
        }
    }
}

// Whatever integer type and byte order the orientation is stored in, the size the show asks
// about and the pixels are turned: Qt's reader takes only a SHORT, the program reads the rest.
const struct Orientation {
    const char* orientation;
    const char* type;
    const char* order;
    bool portrait;
    QColor first, second; // top and bottom (portrait), or left and right
} orientations[] = {
    {"6", "SHORT", "MM", true, Qt::red, Qt::blue},
    {"6", "LONG", "MM", true, Qt::red, Qt::blue},
    {"6", "SLONG", "II", true, Qt::red, Qt::blue},
    {"8", "SLONG", "MM", true, Qt::blue, Qt::red},
    {"5", "LONG", "II", true, Qt::red, Qt::blue},
    {"3", "SLONG", "II", false, Qt::blue, Qt::red},
    {"2", "LONG", "MM", false, Qt::blue, Qt::red},
    {"9", "SLONG", "MM", false, Qt::red, Qt::blue}, // out of range: left as stored
};
TABLE_TEST(ExifOrientation, appliesTheExifOrientationToSizeAndPixels, orientations) {
    const auto& c = GetParam();
    SCOPED_TRACE(std::string(c.orientation) + " " + c.type + " " + c.order);
    testfiles::Sandbox box;
    // Stored landscape, left red and right blue.
    testfiles::write(box.file("photo.jpg"), encoded(halves(200, 100, Qt::red, Qt::blue), "jpg"));
    testfiles::make("python3", {testfiles::sourceFile("scripts/exif-orientation.py"),
                                box.file("photo.jpg"), c.orientation, c.type, c.order});
    QSize asked;
    const DecodedPicture p = testfiles::decodedByHelper(box.file("photo.jpg"), [&](QSize n) {
        asked = n;
        return n / 2;
    });
    ASSERT_TRUE(p.ok());
    const QSize natural = c.portrait ? QSize(100, 200) : QSize(200, 100);
    EXPECT_EQ(asked, natural);
    EXPECT_EQ(p.naturalSize, natural);
    ASSERT_EQ(p.image.size(), natural / 2);
    const int w = p.image.width(), h = p.image.height();
    const QPoint first = c.portrait ? QPoint(w / 2, 2) : QPoint(2, h / 2);
    const QPoint second = c.portrait ? QPoint(w / 2, h - 3) : QPoint(w - 3, h / 2);
    EXPECT_TRUE(near(p.image.pixelColor(first), c.first));
    EXPECT_TRUE(near(p.image.pixelColor(second), c.second));
}

// An EXIF segment longer than the bytes read is not read: a cut file (or a segment claiming
// more than is there) leaves the picture as stored. The bytes past the cut are the segment's
// own, so a reader that trusted its length would find orientation 6 in them.
TEST(ExifOrientation, aSegmentLongerThanTheHeadIsNotRead) {
    // Big-endian TIFF header, one directory of one entry (orientation, SHORT, 6), no next.
    const QByteArray tiff("MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0"
                          "\0\0\0\0",
                          26);
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    const char length[2] = {0, char(body.size() + 2)};
    const QByteArray jpeg = QByteArray("\xFF\xD8\xFF\xE1", 4) + QByteArray(length, 2) + body +
                            QByteArray("\xFF\xD9", 2);
    ASSERT_EQ(exifOrientation(jpeg), 6);
    // Cut after the orientation's entry, before the segment's last four bytes.
    EXPECT_EQ(exifOrientation(QByteArrayView(jpeg).first(jpeg.size() - 6)), 0);
    EXPECT_EQ(exifOrientation(QByteArrayView(jpeg).first(jpeg.size() - 2)), 6);
}

TEST(PictureDecoder, failsOnFilesItCannotDecode) {
    testfiles::Sandbox box;
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"rotto.jpg", QByteArray("this is not a picture at all, only some words")},
        {"empty.bmp", QByteArray()},
        {"cut.jpg", encoded(halves(200, 100, Qt::red, Qt::blue), "jpg").left(120)},
        {"noise.dib", QByteArray(200, '\x55')},
        // A decompression bomb: refused from its header, before any pixel is allocated.
        {"absurd.jpg", flatGreyJpeg(65000, 65000, 64)},
        // Formats the program does not read, under a photo's name: their parsers never see them.
        {"scanned.jpg", encoded(halves(20, 10, Qt::red, Qt::blue), "tiff")},
        {"drawing.jpg", QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"20\" "
                                   "height=\"10\"><rect width=\"20\" height=\"10\"/></svg>")},
        {"pixmap.jpg", encoded(halves(20, 10, Qt::red, Qt::blue), "xpm")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testfiles::write(box.file(c.name), c.bytes);
        EXPECT_FALSE(testfiles::decodedByHelper(box.file(c.name), fitHeight(1080)).ok());
    }
    EXPECT_FALSE(testfiles::decodedByHelper(box.file("missing.jpg"), fitHeight(1080)).ok());
    // Not files at all: a folder, and a pipe nobody writes to (reading it would wait forever).
    ASSERT_TRUE(QDir().mkpath(box.file("cartella.jpg")));
    EXPECT_FALSE(testfiles::decodedByHelper(box.file("cartella.jpg"), fitHeight(1080)).ok());
    ASSERT_EQ(mkfifo(QFile::encodeName(box.file("tubo.jpg")).constData(), 0600), 0);
    EXPECT_FALSE(testfiles::decodedByHelper(box.file("tubo.jpg"), fitHeight(1080)).ok());
    // Larger than any picture shown: not read at all (the file is sparse, it costs nothing).
    testfiles::write(box.file("enorme.dib"), encoded(halves(20, 10, Qt::red, Qt::red), "bmp"));
    ASSERT_TRUE(QFile::resize(box.file("enorme.dib"), qint64(1100) << 20));
    EXPECT_FALSE(testfiles::decodedByHelper(box.file("enorme.dib"), fitHeight(1080)).ok());
    // The program's own memory and memory map, named like pictures, are never handed over.
    ASSERT_TRUE(QFile::link("/proc/self/mem", box.file("c.jpg")));
    ASSERT_TRUE(QFile::link("/proc/self/maps", box.file("d.ico")));
    EXPECT_FALSE(testfiles::decodedByHelper(box.file("c.jpg"), fitHeight(1080)).ok());
    EXPECT_FALSE(testfiles::decodedByHelper(box.file("d.ico"), fitHeight(1080)).ok());
}

TEST(PictureDecoder, decodesAHugePhotoAtScreenSize) {
    testfiles::Sandbox box;
    testfiles::write(box.file("huge.jpg"), flatGreyJpeg(16000, 12000));
    const DecodedPicture p = testfiles::decodedByHelper(box.file("huge.jpg"), fitHeight(1080));
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p.naturalSize, QSize(16000, 12000));
    EXPECT_EQ(p.image.size(), QSize(1440, 1080));
    EXPECT_TRUE(near(p.image.pixelColor(720, 540), QColor(128, 128, 128)));
}
