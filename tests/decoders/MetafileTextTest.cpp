#include "decoders/MetafileDecoder.h"
#include "MetafileFiles.h"

#include <gtest/gtest.h>
#include <vector>

// Text spaced as the records say, in WMF and EMF: each character at the distance the record's
// spacing array gives, widened by the extra space and the justification the drawing sets, and
// kept inside or painted behind by the record's rectangle.
using namespace metafiles;

namespace {

// A picture of 400 x 100 pixels, a logical unit to the pixel; text 40 pixels high at (20, 70)
// on its baseline, black on no background.
const QSize shown(400, 100);
const QPoint at(20, 70);

QImage drawn(const QByteArray& file) {
    return decodeMetafile(file, metafileKind(file.left(metafileHeadSize)),
                          [](QSize) { return shown; })
        .image;
}

// The box of what is drawn opaque enough to be ink.
QRect inked(const QImage& image, int alpha = 128) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > alpha)
                box |= QRect(x, y, 1, 1);
    return box;
}

QByteArray words16(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF));
    return out;
}

// WMF: the font, alignment and colour, `before`, then ExtTextOut of `text` with `options`,
// `rect` and the spacing `dx` (none when empty).
QByteArray wmfText(const QByteArray& text, const std::vector<int>& dx,
                   const std::function<void(WmfWriter&)>& before = {}, int options = 0,
                   QRect rect = {}) {
    WmfWriter w;
    w.add(0x02FB, {}, fontParams("DejaVu Sans", 40, 0)).add(0x012D, {0});
    w.add(0x0102, {1}).add(0x012E, {24}).add(0x0209, {0, 0}); // no background, baseline, black
    if (before)
        before(w);
    QByteArray tail;
    if (options & 6)
        tail += words16({rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1});
    tail += text;
    if (tail.size() % 2)
        tail.append('\0');
    for (int d : dx)
        tail += words16({d});
    w.add(0x0A32, {at.y(), at.x(), int(text.size()), options}, tail);
    return w.file(QRect(QPoint(0, 0), shown), 96);
}

QByteArray words(std::initializer_list<qint64> values) {
    QByteArray out;
    for (qint64 v : values)
        for (int i = 0; i < 4; ++i)
            out.append(char(v >> (8 * i) & 0xFF));
    return out;
}

// EMF: the same font and settings, `before`, then EXTTEXTOUTW.
QByteArray emfText(const QString& text, const std::vector<int>& dx, const QByteArray& before = {},
                   int options = 0, QRect rect = {0, 0, 0, 0}) {
    QByteArray face = QByteArray("D\0e\0j\0a\0V\0u\0 \0S\0a\0n\0s\0", 22);
    face.resize(64, '\0');
    QByteArray r;
    emfRecord(r, 82, {1, -40, 0, 0, 0, 700, 0, 0}, face); // the font, bold, selected
    emfRecord(r, 37, {1});
    emfRecord(r, 18, {1});                   // no background
    emfRecord(r, 22, {24});                  // baseline
    emfRecord(r, 24, {colorRef(Qt::black)}); // black
    r += before;
    QByteArray chars(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    while (chars.size() % 4)
        chars.append('\0');
    QByteArray tail = chars;
    for (int d : dx)
        tail += words({d});
    emfRecord(r, 84,
              {0, 0, 0, 0, 1, 0, 0, at.x(), at.y(), text.size(), 76, options, rect.left(),
               rect.top(), rect.right() + 1, rect.bottom() + 1, dx.empty() ? 0 : 76 + chars.size()},
              tail);
    // A frame of 400 x 100 pixels at 96 to the inch, in hundredths of a millimetre.
    return emfFile({0, 0, 10583, 2646}, {0, 0, 399, 99}, r);
}

} // namespace

