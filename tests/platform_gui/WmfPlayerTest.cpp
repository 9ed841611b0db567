#include "MetafileFiles.h"
#include "platform/gui/MetafileDecoder.h"

#include <gtest/gtest.h>

using namespace metafiles;

// Metafiles written record by record, each for one thing the player must draw as Windows does,
// drawn in the process at a fixed size.

namespace {

// Record functions.
enum : int {
    setBkMode = 0x0102,
    setMapMode = 0x0103,
    restoreDC = 0x0127,
    selectClipRegion = 0x012C,
    selectObject = 0x012D,
    setTextAlign = 0x012E,
    saveDC = 0x001E,
    createPalette = 0x00F7,
    selectPalette = 0x0234,
    setBkColor = 0x0201,
    setTextColor = 0x0209,
    setWindowOrg = 0x020B,
    setWindowExt = 0x020C,
    setViewportOrg = 0x020D,
    setViewportExt = 0x020E,
    createFont = 0x02FB,
    createBrush = 0x02FC,
    excludeClipRect = 0x0415,
    intersectClipRect = 0x0416,
    createRegion = 0x06FF,
    dibStretchBlt = 0x0B41,
};

QImage drawn(const QByteArray& wmf, QSize size, QSize* natural = nullptr) {
    const DecodedPicture p = decodeMetafile(wmf, metafileKind(wmf.left(metafileHeadSize)),
                                            [size](QSize) { return size; });
    if (natural)
        *natural = p.naturalSize;
    return p.image;
}

QColor at(const QImage& image, double fx, double fy) {
    return image.pixelColor(int(fx * image.width()), int(fy * image.height()));
}

bool same(QColor a, QColor b) {
    return a.alpha() == 255 && a.rgb() == b.rgb();
}

// What a probe at (fx, fy) of the picture must find: a colour, or nothing drawn.
struct Probe {
    double fx, fy;
    std::optional<QColor> colour;
};

void expectProbes(const QImage& image, std::initializer_list<Probe> probes) {
    for (const Probe& p : probes) {
        const QColor c = at(image, p.fx, p.fy);
        if (p.colour)
            EXPECT_TRUE(same(c, *p.colour))
                << p.fx << ", " << p.fy << ": " << c.name(QColor::HexArgb).toStdString();
        else
            EXPECT_EQ(c.alpha(), 0) << p.fx << ", " << p.fy;
    }
}

// The box of what is drawn (alpha above half).
QRect drawnBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

WmfWriter redOnNull() {
    WmfWriter w;
    w.solidBrush(Qt::red).nullPen();
    return w;
}

} // namespace

