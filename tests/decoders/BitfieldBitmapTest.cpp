#include "decoders/BitfieldBitmap.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <climits>
#include <gtest/gtest.h>
#include <QBuffer>
#include <QtEndian>

namespace {

QByteArray le32(quint32 v) {
    v = qToLittleEndian(v);
    return QByteArray(reinterpret_cast<const char*>(&v), 4);
}

constexpr quint32 BitFields = 3;
constexpr quint32 AlphaBitFields = 6;

// The bit-field bitmap `v5` (what ImageMagick writes: a 124-byte header holding the masks) with
// an info header of `size` bytes: 40 with the masks after it (three, or four with alpha bit
// fields), 52 (no alpha mask), 56, 108 or 124 with the masks inside, as Photoshop and others
// write them.
QByteArray withInfoHeader(const QByteArray& v5, int size, quint32 compression) {
    const QByteArray info = v5.mid(14, 124);
    const QByteArray pixels = v5.mid(qFromLittleEndian<quint32>(v5.constData() + 10));
    QByteArray header = info.left(size == 40 ? 40 : size);
    header.replace(0, 4, le32(quint32(size)));
    header.replace(16, 4, le32(compression));
    if (size == 40)
        header += info.mid(40, compression == AlphaBitFields ? 16 : 12);
    const quint32 pixelsAt = quint32(14 + header.size());
    return "BM" + le32(pixelsAt + quint32(pixels.size())) + le32(0) + le32(pixelsAt) + header +
           pixels;
}

} // namespace

// Every header length, with the masks in the header or after it, 32- and 16-bit: the pixels
// are the picture's, with alpha where the masks give it, within what 16 bits hold.
TEST(BitfieldBitmap, readsEveryHeaderLengthAndMaskPlacement) {
    testfiles::Sandbox box;
    testfiles::make("convert", {"-size", "8x4", "gradient:red-blue", "(", "-size", "8x4",
                                "gradient:white-gray50", ")", "-alpha", "off", "-compose",
                                "CopyOpacity", "-composite", box.file("colours.png")});
    testfiles::make("convert", {box.file("colours.png"), "-type", "TrueColorAlpha",
                                "BMP:" + box.file("argb.bmp")});
    testfiles::make("convert", {box.file("colours.png"), "-alpha", "off", "-type", "TrueColor",
                                "-define", "bmp:subtype=RGB565", "BMP:" + box.file("rgb565.bmp")});
    const QImage original(box.file("colours.png"));
    ASSERT_EQ(original.size(), QSize(8, 4));
    const QByteArray argb = testfiles::read(box.file("argb.bmp"));
    const QByteArray rgb565 = testfiles::read(box.file("rgb565.bmp"));
    const struct {
        const char* what;
        QByteArray bytes;
        bool alpha;
        // What the bits per colour lose; Qt's reader widens five bits to eight by a shift.
        int tolerance;
    } cases[] = {
        {"40 + 3 masks", withInfoHeader(argb, 40, BitFields), false, 1},
        {"40 + 4 masks", withInfoHeader(argb, 40, AlphaBitFields), true, 1},
        {"52", withInfoHeader(argb, 52, BitFields), false, 1},
        {"56", withInfoHeader(argb, 56, BitFields), true, 1},
        {"56 alpha bit fields", withInfoHeader(argb, 56, AlphaBitFields), true, 1},
        {"108", withInfoHeader(argb, 108, BitFields), true, 1},
        {"124", argb, true, 1},
        {"bare.dib", withInfoHeader(argb, 40, AlphaBitFields).mid(14), true, 1}, // no file header
        {"16-bit 40 + 3 masks", withInfoHeader(rgb565, 40, BitFields), false, 12},
        {"16-bit 56", withInfoHeader(rgb565, 56, BitFields), false, 12},
        {"16-bit 124", rgb565, false, 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString name = box.file(QString(c.what).endsWith(".dib") ? "bits.dib" : "bits.bmp");
        testfiles::write(name, c.bytes);
        const DecodedPicture p = testfiles::decodedByHelper(name, [](QSize n) { return n; });
        ASSERT_TRUE(p.ok());
        ASSERT_EQ(p.naturalSize, QSize(8, 4));
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 8; ++x) {
                const QColor want = original.pixelColor(x, y);
                const QColor got = p.image.pixelColor(x, y);
                const int tolerance = c.tolerance + (c.alpha ? 2 : 0); // premultiplied rounding
                EXPECT_LE(qAbs(got.red() - want.red()), tolerance) << x << "," << y;
                EXPECT_LE(qAbs(got.green() - want.green()), tolerance) << x << "," << y;
                EXPECT_LE(qAbs(got.blue() - want.blue()), tolerance) << x << "," << y;
                EXPECT_LE(qAbs(got.alpha() - (c.alpha ? want.alpha() : 255)), 1) << x << "," << y;
            }
        }
    }
}

// The program's own reader refuses what it cannot hold: pixels past the end of the file, a
// size beyond the limits, masks that select nothing, depths without bit fields.
TEST(BitfieldBitmap, refusesDamagedHeaders) {
    testfiles::Sandbox box;
    testfiles::make("convert", {"-size", "8x4", "gradient:red-blue", "-type", "TrueColorAlpha",
                                "BMP:" + box.file("argb.bmp")});
    const QByteArray good = withInfoHeader(testfiles::read(box.file("argb.bmp")), 56, BitFields);
    QByteArray huge = good;
    huge.replace(18, 8, le32(60000) + le32(60000));
    QByteArray noMasks = good;
    noMasks.replace(54, 16, QByteArray(16, '\0'));
    QByteArray twentyFourBits = good;
    twentyFourBits[28] = 24;
    QByteArray upsideDownHuge = good;
    upsideDownHuge.replace(22, 4, le32(quint32(INT_MIN)));
    const QByteArray cases[] = {good.chopped(1), huge,           noMasks,
                                twentyFourBits,  upsideDownHuge, good.left(60)};
    for (const QByteArray& bytes : cases) {
        QBuffer buffer;
        buffer.setData(bytes);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        EXPECT_FALSE(bitfieldBitmapSize(buffer).isValid());
        EXPECT_TRUE(readBitfieldBitmap(buffer).isNull());
    }
    QBuffer buffer;
    buffer.setData(good);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EXPECT_EQ(bitfieldBitmapSize(buffer), QSize(8, 4));
}
