#include "PanelFakes.h"

#include "panel/PanelDecorations.h"
#include "panel/PointerManager.h"

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