// The window and viewport the file sets map its logical units onto the frame, as Windows
// maps them; a file without a placeable header is framed by its window or by what it draws.
TEST(WmfPlayer, mapsTheFilesWindowAndViewportOntoTheFrame) {
    const std::optional<QColor> red = QColor(Qt::red);
    const std::optional<QColor> none;
    struct Case {
        const char* what;
        QByteArray file;
        QSize natural;
        std::initializer_list<Probe> probes;
    };
    const Case cases[] = {
        {"a window other than the placeable frame is stretched over it",
         redOnNull()
             .add(setMapMode, {8})
             .add(setWindowOrg, {0, 0})
             .add(setWindowExt, {100, 200})
             .rectangle({0, 0, 100, 100})
             .file(QRect(0, 0, 1000, 500), 1000),
         {96, 48},
         {{0.25, 0.5, red}, {0.05, 0.05, red}, {0.75, 0.5, none}}},
        {"a window moved to negative logical units",
         redOnNull()
             .add(setMapMode, {8})
             .add(setWindowOrg, {-50, -100})
             .add(setWindowExt, {100, 200})
             .rectangle({-100, -50, 100, 100})
             .file(QRect(0, 0, 1000, 500), 1000),
         {96, 48},
         {{0.25, 0.5, red}, {0.75, 0.5, none}}},
        {"a window counting y upwards",
         redOnNull()
             .add(setMapMode, {8})
             .add(setWindowOrg, {100, 0})
             .add(setWindowExt, {-100, 200})
             .rectangle({0, 50, 100, 50})
             .file(QRect(0, 0, 1000, 500), 1000),
         {96, 48},
         {{0.25, 0.25, red}, {0.25, 0.75, none}, {0.75, 0.25, none}}},
        {"isotropic: the same scale both ways",
         redOnNull()
             .add(setMapMode, {7})
             .add(setWindowExt, {100, 100})
             .rectangle({0, 0, 100, 100})
             .file(QRect(0, 0, 200, 100), 96),
         {200, 100},
         {{0.25, 0.5, red}, {0.75, 0.5, none}}},
        {"a viewport of the file's own within the frame",
         redOnNull()
             .add(setMapMode, {8})
             .add(setWindowExt, {10, 10})
             .add(setViewportOrg, {0, 100})
             .add(setViewportExt, {100, 100})
             .rectangle({0, 0, 10, 10})
             .file(QRect(0, 0, 200, 100), 96),
         {200, 100},
         {{0.75, 0.5, red}, {0.25, 0.5, none}}},
        {"tenths of a millimetre, y upwards from the viewport origin",
         redOnNull()
             .add(setMapMode, {2})
             .add(setViewportOrg, {720, 0})
             .rectangle({0, 0, 127, 127})
             .file(QRect(0, 0, 1440, 720), 1440),
         {96, 48},
         {{0.25, 0.5, red}, {0.75, 0.5, none}}},
        {"no placeable header: the window the file sets is its frame",
         redOnNull()
             .add(setMapMode, {8})
             .add(setWindowExt, {200, 400})
             .rectangle({0, 0, 200, 200})
             .file(std::nullopt),
         {400, 200},
         {{0.25, 0.5, red}, {0.75, 0.5, none}}},
        {"no placeable header and no window: what the records draw is the frame",
         redOnNull()
             .rectangle({10, 20, 50, 50})
             .solidBrush(Qt::blue)
             .rectangle({60, 20, 50, 50})
             .file(std::nullopt),
         {100, 50},
         {{0.25, 0.5, red}, {0.75, 0.5, QColor(Qt::blue)}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QSize natural;
        const QImage image = drawn(c.file, {400, 200}, &natural);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(natural, c.natural);
        expectProbes(image, c.probes);
    }
}

// Colours come out exactly as the file gives them, and a palette index as the palette's entry.
TEST(WmfPlayer, keepsExactColours) {
    const QColor green(0, 160, 0);
    const QColor dark(200, 0, 0);
    const QColor teal(10, 200, 30);
    const auto [tealLow, tealHigh] = colourWords(teal);
    const auto [greenLow, greenHigh] = colourWords(green);
    const QByteArray file =
        WmfWriter()
            .nullPen()
            .solidBrush(green)
            .rectangle({0, 0, 100, 100})
            .solidBrush(dark)
            .rectangle({100, 0, 100, 100})
            // A palette of two entries, selected, and a brush of its second entry.
            .add(createPalette, {0x300, 2, 0x0201, 0x0003, tealLow, tealHigh & 0xFF})
            .add(selectPalette, {3})
            .add(createBrush, {0, 1, 0x0100, 0})
            .add(selectObject, {4})
            .rectangle({200, 0, 100, 100})
            // A pen's colour: a thick line across the last quarter.
            .add(0x02FA, {0, 40, 0, greenLow, greenHigh})
            .add(selectObject, {5})
            .add(0x0214, {50, 300}) // move to
            .add(0x0213, {50, 400}) // line to
            .file(QRect(0, 0, 400, 100), 96);
    const QImage image = drawn(file, {400, 100});
    expectProbes(
        image, {{0.125, 0.5, green}, {0.375, 0.5, dark}, {0.625, 0.5, teal}, {0.875, 0.5, green}});
}

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

// Drawing keeps inside the clip: a rectangle, a rectangle taken out, a region; RestoreDC
// brings back the clip saved with SaveDC.
TEST(WmfPlayer, clipsToRectanglesAndRegions) {
    const std::optional<QColor> red = QColor(Qt::red);
    const std::optional<QColor> none;
    auto fullRectangle = [](WmfWriter& w) { return w.rectangle({0, 0, 200, 100}); };
    WmfWriter intersect = redOnNull();
    intersect.add(intersectClipRect, {100, 100, 0, 0});
    WmfWriter exclude = redOnNull();
    exclude.add(excludeClipRect, {100, 200, 0, 100});
    // A region of two scans: the top left quarter and the bottom right one.
    WmfWriter region = redOnNull();
    region.add(createRegion,
               {0, 6, 0, 0, 0, 2, 2, 0, 0, 200, 100, 2, 0, 50, 0, 100, 2, 2, 50, 100, 100, 200, 2});
    region.add(selectClipRegion, {2});
    WmfWriter restored = redOnNull();
    restored.add(saveDC, {}).add(intersectClipRect, {100, 100, 0, 0}).add(restoreDC, {-1});
    struct Case {
        const char* what;
        WmfWriter& writer;
        std::initializer_list<Probe> probes;
    };
    const Case cases[] = {
        {"intersected", intersect, {{0.25, 0.5, red}, {0.75, 0.5, none}}},
        {"excluded", exclude, {{0.25, 0.5, red}, {0.75, 0.5, none}}},
        {"a region",
         region,
         {{0.25, 0.25, red}, {0.75, 0.75, red}, {0.75, 0.25, none}, {0.25, 0.75, none}}},
        {"restored", restored, {{0.25, 0.5, red}, {0.75, 0.5, red}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image =
            drawn(fullRectangle(c.writer).file(QRect(0, 0, 200, 100), 96), {200, 100});
        expectProbes(image, c.probes);
    }
}

// Bitmaps land on their target: stretched, mirrored by a negative width, and a source part.
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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        expectProbes(drawn(c.file, {200, 100}), c.probes);
    }
}

// Counts, sizes and indexes that lie: each record is checked against itself and the object
// table, so a lying record is left out (or drawn as far as it is whole) and the red rectangle
// drawn after it still shows.
TEST(WmfPlayer, leavesOutRecordsThatLie) {
    QImage dot(1, 1, QImage::Format_RGB32);
    dot.fill(Qt::blue);
    QByteArray hugeDib = dib24(dot);
    hugeDib.replace(4, 8, QByteArray("\xFF\xFF\0\0\xFF\xFF\0\0", 8)); // 65535 x 65535
    QByteArray emptyHeaderDib = dib24(dot);
    emptyHeaderDib[0] = 0;
    auto stretchDib = [](const QByteArray& dib) {
        return std::pair{
            0x0F43, QByteArray("\x20\0\xCC\0\0\0\1\0\1\0\0\0\0\0\x64\0\x64\0\0\0\0\0", 22) + dib};
    };
    QByteArray longFace(50, 'A'); // the face name never ends
    longFace.replace(0, 2, QByteArray("\xD8\xFF", 2));
    struct Case {
        const char* what;
        std::vector<std::pair<int, QByteArray>> records;
    };
    auto words = [](std::initializer_list<int> values) {
        QByteArray out;
        for (int v : values)
            out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
        return out;
    };
    const Case cases[] = {
        {"a polygon of 65,535 points holding one", {{0x0324, words({65535, 10, 10})}}},
        {"65,535 polygons", {{0x0538, words({65535, 3, 0, 0, 10, 10})}}},
        {"objects that are not there",
         {{0x012D, words({65535})},
          {0x01F0, words({40000})},
          {0x012C, words({3})},
          {0x0228, words({9, 9})}}},
        {"restoring what was never saved", {{0x0127, words({-5})}, {0x0127, words({3})}}},
        {"saving the state thousands of times",
         std::vector<std::pair<int, QByteArray>>(5000, {0x001E, QByteArray()})},
        {"a region of 65,535 scans holding one",
         {{0x06FF, words({0, 6, 0, 0, 0, 65535, 0, 0, 0, 10, 10, 2, 0, 5, 0, 5, 2})},
          {0x012C, words({2})},
          {0x012C, words({0})}}},
        {"a bitmap of 65,535 x 65,535 pixels", {stretchDib(hugeDib)}},
        {"a bitmap whose header claims no bytes", {stretchDib(emptyHeaderDib)}},
        {"a font whose name never ends, and text longer than its record",
         {{0x02FB, longFace},
          {0x012D, words({2})},
          {0x0521, words({65535, 0x4141})},
          {0x0A32, words({0, 0, 10, 4, 0})}}},
        {"empty and zero extents", {{0x020C, words({0, 0})}, {0x0410, words({0, 0, 0, 0})}}},
        {"a dashed line a billion pixels long",
         {{0x02FA, words({1, 0, 0, 0, 0})},
          {0x012D, words({2})},
          {0x020E, words({32767, 32767})},
          {0x020C, words({1, 1})},
          {0x0214, words({-32768, -32768})},
          {0x0213, words({32767, 32767})},
          {0x020C, words({100, 100})},
          {0x020E, words({100, 100})}}},
        {"70,000 objects",
         std::vector<std::pair<int, QByteArray>>(70000, {0x02FC, words({1, 0, 0, 0})})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WmfWriter w = redOnNull();
        for (const auto& [function, params] : c.records)
            w.add(function, {}, params);
        w.add(0x012D, {1}).add(0x012D, {0}); // the red brush and the null pen again
        const QImage image =
            drawn(w.rectangle({0, 0, 100, 100}).file(QRect(0, 0, 100, 100), 96), {100, 100});
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(same(image.pixelColor(50, 50), Qt::red));
    }
}

// The raster operations of shapes: nothing, white, black, or what lies beneath inverted.
TEST(WmfPlayer, appliesRasterOperationsToShapes) {
    const std::pair<int, std::optional<QColor>> cases[] = {
        {11, QColor(Qt::red)}, // leave it: the red below stays
        {16, QColor(Qt::white)}, {1, QColor(Qt::black)}, {6, QColor(Qt::cyan)}, // red inverted
        {13, QColor(Qt::blue)},                                                 // the brush
    };
    for (const auto& [rop, expected] : cases) {
        SCOPED_TRACE(rop);
        const QByteArray file = redOnNull()
                                    .rectangle({0, 0, 100, 100})
                                    .solidBrush(Qt::blue)
                                    .add(0x0104, {rop})
                                    .rectangle({0, 0, 100, 100})
                                    .file(QRect(0, 0, 100, 100), 96);
        expectProbes(drawn(file, {100, 100}), {{0.5, 0.5, expected}});
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
