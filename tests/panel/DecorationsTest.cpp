#include "panel/Addresses.h"
#include "panel/LineControl.h"
#include "panel/PanelDecorations.h"
#include "panel/PointerManager.h"
#include "support/LinkAndDialogFakes.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

struct Panel {
    QWidget form;
    QWidget* frame = new QWidget(&form);
    QLabel* label1 = new QLabel(QStringLiteral("Tempo di posa di una immagine:"), frame);
    QPushButton* button = new QPushButton(QStringLiteral("&Play"), frame);
    fakes::RecordingLauncher launcher;
    PointerManager pointer;
    QString appFolder = QStringLiteral("/opt/quirello/");
    PanelDecorations decorations{&form, frame, label1, appFolder, launcher, pointer};

    Panel() {
        form.resize(634, 457);
        frame->setGeometry(332, 82, 273, 289);
        label1->setGeometry(12, 24, 153, 17);
        button->setGeometry(14, 48, 193, 25);
    }
    ~Panel() { pointer.setPointer(PointerManager::Pointer::Default); }

    void moveOver(QWidget* widget, QPoint at = {1, 1}) { QTest::mouseMove(widget, at); }
    QPoint cursorHotSpot() const {
        const QCursor* c = QApplication::overrideCursor();
        return c ? c->hotSpot() : QPoint(-1, -1);
    }
};

} // namespace

