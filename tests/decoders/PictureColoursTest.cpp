#include "ColourFiles.h"
#include "decoders/EmbeddedProfile.h"
#include "MetafileFiles.h"
#include "support/Rows.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <QBuffer>
#include <QColorSpace>
#include <QFileInfo>
#include <QImageReader>
#include <QRandomGenerator>
#include <QtEndian>
#include <tuple>
#include <unistd.h>
#include <zlib.h>

using namespace colourfiles;

namespace {

// The picture at its natural size, decoded by the helper as the show and the preview ask.
QImage shown(const QString& path, QSize size = {}) {
    const DecodedPicture p = testfiles::decodedByHelper(
        path, [size](QSize natural) { return size.isValid() ? size : natural; });
    EXPECT_TRUE(p.ok()) << path.toStdString();
    return p.image.convertToFormat(QImage::Format_RGB32);
}

// What Qt's reader makes of the file, the colours as stored: how untagged pictures were shown.
// (Its note of the colour space the file names, which a comparison would weigh, is dropped.)
QImage asStored(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read().convertToFormat(QImage::Format_RGB32);
    image.setColorSpace(QColorSpace());
    return image;
}

QByteArray profileBytes(const QString& path) {
    const QByteArray bytes = testfiles::read(path);
    EXPECT_FALSE(bytes.isEmpty()) << path.toStdString()
                                  << " missing: its package is in scripts/setup-debian.sh";
    return bytes;
}

// A converted picture is within 2 of the other tool's conversion on average (the references
// are converted to colord's sRGB profile, the program to lcms2's own).
constexpr double Tolerance = 2.0;

void expectConverted(const QImage& image, const QImage& reference, const QImage& stored) {
    const double converted = meanDifference(image, reference);
    const double ignored = meanDifference(stored, reference);
    std::printf("    mean difference from the reference: %.2f (the profile ignored: %.2f)\n",
                converted, ignored);
    EXPECT_LE(converted, Tolerance);
    // The picture is one whose profile matters, or the comparison proves nothing.
    EXPECT_GT(ignored, 2 * Tolerance);
}

EmbeddedProfile profileOf(const QByteArray& bytes) {
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    return embeddedProfile(file);
}

} // namespace

// Photos as phones, cameras and raw converters write them, in each format that carries a
// profile, against the same conversion by ImageMagick.
const struct Tagged {
    const char* name;
    QString (*profile)();
    Pixels pixels;
    QStringList options;
} tagged[] = {
    {"p3.jpg", displayP3, Pixels::Rgb, {}},
    {"adobe.jpg", adobeRgb, Pixels::Rgb, {}},
    {"prophoto.jpg", proPhoto, Pixels::Rgb, {}},
    {"table-p3.jpg", tableP3, Pixels::Rgb, {}},
    {"p3.png", displayP3, Pixels::Rgb, {}},
    {"adobe.webp", adobeRgb, Pixels::Rgb, {}},
    {"prophoto.bmp", proPhoto, Pixels::Rgb, {}},
    {"grey.jpg", greyLStar, Pixels::Grey, {}},
    {"grey.png", greyLStar, Pixels::Grey, {}},
    {"cmyk.jpg", swopCmyk, Pixels::Cmyk, {}},
    // CMYK JPEGs with a profile are read by libjpeg apart from Qt's reader, in every coding.
    {"cmyk-progressive.jpg", swopCmyk, Pixels::Cmyk, {"-interlace", "Plane"}},
    {"cmyk-arithmetic.jpg", swopCmyk, Pixels::Cmyk, {"-define", "jpeg:arithmetic-coding=true"}},
    {"p3-progressive.jpg", displayP3, Pixels::Rgb, {"-interlace", "Plane"}},
};
TABLE_TEST(TaggedPhoto, isShownConvertedToSrgb, tagged) {
    const Tagged& c = GetParam();
    testfiles::Sandbox box;
    const QString photo = box.file(c.name);
    makePhoto(photo, c.profile(), c.pixels, c.options);
    std::printf("    %s, %s\n", c.name, qPrintable(QFileInfo(c.profile()).fileName()));
    expectConverted(shown(photo), convertedByImageMagick(photo), asStored(photo));
}

