#include "decoders/IconFrames.h"
#include "IconFiles.h"
#include "support/Rows.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QImageReader>

using iconfiles::Frame;
using iconfiles::frame;

namespace {

QImage filled(int side, QColor colour) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

DecodedPicture decodedIcon(const testfiles::Sandbox& box, const QByteArray& bytes) {
    testfiles::write(box.file("icona.ico"), bytes);
    return testfiles::decodedByHelper(box.file("icona.ico"), [](QSize natural) { return natural; });
}

bool sameColour(QColor a, QColor b) {
    return qAbs(a.red() - b.red()) <= 2 && qAbs(a.green() - b.green()) <= 2 &&
           qAbs(a.blue() - b.blue()) <= 2 && qAbs(a.alpha() - b.alpha()) <= 2;
}

} // namespace

// Of the largest frames, the one with the most colours is shown, the first of equals; a smaller
// frame never wins for its colours.
const QColor yellow(255, 255, 0), orange(255, 128, 0), red(200, 0, 0), blue(0, 0, 255);
const struct Choice {
    const char* name;
    std::vector<Frame> frames;
    QColor shown;
} choices[] = {
    {"deeper frames listed last",
     {frame(filled(16, yellow), 4), frame(filled(32, yellow), 4), frame(filled(32, orange), 8),
      frame(filled(16, blue), 32), frame(filled(32, red), 32)},
     red},
    {"the deeper one first", {frame(filled(32, orange), 8), frame(filled(32, yellow), 4)}, orange},
    {"equal depths", {frame(filled(32, red), 24), frame(filled(32, blue), 24)}, red},
    {"a smaller deeper frame", {frame(filled(48, yellow), 4), frame(filled(32, red), 32)}, yellow},
};
TABLE_TEST(IconFrameChoices, takesTheDeepestOfTheLargestFrames, choices) {
    const auto& c = GetParam();
    testfiles::Sandbox box;
    const DecodedPicture p = decodedIcon(box, iconfiles::icon(c.frames));
    ASSERT_TRUE(p.ok());
    EXPECT_TRUE(sameColour(p.image.pixelColor(p.image.width() / 2, p.image.height() / 2), c.shown))
        << p.image.pixelColor(p.image.width() / 2, p.image.height() / 2).name().toStdString();
}

// NSIS's installer icon lists its 16-colour frames before the 256-colour and 32-bit ones, and
// its directory leaves their depth unsaid; its 48-pixel 32-bit frame is the one shown.
TEST(IconFrameChoice, showsTheInstallerIconsDeepestFrame) {
    const QString path = testfiles::sourceFile("tests/data/icons/orange-install.ico");
    QImageReader reader(path);
    ASSERT_EQ(reader.imageCount(), 9);
    ASSERT_TRUE(reader.jumpToImage(8));
    const QImage deepest = reader.read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(deepest.size(), QSize(48, 48));

    const DecodedPicture p = testfiles::decodedByHelper(path, [](QSize n) { return n; });
    ASSERT_TRUE(p.ok());
    ASSERT_EQ(p.image.size(), QSize(48, 48));
    int differing = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x)
            differing += !sameColour(p.image.pixelColor(x, y), deepest.pixelColor(x, y));
    }
    EXPECT_EQ(differing, 0);
}

// The AND mask makes its pixels transparent at every depth; a 32-bit frame's own alpha wins
// over its mask, unless that alpha is all zero (icons made before alpha existed).
TEST(IconMask, makesMaskedPixelsTransparentAtEveryDepth) {
    const QColor green(0, 160, 0);
    QImage withAlpha = filled(16, QColor(0, 160, 0, 255));
    withAlpha.setPixelColor(0, 0, Qt::transparent);
    const QRect leftColumns(0, 0, 4, 16);
    const struct {
        const char* what;
        Frame only;
        QColor corner;
    } cases[] = {
        {"4 bits", frame(filled(16, green), 4, leftColumns), Qt::transparent},
        {"8 bits", frame(filled(16, green), 8, leftColumns), Qt::transparent},
        {"24 bits", frame(filled(16, green), 24, leftColumns), Qt::transparent},
        {"32 bits, no alpha", frame(filled(16, QColor(0, 160, 0, 0)), 32, leftColumns),
         Qt::transparent},
        {"32 bits, alpha over a full mask", frame(withAlpha, 32, QRect(0, 0, 16, 16)),
         Qt::transparent},
        {"24 bits, no mask", frame(filled(16, green), 24, QRect()), green},
    };
    testfiles::Sandbox box;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedPicture p = decodedIcon(box, iconfiles::icon({c.only}));
        ASSERT_TRUE(p.ok());
        const QColor corner = p.image.pixelColor(0, 0);
        EXPECT_EQ(corner.alpha(), c.corner.alpha());
        if (c.corner.alpha() != 0) {
            EXPECT_TRUE(sameColour(corner, c.corner)) << corner.name().toStdString();
        }
        EXPECT_TRUE(sameColour(p.image.pixelColor(10, 8), green))
            << p.image.pixelColor(10, 8).name(QColor::HexArgb).toStdString();
    }
}

// A mask that the file cuts short is not applied: its rows would be read from beyond the file.
// The bytes past the cut are the mask's own, so reading them would mask the corner.
TEST(IconMask, isLeftUnappliedWhenTheFileEndsInsideIt) {
    const QImage green = filled(16, QColor(0, 160, 0));
    const QByteArray whole = iconfiles::icon({frame(green, 24, QRect(0, 0, 4, 16))});
    const std::vector<IconFrame> frames = iconFrames(whole);
    ASSERT_EQ(frames.size(), 1u);
    ASSERT_EQ(withIconMask(green, whole, frames[0]).pixelColor(0, 0).alpha(), 0);

    const QByteArray cut = QByteArray::fromRawData(whole.constData(), whole.size() - 1);
    ASSERT_EQ(iconFrames(cut).size(), 1u);
    const QImage shown = withIconMask(green, cut, iconFrames(cut)[0]);
    EXPECT_EQ(shown.pixelColor(0, 0).alpha(), 255);
    EXPECT_EQ(shown, green);
}