TEST(DecorationsMotion, BannerShowsFramesZeroOneTwoInTurn) {
    BannerAnimation banner;
    QList<int> shown;
    for (int tick = 1; tick <= 7; ++tick)
        shown.append(banner.tick());
    EXPECT_EQ(shown, QList<int>({0, 1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(banner.BannerFrame, 1);
}

TEST(DecorationsMotion, MailLinkTurnsAt310And487) {
    MailLinkSlide slide;
    int left = 436;
    int ticks = 0;
    auto runTo = [&](int target) {
        int n = 0;
        do {
            left = slide.tick(left);
            ++n;
            ASSERT_GE(left, 310);
            ASSERT_LE(left, 487);
        } while (left != target && n < 1000);
        ticks = n;
    };
    runTo(310);
    EXPECT_EQ(ticks, 126);
    EXPECT_EQ(slide.MailLinkStep, -1);
    runTo(487);
    EXPECT_EQ(ticks, 177);
    EXPECT_EQ(slide.MailLinkStep, 1);
    runTo(310);
    EXPECT_EQ(ticks, 177);
}

TEST(DecorationsLinks, EachLinkRunsItsCommandLine) {
    Panel panel;
    struct Case {
        std::function<void()> click;
        QString commandLine;
        WindowStyle style;
    };
    const QString& a = panel.appFolder;
    const Case cases[] = {
        {[&] { panel.decorations.Command2->click(); }, a + "start " + a + "Quirello.htm",
         WindowStyle::MinimizedFocus},
        {[&] { panel.decorations.Command3->click(); }, a + "start \"" + a + "Zafferon.htm\"",
         WindowStyle::NormalFocus},
        {[&] { QTest::mouseClick(panel.decorations.Image3[3], Qt::LeftButton); },
         a + "start https://www.quirello.example/acquistaZafferon.asp",
         WindowStyle::MinimizedFocus},
        {[&] { QTest::mouseClick(panel.decorations.Image3[1], Qt::LeftButton); },
         a + "start https://www.quirello.example/acquistaZafferon.asp",
         WindowStyle::MinimizedFocus},
        {[&] { QTest::mouseClick(panel.decorations.Picture4, Qt::LeftButton); },
         a + "start https://www.quirello.example/", WindowStyle::MinimizedFocus},
        {[&] { QTest::mouseClick(panel.decorations.Label3, Qt::LeftButton); },
         "start mailto:autore@quirello.example", WindowStyle::MinimizedFocus},
    };
    for (const Case& c : cases) {
        panel.launcher.runs.clear();
        c.click();
        ASSERT_EQ(panel.launcher.runs.size(), 1u) << c.commandLine.toStdString();
        EXPECT_EQ(panel.launcher.runs[0].commandLine, c.commandLine);
        EXPECT_EQ(panel.launcher.runs[0].style, c.style) << c.commandLine.toStdString();
    }
    // The right button is no click.
    panel.launcher.runs.clear();
    QTest::mouseClick(panel.decorations.Picture4, Qt::RightButton);
    EXPECT_TRUE(panel.launcher.runs.empty());
    // A launcher that cannot start leaves the panel as it was.
    panel.launcher.starts = false;
    panel.decorations.Command3->click();
    EXPECT_EQ(panel.launcher.runs.size(), 1u);
}

TEST(DecorationsLinks, HelpMovesTheSecondsLabelOutOfViewForGood) {
    Panel panel;
    panel.form.show();
    panel.pointer.setPointer(PointerManager::Pointer::Hand);
    for (int press = 0; press < 2; ++press) {
        panel.decorations.Command2->click();
        EXPECT_GE(panel.label1->y(), panel.form.frameGeometry().height());
        EXPECT_EQ(panel.label1->x(), 12);
        EXPECT_EQ(panel.pointer.pointer(), PointerManager::Pointer::Default);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(panel.launcher.runs.size(), 2u);
}

TEST(DecorationsPointer, HandOverLinksStaysOverControlsArrowOverThePanel) {
    Panel panel;
    panel.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel.form));
    auto& d = panel.decorations;

    panel.moveOver(d.Image3[3]);
    EXPECT_EQ(panel.pointer.pointer(), PointerManager::Pointer::Hand);
    EXPECT_EQ(panel.cursorHotSpot(), QPoint(12, 6));
    panel.moveOver(panel.button); // another control: unchanged
    EXPECT_EQ(panel.pointer.pointer(), PointerManager::Pointer::Hand);
    panel.moveOver(&panel.form, {300, 440}); // the panel's background
    EXPECT_EQ(panel.pointer.pointer(), PointerManager::Pointer::Arrow);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);

    panel.moveOver(d.Label3);
    EXPECT_EQ(panel.pointer.pointer(), PointerManager::Pointer::Hand);
    panel.moveOver(panel.frame, {200, 200}); // the frame's own surface
    EXPECT_EQ(panel.pointer.pointer(), PointerManager::Pointer::Arrow);
    panel.moveOver(d.Picture4);
    EXPECT_EQ(panel.pointer.pointer(), PointerManager::Pointer::Hand);
    panel.moveOver(d.lblDescription);
    EXPECT_EQ(panel.pointer.pointer(), PointerManager::Pointer::Arrow);

    // The e-mail link and the web-site picture bring the arrow back once clicked.
    panel.pointer.setPointer(PointerManager::Pointer::Hand);
    QTest::mouseClick(d.Picture4, Qt::LeftButton);
    EXPECT_EQ(panel.pointer.pointer(), PointerManager::Pointer::Arrow);
    panel.pointer.setPointer(PointerManager::Pointer::Hand);
    QTest::mouseClick(d.Label3, Qt::LeftButton);
    EXPECT_EQ(panel.pointer.pointer(), PointerManager::Pointer::Arrow);

    // Only ever one override of the application's pointer.
    panel.pointer.setPointer(PointerManager::Pointer::Default);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(DecorationsPointer, HandIsATwoColourPictureWithItsFingerTipAtTheHotSpot) {
    const QImage hand = PointerManager::handPicture();
    ASSERT_EQ(hand.size(), QSize(32, 32));
    int black = 0, white = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QColor c = hand.pixelColor(x, y);
            if (c.alpha() == 0)
                continue;
            ASSERT_TRUE(c == Qt::black || c == Qt::white) << x << "," << y;
            (c == Qt::black ? black : white) += 1;
            EXPECT_GE(y, 6) << "nothing above the finger tip";
        }
    EXPECT_GT(black, 50);
    EXPECT_GT(white, 100);
    EXPECT_EQ(hand.pixelColor(12, 6), QColor(Qt::black));
    EXPECT_EQ(hand.pixelColor(12, 10), QColor(Qt::white));
}

TEST(DecorationsLayout, TimersMoveTheLinkAndTheBannerTakesTheFramesInTurn) {
    Panel panel;
    auto& d = panel.decorations;
    for (int i = 0; i < 3; ++i)
        EXPECT_GE(d.Image3[i]->y(), panel.form.height()) << "frame " << i << " is never seen";
    EXPECT_TRUE(d.Timer2->isActive());
    EXPECT_TRUE(d.Timer3->isActive());

    d.Timer3_Timer();
    EXPECT_EQ(d.Label3->x(), 435);
    // The banner takes the frames' pictures in turn.
    QPixmap frames[3];
    for (int i = 0; i < 3; ++i) {
        frames[i] = QPixmap(100, 47);
        frames[i].fill(QColor(i * 100, 0, 0));
        d.Image3[i]->setPixmap(frames[i]);
    }
    for (int tick = 1; tick <= 4; ++tick) {
        d.Timer2_Timer();
        EXPECT_EQ(d.Image3[3]->pixmap().toImage().pixelColor(0, 0),
                  QColor(((tick - 1) % 3) * 100, 0, 0))
            << "tick " << tick;
    }
}