TEST(TaggedPhoto, isConvertedAtTheSizeItIsShownAt) {
    testfiles::Sandbox box;
    const QString photo = box.file("p3.jpg");
    makePhoto(photo, displayP3());
    const QSize half(48, 32);
    const QImage reference =
        convertedByImageMagick(photo).scaled(half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LE(meanDifference(shown(photo, half), reference), Tolerance);
    // Turned by its EXIF orientation, a CMYK photo too (it is read apart from Qt's reader).
    const QString cmyk = box.file("cmyk.jpg");
    makePhoto(cmyk, swopCmyk(), Pixels::Cmyk);
    testfiles::make("python3",
                    {testfiles::sourceFile("scripts/exif-orientation.py"), cmyk, "6", "LONG"});
    const QImage upright = convertedByImageMagick(cmyk).transformed(QTransform().rotate(90));
    const DecodedPicture p = testfiles::decodedByHelper(cmyk, [](QSize n) { return n / 2; });
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p.naturalSize, QSize(64, 96));
    EXPECT_LE(meanDifference(
                  p.image, upright.scaled(32, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)),
              Tolerance);
}

// The profile is parsed and applied in the confined helper, which loaded everything the colour
// library needs before: even where it may open no file at all (no Landlock, so the system-call
// filter refuses every open), tagged photos come out converted.
TEST(TaggedPhoto, isConvertedByAHelperThatMayOpenNoFile) {
    testfiles::Sandbox box;
    ::setenv("QUIRELLO_TEST_LANDLOCK_VERSION", "0", 1);
    testfiles::TestDecoder decoder({testfiles::hookedDecoderProgram()});
    for (const auto& [name, profile, pixels] :
         {std::tuple{"p3.jpg", displayP3(), Pixels::Rgb},
          std::tuple{"cmyk.jpg", swopCmyk(), Pixels::Cmyk},
          std::tuple{"grey.png", greyLStar(), Pixels::Grey}}) {
        SCOPED_TRACE(name);
        const QString photo = box.file(name);
        makePhoto(photo, profile, pixels);
        const DecodedPicture p = decoder.decode(photo, {});
        ASSERT_TRUE(p.ok());
        expectConverted(p.image, convertedByImageMagick(photo), asStored(photo));
    }
    ::unsetenv("QUIRELLO_TEST_LANDLOCK_VERSION");
}

// The profile's chunks in a JPEG, and the camera's EXIF mark of Adobe RGB, as writers leave
// them: a profile whose chunks do not add up, or that does not parse, leaves the photo as
// stored, shown all the same.
enum class Expect { P3, AdobeRgb, Untagged };
const struct Marks {
    const char* name;
    QList<int> sizes; // the profile's chunks but the last, which takes the rest
    QList<int> order;
    int profileBytes; // the profile cut to this many bytes (0: whole); -1: garbage; -2: none
    int exifSpace;    // 0: no EXIF block
    const char* index;
    char exifOrder;
    Expect expect;
} marks[] = {
    {"one chunk", {}, {}, 0, 0, "", 'M', Expect::P3},
    // Qt's reader drops a chunk of 146 bytes or less, and with it the profile.
    {"short last chunk", {1400, 1400}, {}, 0, 0, "", 'M', Expect::P3},
    {"chunks of 100", QList<int>(28, 100), {}, 0, 0, "", 'M', Expect::P3},
    {"out of order", {1400, 1400}, {2, 1, 3}, 0, 0, "", 'M', Expect::Untagged},
    {"one missing", {1400, 1400}, {1, 3}, 0, 0, "", 'M', Expect::Untagged},
    {"one twice", {1400, 1400}, {1, 2, 2, 3}, 0, 0, "", 'M', Expect::Untagged},
    {"truncated", {1000}, {}, 2000, 0, "", 'M', Expect::Untagged},
    {"garbage", {1400}, {}, -1, 0, "", 'M', Expect::Untagged},
    {"dcf adobe rgb", {}, {}, -2, 0xFFFF, "R03", 'M', Expect::AdobeRgb},
    {"dcf adobe rgb intel", {}, {}, -2, 0xFFFF, "R03", 'I', Expect::AdobeRgb},
    {"dcf srgb", {}, {}, -2, 1, "R98", 'M', Expect::Untagged},
    {"uncalibrated r98", {}, {}, -2, 0xFFFF, "R98", 'M', Expect::Untagged},
    {"srgb r03", {}, {}, -2, 1, "R03", 'I', Expect::Untagged},
    {"dcf and a profile", {}, {}, 0, 0xFFFF, "R03", 'M', Expect::P3},
    {"dcf and a broken profile", {1400}, {}, 2000, 0xFFFF, "R03", 'M', Expect::Untagged},
};
TABLE_TEST(JpegMarks, areReadAsCamerasAndEditorsWriteThem, marks) {
    const Marks& c = GetParam();
    testfiles::Sandbox box;
    const QString base = box.file("base.jpg");
    makePhoto(base);
    QByteArray jpeg = testfiles::read(base);
    if (c.exifSpace != 0)
        jpeg = withExifColourSpace(jpeg, quint16(c.exifSpace), c.index, c.exifOrder);
    QByteArray profile = profileBytes(displayP3());
    if (c.profileBytes > 0)
        profile.truncate(c.profileBytes);
    if (c.profileBytes == -1) {
        QRandomGenerator noise(26);
        for (char& byte : profile)
            byte = char(noise.bounded(256));
    }
    if (c.profileBytes != -2) {
        // The chunks go before the EXIF block, which must stay the first segment.
        const QByteArray chunked =
            withIccChunks(QByteArray("\xFF\xD8", 2), profile, c.sizes, c.order);
        jpeg = jpeg.left(2) + chunked.mid(2) + jpeg.mid(2);
    }
    const QString photo = box.file("photo.jpg");
    testfiles::write(photo, jpeg);
    const QImage image = shown(photo);
    switch (c.expect) {
    case Expect::P3:
        expectConverted(image, convertedByImageMagick(base, displayP3()), asStored(base));
        break;
    case Expect::AdobeRgb:
        expectConverted(image, convertedByImageMagick(base, adobeRgbCompatible()), asStored(base));
        break;
    case Expect::Untagged:
        EXPECT_EQ(image, asStored(base));
        break;
    }
}

