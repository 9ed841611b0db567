#include "WmfDrawing.h"
#include "MetafileFiles.h"

#include <gtest/gtest.h>

using namespace metafiles;
using namespace wmfdrawing;

// Metafiles written record by record for what the player draws: texts, pens, brushes and
// bitmaps.

// A font's escapement turns its text; the alignment puts the text's box on the point.
TEST(WmfPlayer, turnsAndAlignsText) {
    auto text = [](int escapement, int align) {
        return wmfWithText(QRect(0, 0, 200, 200), {100, 100}, "HHHHHH", escapement, align);
    };
    struct Case {
        const char* what;
        QByteArray file;
        // Where the text's box must lie, in pixels of a 200 x 200 picture.
        bool tall;
        QRect within;
    };
    const Case cases[] = {
        {"level, from the point on, its top on it", text(0, 0), false, {100, 100, 100, 60}},
        {"level, ending at the point, on its baseline", text(0, 2 | 24), false, {0, 50, 100, 50}},
        {"turned a quarter counter-clockwise, going up", text(900, 0), true, {100, 0, 60, 100}},
        {"turned a quarter clockwise, going down", text(-900, 0), true, {40, 100, 60, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image = drawn(c.file, {200, 200});
        const QRect box = drawnBox(image);
        ASSERT_FALSE(box.isEmpty());
        EXPECT_EQ(box.height() > box.width(), c.tall) << box.width() << " x " << box.height();
        EXPECT_TRUE(c.within.contains(box))
            << box.x() << ", " << box.y() << " " << box.width() << " x " << box.height();
        EXPECT_GT(box.width() * box.height(), 600); // the letters are there, 40 units high
    }
}

// Hatched brushes draw lines of the brush's colour every few pixels, in the six directions,
// with the background colour between them when the background is opaque.
TEST(WmfPlayer, drawsHatchedBrushes) {
    auto hatched = [](int hatch, int bkMode) {
        return WmfWriter()
            .nullPen()
            .add(createBrush, {2, 0x00FF, 0, hatch})
            .add(selectObject, {1})
            .add(setBkMode, {bkMode})
            .add(setBkColor, {0, 0x00FF})
            .rectangle({0, 0, 64, 64})
            .file(QRect(0, 0, 64, 64), 96);
    };
    // Whether the pixel at (x, y) is on a line of the hatch.
    auto onLine = [](const QImage& image, int x, int y) {
        return same(image.pixelColor(x, y), Qt::red);
    };
    for (int hatch = 0; hatch < 6; ++hatch) {
        SCOPED_TRACE(hatch);
        const QImage image = drawn(hatched(hatch, 1), {64, 64});
        int lines = 0;
        int gaps = 0;
        int agree = 0; // neighbours along the hatch's direction alike
        for (int y = 8; y < 56; ++y) {
            for (int x = 8; x < 56; ++x) {
                const bool line = onLine(image, x, y);
                (line ? lines : gaps) += 1;
                if (line) {
                    // horizontal, vertical, down to the right, up to the right
                    const bool next[] = {onLine(image, x + 1, y), onLine(image, x, y + 1),
                                         onLine(image, x + 1, y + 1), onLine(image, x + 1, y - 1)};
                    agree += hatch < 4    ? next[hatch]
                             : hatch == 4 ? next[0] || next[1]
                                          : next[2] || next[3];
                }
            }
        }
        EXPECT_GT(lines, 48 * 48 / 16);
        EXPECT_GT(gaps, 48 * 48 / 2);
        EXPECT_GT(agree, lines * 8 / 10) << "lines in the wrong direction";
        // Between the lines, the opaque background.
        const QImage opaque = drawn(hatched(hatch, 2), {64, 64});
        for (int x = 8; x < 56; ++x) {
            const QColor c = opaque.pixelColor(x, 30);
            EXPECT_TRUE(same(c, Qt::red) || same(c, Qt::blue)) << c.name().toStdString();
        }
    }
}

// Bitmaps land on their target: stretched, mirrored by a negative width, a source part, and
// set on the device as they are.
TEST(WmfPlayer, drawsBitmapRecordsOnTheirTarget) {
    QImage bitmap(4, 2, QImage::Format_RGB32);
    bitmap.fill(Qt::blue);
    bitmap.setPixelColor(0, 0, Qt::red);
    bitmap.setPixelColor(1, 0, Qt::red);
    bitmap.setPixelColor(0, 1, Qt::red);
    bitmap.setPixelColor(1, 1, Qt::red); // red on the left half, blue on the right
    const QByteArray dib = dib24(bitmap);
    auto blit = [&](int x, int width, int srcX, int srcWidth) {
        // copy; source height, width, y, x; target height, width, y, x
        return WmfWriter()
            .add(dibStretchBlt, {0x0020, 0x00CC, 2, srcWidth, 0, srcX, 100, width, 0, x}, dib)
            .file(QRect(0, 0, 200, 100), 96);
    };
    const std::optional<QColor> red = QColor(Qt::red);
    const std::optional<QColor> blue = QColor(Qt::blue);
    const std::optional<QColor> none;
    struct Case {
        const char* what;
        QByteArray file;
        std::initializer_list<Probe> probes;
    };
    const Case cases[] = {
        {"stretched over the left half",
         blit(0, 100, 0, 4),
         {{0.1, 0.5, red}, {0.4, 0.5, blue}, {0.75, 0.5, none}}},
        {"mirrored", blit(100, -100, 0, 4), {{0.1, 0.5, blue}, {0.4, 0.5, red}}},
        {"its right half alone",
         blit(100, 100, 2, 2),
         {{0.25, 0.5, none}, {0.6, 0.5, blue}, {0.9, 0.5, blue}}},
        // Not stretched: a pixel to a logical unit, at 50, 50.
        {"set on the device",
         WmfWriter()
             .add(0x0D33, {0, 2, 0, 0, 0, 2, 4, 50, 50}, dib)
             .file(QRect(0, 0, 200, 100), 96),
         {{0.25, 0.5, red}, {0.265, 0.5, blue}, {0.3, 0.5, none}, {0.25, 0.4, none}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        expectProbes(drawn(c.file, {200, 100}), c.probes);
    }
}

// ExtTextOut fills its rectangle with the background colour when asked, places each letter by
// the distances it gives, and keeps inside its rectangle when clipped.
TEST(WmfPlayer, drawsExtTextOutWithItsOptions) {
    auto extText = [](int options, int spacing) {
        // At 10, 10: "HH", with its rectangle (0, 0)-(100, 50) when an option asks for it, then
        // the letters' distances.
        QByteArray params("\x0A\0\x0A\0\x02\0", 6);
        params.append(char(options)).append('\0');
        if (options)
            params.append(QByteArray("\0\0\0\0\x64\0\x32\0", 8));
        params.append("HH").append(char(spacing)).append('\0').append(char(spacing)).append('\0');
        return WmfWriter()
            .add(createFont, {}, fontParams("DejaVu Sans", 30, 0))
            .add(selectObject, {0})
            .add(setBkMode, {1})
            .add(setBkColor, {0, 0x00FF})
            .add(setTextColor, {0x00FF, 0})
            .add(0x0A32, {}, params)
            .file(QRect(0, 0, 200, 100), 96);
    };
    const QColor blue(Qt::blue);
    // Opaque: the rectangle is blue where no letter is.
    expectProbes(drawn(extText(2, 20), {200, 100}), {{0.45, 0.45, blue}, {0.75, 0.5, {}}});
    // Letters 80 units apart: the second one starts at x = 90.
    const QImage spaced = drawn(extText(0, 80), {200, 100});
    EXPECT_TRUE(drawnBox(spaced).contains(QPoint(95, 25)));
    EXPECT_GT(drawnBox(spaced).width(), 90);
    // Clipped to its rectangle: the second letter at 90 to 110 is cut at 100.
    EXPECT_LE(drawnBox(drawn(extText(4, 80), {200, 100})).right(), 100);
}

// Pens: dashes for thin pens only (Windows draws a wide dashed pen solid), no line for the null
// pen, and the end caps the style asks for.
TEST(WmfPlayer, drawsPensAsTheirStyleSays) {
    auto line = [](int style, int width) {
        const auto [low, high] = colourWords(Qt::red);
        return WmfWriter()
            .add(0x02FA, {style, width, 0, low, high})
            .add(selectObject, {0})
            .add(0x0214, {50, 50})  // move to
            .add(0x0213, {50, 150}) // line to
            .file(QRect(0, 0, 200, 100), 96);
    };
    // How many pixels of the line's middle row are drawn, out of the 80 between its ends.
    auto drawnOfMiddle = [](const QImage& image) {
        int count = 0;
        for (int x = 60; x < 140; ++x)
            count += image.pixelColor(x, 50).alpha() > 128;
        return count;
    };
    struct Case {
        const char* what;
        int style, width;
        int drawnMin, drawnMax;
        bool beyondEnd; // drawn 5 pixels before its start
    };
    const Case cases[] = {
        {"thin and dashed", 1, 0, 40, 72, false},
        {"thin and dotted", 2, 1, 25, 55, false},
        {"wide and dashed: solid", 1, 20, 80, 80, true},
        {"the null pen", 5, 20, 0, 0, false},
        {"flat ends", 0x200, 20, 80, 80, false},
        {"square ends", 0x100, 20, 80, 80, true},
        {"round ends", 0, 20, 80, 80, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image = drawn(line(c.style, c.width), {200, 100});
        const int count = drawnOfMiddle(image);
        EXPECT_GE(count, c.drawnMin);
        EXPECT_LE(count, c.drawnMax);
        EXPECT_EQ(image.pixelColor(45, 50).alpha() > 128, c.beyondEnd);
    }
}

// A pattern brush repeats its bitmap, pixel for pixel.
TEST(WmfPlayer, fillsWithPatternBrushes) {
    QImage checker(2, 2, QImage::Format_RGB32);
    checker.fill(Qt::red);
    checker.setPixelColor(1, 0, Qt::blue);
    checker.setPixelColor(0, 1, Qt::blue);
    const QByteArray file = WmfWriter()
                                .nullPen()
                                .add(0x0142, {5, 0}, dib24(checker))
                                .add(selectObject, {1})
                                .rectangle({0, 0, 64, 64})
                                .file(QRect(0, 0, 64, 64), 96);
    const QImage image = drawn(file, {64, 64});
    for (int y = 10; y < 14; ++y) {
        for (int x = 10; x < 14; ++x) {
            const QColor here = image.pixelColor(x, y);
            EXPECT_TRUE(same(here, Qt::red) || same(here, Qt::blue)) << x << ", " << y;
            EXPECT_NE(here.rgb(), image.pixelColor(x + 1, y).rgb()) << x << ", " << y;
            EXPECT_EQ(here.rgb(), image.pixelColor(x + 1, y + 1).rgb()) << x << ", " << y;
        }
    }
}

// The old bitmaps of BitBlt and StretchBlt (one bit to the pixel: set is white, clear black),
// copied or stretched onto their target.
TEST(WmfPlayer, drawsOldBitmapsOfBitBltAndStretchBlt) {
    // Eight pixels by two: the top row white then black, the bottom row the other way round.
    const QByteArray bitmap("\0\0\x08\0\x02\0\x02\0\x01\x01\xF0\0\x0F\0", 14);
    const QByteArray copied = WmfWriter()
                                  .add(0x0922, {0x0020, 0x00CC, 0, 0, 2, 8, 0, 0}, bitmap)
                                  .file(QRect(0, 0, 16, 4), 96);
    const QByteArray stretched = WmfWriter()
                                     .add(0x0B23, {0x0020, 0x00CC, 2, 8, 0, 0, 4, 16, 0, 0}, bitmap)
                                     .file(QRect(0, 0, 16, 4), 96);
    const std::optional<QColor> white = QColor(Qt::white);
    const std::optional<QColor> black = QColor(Qt::black);
    const std::optional<QColor> none;
    expectProbes(drawn(copied, {160, 40}), {{0.1, 0.1, white},
                                            {0.4, 0.1, black},
                                            {0.1, 0.4, black},
                                            {0.4, 0.4, white},
                                            {0.75, 0.25, none},
                                            {0.25, 0.75, none}});
    expectProbes(drawn(stretched, {160, 40}),
                 {{0.1, 0.1, white}, {0.9, 0.1, black}, {0.1, 0.9, black}, {0.9, 0.9, white}});
}

// With TA_UPDATECP, text starts at the current position and leaves it where the text ends.
TEST(WmfPlayer, continuesTextFromTheCurrentPosition) {
    auto twice = [](int align) {
        WmfWriter w;
        w.add(createFont, {}, fontParams("DejaVu Sans", 40, 0)).add(selectObject, {0});
        w.add(setBkMode, {1}).add(setTextAlign, {align}).add(setTextColor, {0x00FF, 0});
        w.add(0x0214, {20, 10}); // move to 10, 20
        w.add(0x0521, {2, 0x4848, 150, 150}).add(0x0521, {2, 0x4848, 150, 150});
        return w.file(QRect(0, 0, 400, 200), 96);
    };
    // Without it, both land at 150, 150; with it, one after the other from 10, 20.
    const QRect apart = drawnBox(drawn(twice(0), {400, 200}));
    const QRect following = drawnBox(drawn(twice(1), {400, 200}));
    EXPECT_GE(apart.left(), 150);
    EXPECT_LT(following.left(), 20);
    EXPECT_LT(following.top(), 40);
    EXPECT_GT(following.width(), 2 * apart.width() - 10);
}

// A record is known by its whole function number: one that shares a known function's low byte
// (a rectangle's, the end's) with another high byte draws nothing and ends nothing, and what
// follows it is still drawn.
TEST(WmfPlayer, knowsARecordByItsWholeFunctionNumber) {
    for (const int function : {0x011B, 0x051B, 0xFF1B, 0x0100}) {
        SCOPED_TRACE(function);
        const QByteArray file = redOnNull()
                                    .add(function, {64, 32, 0, 0})
                                    .rectangle({32, 0, 32, 64})
                                    .file(QRect(0, 0, 64, 64), 96);
        expectProbes(drawn(file, {64, 64}), {{0.25, 0.5, std::nullopt}, {0.75, 0.5, Qt::red}});
    }
}
