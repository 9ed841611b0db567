#include "PanelFakes.h"

#include "controls/LinkLabel.h"
#include "controls/PointerManager.h"
#include "panel/PanelDecorations.h"
#include "panel/PanelPicture.h"

#include <functional>

TEST(DecorationsMotion, BannerFramesTurnAndTheMailLinkTurnsAt310And487) {
    BannerAnimation banner;
    QList<int> shown;
    for (int tick = 1; tick <= 4; ++tick)
        shown.append(banner.tick());
    EXPECT_EQ(shown, QList<int>({0, 1, 2, 0}));

    MailLinkSlide slide;
    int left = 436;
    auto ticksTo = [&](int target) {
        int n = 0;
        do {
            left = slide.tick(left);
            EXPECT_TRUE(left >= 310 && left <= 487) << left;
        } while (++n < 1000 && left != target);
        return n;
    };
    EXPECT_EQ(ticksTo(310), 126);
    EXPECT_EQ(ticksTo(487), 177);
    EXPECT_EQ(ticksTo(310), 177);
}

// The decorations as the panel carries them.
class Decorations : public panelfakes::PanelTest {
protected:
    void SetUp() override {
        loadPanel();
        d = extras().decorations.get();
        pointer = &extras().pointer;
    }
    void TearDown() override { pointer->setPointer(PointerManager::Pointer::Default); }
    PanelDecorations* d = nullptr;
    PointerManager* pointer = nullptr;
};

TEST_F(Decorations, EachLinkRunsItsCommandLine) {
    const QString buy = app + "start https://www.quirello.example/acquistaZafferon.asp";
    const auto minimised = WindowStyle::MinimizedFocus;
    // A click, the command line it runs, its window style.
    const std::tuple<std::function<void()>, QString, WindowStyle> cases[] = {
        {[&] { d->Command2->click(); }, app + "start " + app + "Quirello.htm", minimised},
        {[&] { d->Command3->click(); }, app + "start \"" + app + "Zafferon.htm\"",
         WindowStyle::NormalFocus},
        {[&] { QTest::mouseClick(d->Image3[3], Qt::LeftButton); }, buy, minimised},
        {[&] { QTest::mouseClick(d->Image3[1], Qt::LeftButton); }, buy, minimised},
        {[&] { QTest::mouseClick(d->Picture4, Qt::LeftButton); },
         app + "start https://www.quirello.example/", minimised},
        {[&] { QTest::mouseClick(d->Label3, Qt::LeftButton); },
         "start mailto:autore@quirello.example", minimised},
    };
    for (const auto& [click, commandLine, style] : cases) {
        launcher.clear();
        pointer->setPointer(PointerManager::Pointer::Hand);
        click();
        EXPECT_EQ(launcher.commandLines, QStringList{commandLine});
        EXPECT_EQ(launcher.styles, QList{style}) << commandLine.toStdString();
    }
    // Help moves the seconds label out of view and drops the hand.
    EXPECT_GE(panel->settingsFrame().secondsCaption->y(), panel->frameGeometry().height());
    pointer->setPointer(PointerManager::Pointer::Hand);
    d->Command2->click();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    launcher.clear();
    QTest::mouseClick(d->Picture4, Qt::RightButton);
    EXPECT_TRUE(launcher.commandLines.isEmpty()) << "the right button is no click";
}

TEST_F(Decorations, FirstPaintStripesARandomSampleOnce) {
    records.settings.RGB_RANDOM = -1;
    const int before = random.drawn;
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    EXPECT_FALSE(colours.red->isEnabled());
    EXPECT_EQ(random.drawn - before, 57) << "one random colour per stripe";
    panel->hide();
    panel->show();
    panel->repaint();
    EXPECT_EQ(random.drawn - before, 57) << "later paints leave the sample alone";
}

// Where the hand is black the cursor draws black, where it is white white, and the mask shows
// the hand and nothing else (a 32 x 32 square with a hand-shaped hole was the fault).
TEST(LinkPointer, ShapeAndMaskFollowTheHand) {
    const QImage hand = PointerManager::handPicture();
    const QCursor cursor = PointerManager::handCursor();
    const QImage shape = cursor.bitmap().toImage();
    const QImage mask = cursor.mask().toImage();
    ASSERT_EQ(shape.size(), QSize(32, 32));
    ASSERT_EQ(mask.size(), QSize(32, 32));
    EXPECT_EQ(cursor.hotSpot(), QPoint(12, 6));
    int black = 0, white = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QColor c = hand.pixelColor(x, y);
            const bool shown = c.alpha() != 0;
            black += shown && c == Qt::black;
            white += shown && c == Qt::white;
            // In a bitmap, black is the bit that is set.
            EXPECT_EQ(mask.pixelColor(x, y) == Qt::black, shown) << x << "," << y;
            if (shown) {
                EXPECT_EQ(shape.pixelColor(x, y) == Qt::black, c == Qt::black) << x << "," << y;
            }
        }
    EXPECT_GT(black, 40);
    EXPECT_GT(white, 100);
    EXPECT_EQ(mask.pixelColor(0, 0), Qt::white) << "the corner is see-through";
}

// The pictures beside the built program, sharp on a screen of two device pixels to a logical
// one, and the window icon at every size.
TEST(PanelArt, EachPictureHasATwiceAsLargeTwinAndTheIconEverySize) {
    const QString built = qEnvironmentVariable("QUIRELLO_APP_DIR") + '/';
    const auto& d = PanelDecorations::BannerFrames;
    for (const QString& file :
         {PanelDecorations::BannerDesign, d[0], d[1], d[2], PanelDecorations::WebSitePicture,
          PanelDecorations::IconPicture, PanelDecorations::ItalyPicture}) {
        const QPixmap one = PanelPicture(built + file, 1), two = PanelPicture(built + file, 2);
        ASSERT_FALSE(one.isNull()) << file.toStdString();
        EXPECT_EQ(two.size(), one.size() * 2) << file.toStdString();
        EXPECT_EQ(two.deviceIndependentSize(), one.size()) << file.toStdString();
    }
    QList<QSize> sizes;
    for (int side : WindowIconSizes)
        sizes << QSize(side, side);
    EXPECT_EQ(WindowIcon(built, {}).availableSizes(), sizes);
}