// A spacing array puts each letter at its distance from the one before: four H's 80 pixels
// apart span three distances and one letter's ink, however wide the face sets them.
TEST(MetafileText, placesEachCharacterAtTheDistanceTheSpacingArrayGives) {
    const std::pair<const char*, std::pair<QByteArray, QByteArray>> kinds[] = {
        {"WMF", {wmfText("H", {}), wmfText("HHHH", {80, 80, 80, 80})}},
        {"EMF", {emfText("H", {}), emfText("HHHH", {80, 80, 80, 80})}},
    };
    for (const auto& [kind, files] : kinds) {
        SCOPED_TRACE(kind);
        const QRect letter = inked(drawn(files.first));
        const QRect line = inked(drawn(files.second));
        ASSERT_FALSE(letter.isEmpty());
        EXPECT_NEAR(line.left(), letter.left(), 1);
        EXPECT_NEAR(line.width(), 3 * 80 + letter.width(), 2);
    }
}

// The character extra widens every advance; the justification shares its extra space among
// the spaces. Neither touches a line placed by a spacing array.
TEST(MetafileText, widensTheLineByTheExtraSpaceAndTheJustification) {
    const QRect plain = inked(drawn(wmfText("HHHH", {})));
    const QRect extra = inked(drawn(wmfText("HHHH", {}, [](WmfWriter& w) {
        w.add(0x0108, {25}); // 25 units after every character
    })));
    EXPECT_NEAR(extra.width(), plain.width() + 3 * 25, 2);
    const QRect spaced =
        inked(drawn(wmfText("HHHH", {60, 60, 60, 60}, [](WmfWriter& w) { w.add(0x0108, {25}); })));
    EXPECT_NEAR(spaced.width(), 3 * 60 + inked(drawn(wmfText("H", {}))).width(), 2);

    // 90 units among 2 spaces.
    const std::pair<const char*, std::pair<QByteArray, QByteArray>> kinds[] = {
        {"WMF",
         {wmfText("H H H", {}), wmfText("H H H", {},
                                        [](WmfWriter& w) {
                                            w.add(0x020A, {2, 90});
                                        })}},
        {"EMF",
         {emfText("H H H", {}), emfText("H H H", {},
                                        [] {
                                            QByteArray r;
                                            emfRecord(r, 120, {90, 2});
                                            return r;
                                        }())}},
    };
    for (const auto& [kind, files] : kinds) {
        SCOPED_TRACE(kind);
        EXPECT_NEAR(inked(drawn(files.second)).width(), inked(drawn(files.first)).width() + 90, 2);
    }
}

// ETO_CLIPPED keeps the text inside its rectangle; ETO_OPAQUE paints the rectangle in the
// background colour first, even with a transparent background.
TEST(MetafileText, clipsToAndPaintsTheRecordsRectangle) {
    const QRect box(0, 30, 60, 50); // the first letter and a bit
    const std::pair<const char*, std::pair<QByteArray, QByteArray>> kinds[] = {
        {"WMF",
         {wmfText("HHHH", {}, {}, 4, box), wmfText(
                                               "HHHH", {},
                                               [](WmfWriter& w) {
                                                   w.add(0x0201, {0x00FF, 0}); // red background
                                               },
                                               2, box)}},
        {"EMF",
         {emfText("HHHH", {}, {}, 4, box), emfText(
                                               "HHHH", {},
                                               [] {
                                                   QByteArray r;
                                                   emfRecord(r, 25, {colorRef(Qt::red)});
                                                   return r;
                                               }(),
                                               2, box)}},
    };
    for (const auto& [kind, files] : kinds) {
        SCOPED_TRACE(kind);
        const QRect clipped = inked(drawn(files.first));
        EXPECT_TRUE(box.contains(clipped)) << clipped.x() << "," << clipped.y() << " "
                                           << clipped.width() << "x" << clipped.height();
        EXPECT_GT(clipped.width(), 20);
        const QImage painted = drawn(files.second);
        EXPECT_EQ(painted.pixelColor(5, 35), QColor(Qt::red)); // inside, not under a letter
        EXPECT_EQ(painted.pixelColor(5, 90).alpha(), 0);       // below the rectangle
        EXPECT_GT(inked(painted).right(), box.right() + 60);   // the text is not clipped
    }
}