// A damaged profile costs nothing but its colours: the picture is shown, and neither Qt's reader
// (which parses it too) nor the colour library says a word on the helper's standard error,
// which the program passes on to its own after each picture.
TEST(JpegMarks, aDamagedProfileSaysNothing) {
    testfiles::Sandbox box;
    makePhoto(box.file("plain.jpg"));
    const QByteArray jpeg = testfiles::read(box.file("plain.jpg"));
    QByteArray p3 = profileBytes(displayP3());
    QByteArray badTags = p3;
    badTags.replace(132 + 4, 8, QByteArray(8, '\xFF')); // the first tag far beyond the end
    testfiles::TestDecoder decoder;
    ASSERT_TRUE(decoder.decode(box.file("plain.jpg"), {}).ok()); // its start-up's words
    const QString said = box.file("stderr.txt");
    fflush(stderr);
    const int saved = ::dup(2);
    const int capture = ::open(QFile::encodeName(said).constData(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(capture, 0);
    ::dup2(capture, 2);
    ::close(capture);
    int shown = 0;
    for (const QByteArray& profile : {p3.left(2000), badTags, QByteArray(600, 'x')}) {
        for (const QList<int>& sizes : {QList<int>{}, QList<int>{100}}) {
            const QString photo = box.file(QStringLiteral("photo%1.jpg").arg(shown));
            testfiles::write(photo, withIccChunks(jpeg, profile, sizes));
            shown += decoder.decode(photo, {}).ok() ? 1 : 0;
        }
    }
    fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    EXPECT_EQ(shown, 6);
    EXPECT_EQ(testfiles::read(said).toStdString(), "");
}

// Pictures without a profile, or with one that is not for their pixels, are shown exactly as
// before: not a pixel changes (a CMYK JPEG keeps Qt's reading of CMYK as Adobe's inverted
// samples).
const struct Untagged {
    const char* name;
    QString (*profile)(); // embedded, but not for these pixels
    Pixels pixels;
} untagged[] = {
    {"plain.jpg", nullptr, Pixels::Rgb},      {"plain.png", nullptr, Pixels::Rgb},
    {"plain.webp", nullptr, Pixels::Rgb},     {"plain.bmp", nullptr, Pixels::Rgb},
    {"grey.jpg", nullptr, Pixels::Grey},      {"cmyk.jpg", nullptr, Pixels::Cmyk},
    {"cmyk-p3.jpg", displayP3, Pixels::Cmyk}, {"p3-cmyk.jpg", swopCmyk, Pixels::Rgb},
};
TABLE_TEST(UntaggedPhoto, isShownAsStored, untagged) {
    const Untagged& c = GetParam();
    testfiles::Sandbox box;
    const QString photo = box.file(c.name);
    makePhoto(photo, c.profile ? c.profile() : QString(), c.pixels);
    EXPECT_EQ(shown(photo), asStored(photo));
}

// Drawings are drawn in the colours their records name, in the show as in the preview.
TEST(UntaggedPhoto, metafilesKeepTheirExactColours) {
    testfiles::Sandbox box;
    const QColor green(0, 160, 0);
    testfiles::write(
        box.file("verde.wmf"),
        metafiles::wmfWithRectangle(QRect(0, 0, 100, 100), 96, {0, 0}, {0, 0, 100, 100}, green));
    testfiles::write(box.file("verde.emf"),
                     metafiles::emfWithRectangle(QRect(0, 0, 2646, 2646), {0, 0, 100, 100}, green));
    for (const char* name : {"verde.wmf", "verde.emf"}) {
        SCOPED_TRACE(name);
        const QImage image = shown(box.file(name), {100, 100});
        EXPECT_EQ(image.pixelColor(50, 50), green);
    }
}

// What the program reads itself of the other formats' profiles: bounded, checked, never a
// file a picture names.
TEST(EmbeddedProfile, refusesProfilesThatAreDamagedHugeOrElsewhere) {
    testfiles::Sandbox box;
    makePhoto(box.file("p3.png"), displayP3());
    const QByteArray png = testfiles::read(box.file("p3.png"));
    const QByteArray p3 = profileBytes(displayP3());
    EXPECT_EQ(profileOf(png), (EmbeddedProfile{EmbeddedProfile::Kind::Icc, p3}));

    // A damaged CRC: the chunk is passed over.
    QByteArray damaged = png;
    const qsizetype iccp = damaged.indexOf("iCCP");
    ASSERT_GT(iccp, 0);
    const quint32 length = qFromBigEndian<quint32>(damaged.constData() + iccp - 4);
    damaged[iccp + 4 + length] = char(damaged[iccp + 4 + length] ^ 1);
    EXPECT_EQ(profileOf(damaged).kind, EmbeddedProfile::Kind::None);

    // A small chunk that would unpack to 64 MB is not unpacked.
    const QByteArray zeros(64 << 20, '\0');
    QByteArray bomb(compressBound(uLong(zeros.size())), '\0');
    uLongf packed = uLongf(bomb.size());
    ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(bomb.data()), &packed,
                        reinterpret_cast<const Bytef*>(zeros.constData()), uLong(zeros.size()), 9),
              Z_OK);
    bomb.truncate(qsizetype(packed));
    QByteArray chunk = "iCCP" + QByteArray("bomb\0\0", 6) + bomb;
    QByteArray bombPng = png.left(iccp - 4);
    char size[4];
    qToBigEndian(quint32(chunk.size() - 4), size);
    bombPng.append(size, 4).append(chunk);
    qToBigEndian(
        quint32(crc32(0, reinterpret_cast<const Bytef*>(chunk.constData()), uInt(chunk.size()))),
        size);
    bombPng.append(size, 4).append(png.mid(iccp + 8 + length));
    EXPECT_LT(bomb.size(), 128 << 10);
    EXPECT_EQ(profileOf(bombPng).kind, EmbeddedProfile::Kind::None);

    // A JPEG's chunks add up to at most 4 MB (the profile's own header says how much of that
    // is the profile).
    makePhoto(box.file("plain.jpg"));
    const QByteArray jpeg = testfiles::read(box.file("plain.jpg"));
    for (const qsizetype bytes : {MaxProfileBytes, MaxProfileBytes + 1}) {
        const QByteArray padded = p3 + QByteArray(bytes - p3.size(), '\0');
        const QByteArray chunked = withIccChunks(jpeg, padded, QList<int>(64, 65000));
        EXPECT_EQ(profileOf(chunked).icc, bytes <= MaxProfileBytes ? p3 : QByteArray());
    }

    // A bitmap that links its profile by a file name: the file is never read.
    makePhoto(box.file("p3.bmp"), displayP3());
    QByteArray bmp = testfiles::read(box.file("p3.bmp"));
    EXPECT_EQ(profileOf(bmp).icc, p3);
    const QString secret = box.file("secret.icc");
    testfiles::write(secret, p3);
    const quint32 at = qFromLittleEndian<quint32>(bmp.constData() + 14 + 112);
    bmp.replace(14 + 56, 4, "KNIL"); // 'LINK', little-endian
    bmp.replace(14 + qsizetype(at), secret.size() + 1, QFile::encodeName(secret) + '\0');
    EXPECT_EQ(profileOf(bmp).kind, EmbeddedProfile::Kind::None);
}
