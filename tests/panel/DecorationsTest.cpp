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

struct Decorated {
    QWidget form;
    QWidget* frame = new QWidget(&form);
    QLabel* label1 = new QLabel(QStringLiteral("Tempo di posa"), frame);
    fakes::RecordingLauncher launcher;
    PointerManager pointer;
    QString appFolder = QStringLiteral("/opt/quirello/");
    PanelDecorations d{&form, frame, label1, appFolder, launcher, pointer};

    Decorated() {
        form.resize(634, 457);
        frame->setGeometry(332, 82, 273, 289);
    }
    ~Decorated() { pointer.setPointer(PointerManager::Pointer::Default); }
};

TEST(DecorationsLinks, EachLinkRunsItsCommandLine) {
    Decorated panel;
    const QString& a = panel.appFolder;
    const QString buy = a + "start https://www.quirello.example/acquistaZafferon.asp";
    const struct {
        std::function<void()> click;
        QString commandLine;
        WindowStyle style;
    } cases[] = {
        {[&] { panel.d.Command2->click(); }, a + "start " + a + "Quirello.htm",
         WindowStyle::MinimizedFocus},
        {[&] { panel.d.Command3->click(); }, a + "start \"" + a + "Zafferon.htm\"",
         WindowStyle::NormalFocus},
        {[&] { QTest::mouseClick(panel.d.Image3[3], Qt::LeftButton); }, buy,
         WindowStyle::MinimizedFocus},
        {[&] { QTest::mouseClick(panel.d.Image3[1], Qt::LeftButton); }, buy,
         WindowStyle::MinimizedFocus},
        {[&] { QTest::mouseClick(panel.d.Picture4, Qt::LeftButton); },
         a + "start https://www.quirello.example/", WindowStyle::MinimizedFocus},
        {[&] { QTest::mouseClick(panel.d.Label3, Qt::LeftButton); },
         "start mailto:autore@quirello.example", WindowStyle::MinimizedFocus},
    };
    for (const auto& c : cases) {
        panel.launcher.runs.clear();
        panel.pointer.setPointer(PointerManager::Pointer::Hand);
        c.click();
        ASSERT_EQ(panel.launcher.runs.size(), 1u) << c.commandLine.toStdString();
        EXPECT_EQ(panel.launcher.runs[0].commandLine, c.commandLine);
        EXPECT_EQ(panel.launcher.runs[0].style, c.style) << c.commandLine.toStdString();
    }
    // Help moves the seconds label out of view and drops the hand.
    EXPECT_GE(panel.label1->y(), panel.form.frameGeometry().height());
    panel.pointer.setPointer(PointerManager::Pointer::Hand);
    panel.d.Command2->click();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    panel.launcher.runs.clear();
    QTest::mouseClick(panel.d.Picture4, Qt::RightButton);
    EXPECT_TRUE(panel.launcher.runs.empty()) << "the right button is no click";
}

TEST(DecorationsPointer, HandOverLinksStaysOverControlsArrowOverThePanel) {
    Decorated panel;
    auto* button = new QPushButton(QStringLiteral("&Play"), panel.frame);
    button->setGeometry(14, 48, 193, 25);
    panel.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel.form));
    const struct {
        QWidget* over;
        QPoint at;
        PointerManager::Pointer pointer;
    } moves[] = {
        {panel.d.Image3[3], {1, 1}, PointerManager::Pointer::Hand},
        {button, {1, 1}, PointerManager::Pointer::Hand}, // another control: unchanged
        {&panel.form, {300, 440}, PointerManager::Pointer::Arrow},
        {panel.d.Label3, {1, 1}, PointerManager::Pointer::Hand},
    };
    for (const auto& m : moves) {
        QTest::mouseMove(m.over, m.at);
        EXPECT_EQ(panel.pointer.pointer(), m.pointer) << m.over->metaObject()->className();
    }
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->hotSpot(), QPoint(12, 6));
    panel.pointer.setPointer(PointerManager::Pointer::Default);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "only ever one override";
}

using PanelExtrasTest = panelfakes::PanelTest;

TEST_F(PanelExtrasTest, FirstPaintStripesARandomSampleOnce) {
    loadPanel();
    extras();
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
