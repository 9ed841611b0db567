#include "decoders/PictureDecoder.h"
#include "MetafileFiles.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QPainter>

using namespace metafiles;

namespace {

bool isRed(QColor c) {
    return c.alpha() > 240 && c.red() > 230 && c.green() < 25 && c.blue() < 25;
}

} // namespace

// Each draws a red rectangle over the left half of a 2 x 1 inch frame (192 x 96 pixels at
// 96 dots per inch) and nothing on the right half.
TEST(MetafileDecoder, drawsTheFrameAtItsNaturalSizeAndSharpWhenEnlarged) {
    testfiles::Sandbox box;
    const std::pair<QString, QByteArray> cases[] = {
        {"twips.wmf",
         wmfWithRectangle({0, 0, 2880, 1440}, 1440, {0, 0}, {0, 0, 1440, 1440}, Qt::red)},
        // The frame elsewhere than at 0, 0, and the window origin on it.
        {"moved.wmf", wmfWithRectangle({1000, 500, 2000, 1000}, 1000, {1000, 500},
                                       {1000, 500, 1000, 1000}, Qt::red)},
        // No window set: logical units are those of the frame.
        {"absolute.wmf", WmfWriter()
                             .solidBrush(Qt::red)
                             .nullPen()
                             .rectangle({1000, 500, 1000, 1000})
                             .file(QRect(1000, 500, 2000, 1000), 1000)},
        {"plain.emf", emfWithRectangle({0, 0, 5080, 2540}, {0, 0, 96, 96}, Qt::red)},
        {"moved.emf", emfWithRectangle({2540, 2540, 5080, 2540}, {96, 96, 96, 96}, Qt::red)},
    };
    for (const auto& [name, bytes] : cases) {
        testfiles::write(box.file(name), bytes);
        // Enlarged a hundred times, it would take 740 MB: it is drawn smaller, proportions kept.
        for (const auto& [shown, drawn] : {std::pair{QSize(192, 96), QSize(192, 96)},
                                           std::pair{QSize(768, 384), QSize(768, 384)},
                                           std::pair{QSize(19200, 9600), QSize(5792, 2896)}}) {
            SCOPED_TRACE((name + u' ').toStdString() + std::to_string(shown.width()));
            QSize asked;
            const DecodedPicture p =
                testfiles::decodedByHelper(box.file(name), [&, size = shown](QSize natural) {
                    asked = natural;
                    return size;
                });
            ASSERT_TRUE(p.ok());
            EXPECT_EQ(asked, QSize(192, 96));
            EXPECT_EQ(p.naturalSize, QSize(192, 96));
            ASSERT_EQ(p.image.size(), drawn);
            const int w = drawn.width(), h = drawn.height();
            EXPECT_TRUE(isRed(p.image.pixelColor(w / 4, h / 2)));
            EXPECT_TRUE(isRed(p.image.pixelColor(1, 1)));
            // Nothing is drawn on the right: the drawing is not stretched over its frame.
            EXPECT_EQ(p.image.pixelColor(w * 3 / 4, h / 2).alpha(), 0);
        }
    }
}

// Bitmaps were once scaled and moved twice, landing outside their place.
TEST(MetafileDecoder, drawsBitmapsOverTheAreaTheyArePlacedOn) {
    testfiles::Sandbox box;
    QImage bitmap(4, 2, QImage::Format_RGB32);
    bitmap.fill(Qt::blue);
    QPainter(&bitmap).fillRect(0, 0, 2, 2, Qt::red);
    // Over the left half of the frame: red then blue, and nothing on the right half.
    testfiles::write(box.file("bitmap.wmf"),
                     wmfWithBitmap({0, 0, 2880, 1440}, 1440, {0, 0, 1440, 1440}, bitmap));
    const DecodedPicture p =
        testfiles::decodedByHelper(box.file("bitmap.wmf"), [](QSize) { return QSize(384, 192); });
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p.naturalSize, QSize(192, 96));
    EXPECT_TRUE(isRed(p.image.pixelColor(20, 96)));
    const QColor blue = p.image.pixelColor(172, 96);
    EXPECT_TRUE(blue.blue() > 230 && blue.red() < 25) << blue.name().toStdString();
    EXPECT_EQ(p.image.pixelColor(290, 96).alpha(), 0);
}

// Texts need the system's fonts, which the helper must be able to read.
TEST(MetafileDecoder, drawsTextsInTheHelperWithTheSystemsFonts) {
    testfiles::Sandbox box;
    testfiles::write(box.file("text.wmf"),
                     wmfWithText({0, 0, 200, 100}, {10, 10}, "Quirello", 0, 0));
    const DecodedPicture p =
        testfiles::decodedByHelper(box.file("text.wmf"), [](QSize) { return QSize(200, 100); });
    ASSERT_TRUE(p.ok());
    int red = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            red += isRed(p.image.pixelColor(x, y));
    EXPECT_GT(red, 300) << "no letters drawn";
}

TEST(MetafileDecoder, failsOnBrokenMetafiles) {
    testfiles::Sandbox box;
    const QByteArray wmf =
        wmfWithRectangle({0, 0, 2880, 1440}, 1440, {0, 0}, {0, 0, 1440, 1440}, Qt::red);
    const QByteArray emf = emfWithRectangle({0, 0, 5080, 2540}, {0, 0, 96, 96}, Qt::red);
    QByteArray emfOversized = emf;
    emfOversized[88 + 4] = char(0x7F); // the first record claims more than the file holds
    QByteArray wmfHugeRecord = wmf;
    wmfHugeRecord.replace(40, 4, QByteArray(4, '\xFF')); // the first record claims 16 GB
    const std::pair<QString, QByteArray> cases[] = {
        {"cut.wmf", wmf.left(wmf.size() / 2)},
        {"cut.emf", emf.left(emf.size() - 20)}, // no end record
        {"oversized.emf", emfOversized},
        {"hugerecord.wmf", wmfHugeRecord},
        {"words.wmf", QByteArray("not a metafile, only words in a file named like one")},
        // Nothing drawn: no frame, and nothing to make one of.
        {"empty.wmf", WmfWriter().solidBrush(Qt::red).file(std::nullopt)},
    };
    testfiles::TestDecoder decoder({testfiles::decoderProgram(), std::chrono::milliseconds(1000)});
    for (const auto& [name, bytes] : cases) {
        testfiles::write(box.file(name), bytes);
        EXPECT_FALSE(decoder.decode(box.file(name), [](QSize) { return QSize(192, 96); }).ok())
            << name.toStdString();
    }
}
