// The one wall-clock bound a picture gets, from what the program knows before a helper sees it:
// the size the file's header claims (read by the program itself), the file's size and the
// machine's load.
#include "helpers/TimeLimits.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

using namespace timelimits;
using namespace std::chrono_literals;

namespace {

QByteArray encoded(QSize size, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format;
    return bytes;
}

} // namespace

TEST(WallClockBound, theHeaderTellsThePictureSizeOfEachFormatTheProgramCanRead) {
    // (Qt writes no GIF: its header is written here.)
    EXPECT_EQ(headerSize(QByteArray("GIF89a\x41\x01\x7B\x00\x00\x00\x00", 13)), QSize(321, 123));
    EXPECT_FALSE(headerSize(QByteArray("GIF89a\x41\x01", 8)).isValid());
    for (const char* format : {"jpg", "png", "bmp", "webp"}) {
        const QByteArray bytes = encoded({321, 123}, format);
        EXPECT_EQ(headerSize(bytes.left(HeaderBytes)), QSize(321, 123)) << format;
        // Cut anywhere before its size, a header tells nothing, and nothing is read past it.
        EXPECT_FALSE(headerSize(bytes.left(12)).isValid()) << format;
    }
    // A JPEG whose frame header comes after a large segment is found by walking the segments,
    // but not past the bytes the program reads.
    QByteArray late = QByteArray("\xFF\xD8\xFF\xE1\xFF\xF0", 6) + QByteArray(0xFFF0 - 2, 'x');
    late += encoded({321, 123}, "jpg").mid(2);
    EXPECT_EQ(headerSize(late), QSize(321, 123));
    EXPECT_FALSE(headerSize(late.left(HeaderBytes)).isValid());
    // A JPEG segment that claims less than its own length field, or a metafile: nothing.
    EXPECT_FALSE(headerSize(QByteArray("\xFF\xD8\xFF\xE0\x00\x01\xFF\xC0", 8)).isValid());
    EXPECT_FALSE(headerSize(QByteArray("\xD7\xCD\xC6\x9A\x00\x00", 6)).isValid());
    // A bottom-up and a top-down BMP are the same size; a claim beyond any picture is cut.
    QByteArray topDown = encoded({321, 123}, "bmp");
    qToLittleEndian<qint32>(-123, topDown.data() + 22);
    EXPECT_EQ(headerSize(topDown), QSize(321, 123));
    QByteArray huge = encoded({321, 123}, "png");
    qToBigEndian<quint32>(0xFFFFFFFF, huge.data() + 16);
    EXPECT_EQ(headerSize(huge).width(), 1 << 30);
}

// A real 200-megapixel panorama, a 40000 x 5000 JPEG of 38 MB, decoded to a screen's height by
// the helper: bench_picture panorama measured 1.5 s for it with the load at 6 on two cores. Idle,
// it gets several times that; on a loaded machine (four tasks waiting for each core) the longest
// bound; and nobody waits longer than that.
TEST(WallClockBound, aPanoramaGetsEnoughOnALoadedMachineAndNothingMoreThanTheLongest) {
    const PictureFacts panorama{38'000'000, {40000, 5000}};
    EXPECT_GE(wallClockBound(panorama, 1.0), 5s);
    EXPECT_EQ(wallClockBound(panorama, 2.5), LongestBound);
    EXPECT_EQ(wallClockBound(panorama, 100.0), LongestBound);
    // Its header unread (a frame header past the first bytes): its size alone gives as much.
    EXPECT_GE(wallClockBound({panorama.bytes, {}}, 1.0), 5s);
    // A photo gets a few seconds, however idle or busy the machine, and however odd the load
    // reads.
    const PictureFacts photo{5'000'000, {6000, 4000}};
    EXPECT_GE(wallClockBound(photo, 0.0), ShortestBound);
    EXPECT_LE(wallClockBound(photo, 1.0), 5s);
    // A bigger one gets more as the machine gets busier.
    const PictureFacts big{20'000'000, {12500, 8000}};
    EXPECT_GT(wallClockBound(big, 4.0), wallClockBound(big, 2.0));
    EXPECT_GT(wallClockBound(big, 2.0), ShortestBound);
    EXPECT_EQ(wallClockBound(photo, std::numeric_limits<double>::quiet_NaN()),
              wallClockBound(photo, 1.0));
    // A tiny file that claims a huge picture, or nothing: within the two bounds.
    EXPECT_EQ(wallClockBound({5, {}}, 1.0), ShortestBound);
    EXPECT_EQ(wallClockBound({5, {1 << 30, 1 << 30}}, 1.0), LongestBound);
    EXPECT_EQ(wallClockBound({-1, {-5, -5}}, -1.0), ShortestBound);
    EXPECT_GT(loadPerCore(), 0.0);
}
