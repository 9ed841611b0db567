#include "MetafileFiles.h"
#include "WmfDrawing.h"

#include <gtest/gtest.h>

using namespace metafiles;
using namespace wmfdrawing;

// Metafiles written record by record, each for one thing the player must do as Windows does:
// map, keep colours, clip, combine, and survive records that lie.

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

// Drawing keeps inside the clip: a rectangle, a rectangle taken out, a region; RestoreDC
// brings back the clip saved with SaveDC; OffsetClipRgn moves it.
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
    WmfWriter offset = redOnNull();
    offset.add(intersectClipRect, {100, 100, 0, 0}).add(0x0220, {0, 100}); // moved right by 100
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
        {"moved", offset, {{0.25, 0.5, none}, {0.75, 0.5, red}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image =
            drawn(fullRectangle(c.writer).file(QRect(0, 0, 200, 100), 96), {200, 100});
        expectProbes(image, c.probes);
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
        {"a clip a billion pixels away",
         {{saveDC, {}},
          {setViewportExt, words({32767, 32767})},
          {setWindowExt, words({1, 1})},
          {excludeClipRect, words({32767, 32767, -32768, -32768})},
          {0x0220, words({32767, 32767})},
          {intersectClipRect, words({32767, 32767, 30000, 30000})},
          {restoreDC, words({-1})}}},
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

// A WMF made from an EMF carries the EMF whole in comment records (Windows and LibreOffice
// write them): the drawing is that EMF, whose see-through fills and curves the WMF's own
// records cannot hold. Pieces that do not add up leave the WMF's own records to draw.
TEST(WmfPlayer, drawsTheEnhancedMetafileItCarries) {
    const QByteArray emf = emfWithRectangle({0, 0, 2645, 2645}, {0, 0, 100, 100}, Qt::blue);
    const std::optional<QColor> red = QColor(Qt::red), blue = QColor(Qt::blue);
    const struct {
        const char* what;
        qsizetype piece;
        int lie;
        std::optional<QColor> shown;
    } cases[] = {
        {"in one piece", emf.size(), 0, blue},
        {"in pieces", 40, 0, blue},
        {"pieces claiming more than comes", 40, 8, red},
        {"pieces claiming less", 40, -4, red},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WmfWriter w = redOnNull();
        carryEmf(w, emf, c.piece, c.lie);
        const QByteArray file = w.rectangle({0, 0, 100, 100}).file(QRect(0, 0, 100, 100), 96);
        expectProbes(drawn(file, {100, 100}), {{0.5, 0.5, c.shown}});
    }
    // Cut off before its last piece: the WMF's own records.
    WmfWriter w = redOnNull();
    carryEmf(w, emf.left(emf.size() - 20), 40);
    expectProbes(drawn(w.rectangle({0, 0, 100, 100}).file(QRect(0, 0, 100, 100), 96), {100, 100}),
                 {{0.5, 0.5, red}});
}
