// The settings controls' change handling: the colour sample, "A caso", the speed bar, and the
// rule that only a real change of value runs a handler.

#include "PanelFakes.h"

#include "panel/ColourSample.h"
#include "panel/DirListBox.h"
#include "panel/DriveListBox.h"
#include "panel/EditableList.h"
#include "panel/SecondsField.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <vector>

namespace {

using panelfakes::PanelTest;

int StripedRows(const QImage& drawing) {
    int rows = 0;
    for (int y = 0; y < drawing.height(); ++y)
        rows += qAlpha(drawing.pixel(drawing.width() / 2, y)) == 255 ? 1 : 0;
    return rows;
}

class PanelSettings : public PanelTest {
protected:
    void SetUp() override { loadPanel(); }
};

TEST_F(PanelSettings, ColourBarsPaintTheSampleAndTheirOwnValueLabel) {
    const struct {
        QScrollBar* frmAbout::*bar;
        QLabel* frmAbout::*label;
        QColor sample;
    } cases[] = {
        {&frmAbout::HScroll1, &frmAbout::Label10, QColor(255, 0, 0)},
        {&frmAbout::HScroll2, &frmAbout::Label11, QColor(255, 255, 0)},
        {&frmAbout::HScroll3, &frmAbout::Label12, QColor(255, 255, 255)},
    };
    for (const auto& c : cases) {
        (panel.get()->*c.bar)->setValue(255);
        EXPECT_EQ(panel->Picture2->color(), c.sample);
        EXPECT_EQ((panel.get()->*c.label)->text(), "255");
    }
    panel->HScroll2->setValue(0);
    panel->HScroll3->setValue(0);
    EXPECT_EQ(panel->Picture2->color(), QColor(255, 0, 0)) << "red 255 alone is pure red";
    EXPECT_EQ(panel->Label10->text(), "255");
    EXPECT_EQ(panel->Label11->text(), "0");
}

TEST_F(PanelSettings, DraggingTheThumbChangesNothingUntilItIsReleased) {
    panel->HScroll1->setSliderDown(true);
    panel->HScroll1->setSliderPosition(200);
    EXPECT_EQ(panel->Label10->text(), "0");
    EXPECT_EQ(panel->Picture2->color(), QColor(0, 0, 0));
    panel->HScroll1->setSliderDown(false);
    EXPECT_EQ(panel->Label10->text(), "200");
    EXPECT_EQ(panel->Picture2->color(), QColor(200, 0, 0));
}

TEST_F(PanelSettings, RandomColourGreysTheBarsAndStripesTheSample) {
    // Ticked from the start without its handling: the bars stay usable until a change.
    ASSERT_TRUE(panel->Check4->isChecked());
    EXPECT_TRUE(panel->HScroll1->isEnabled());
    EXPECT_EQ(StripedRows(panel->Picture2->drawing()), 0);

    panel->HScroll2->setValue(128);
    panel->Check4->setChecked(false);
    EXPECT_TRUE(panel->HScroll1->isEnabled());
    EXPECT_EQ(StripedRows(panel->Picture2->drawing()), 0);

    random.numbers = {0.5, 0.25};
    panel->Check4->setChecked(true);
    for (QScrollBar* bar : {panel->HScroll1, panel->HScroll2, panel->HScroll3})
        EXPECT_FALSE(bar->isEnabled());
    const QImage& drawing = panel->Picture2->drawing();
    // Stripes from row 1 down over the whole box; row 0 keeps the background.
    EXPECT_EQ(StripedRows(drawing), drawing.height() - 1);
    EXPECT_EQ(qAlpha(drawing.pixel(5, 0)), 0);
    // 0.5 x 255^3 = 8290687.5, rounded to even 8290688 = 0x7E8180: red in the low byte.
    EXPECT_EQ(QColor(drawing.pixel(5, 1)), QColor(0x80, 0x81, 0x7E));
    // 0.25 x 255^3 = 4145343.75 -> 4145344 = 0x3F40C0.
    EXPECT_EQ(QColor(drawing.pixel(5, 2)), QColor(0xC0, 0x40, 0x3F));

    panel->Check4->setChecked(false);
    for (QScrollBar* bar : {panel->HScroll1, panel->HScroll2, panel->HScroll3})
        EXPECT_TRUE(bar->isEnabled());
    EXPECT_EQ(StripedRows(panel->Picture2->drawing()), 0);
    EXPECT_EQ(panel->Picture2->color(), QColor(0, 128, 0)) << "the bars' colour shows again";
}

TEST_F(PanelSettings, SpeedBarSetsEffettiAtOnce) {
    panel->HScroll4->setValue(0);
    EXPECT_EQ(records.settings.Effetti, 0);
    EXPECT_EQ(panel->Label21->text(), "0");
    panel->HScroll4->setValue(73);
    EXPECT_EQ(records.settings.Effetti, 73);
    EXPECT_EQ(panel->Label21->text(), "73");
}

TEST_F(PanelSettings, GivingAControlItsCurrentValueRunsNothing) {
    // The speed bar stands at 1 while its label keeps its design text.
    ASSERT_EQ(panel->HScroll4->value(), 1);
    panel->HScroll4->setValue(1);
    EXPECT_EQ(panel->Label21->text(), "100");
    panel->Label10->setText("untouched");
    panel->HScroll1->setValue(0);
    EXPECT_EQ(panel->Label10->text(), "untouched");
    random.numbers = {0.5};
    panel->Check4->setChecked(true); // already ticked: no stripes
    EXPECT_EQ(StripedRows(panel->Picture2->drawing()), 0);
}

TEST_F(PanelSettings, PlayHasTheFocusFirstAndTabFollowsTheTabIndexes) {
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    EXPECT_EQ(QApplication::focusWidget(), panel->cmdOK);
    const std::vector<QWidget*> order = {panel->Command1,
                                         panel->cmdSysInfo,
                                         panel->Combo1,
                                         panel->Combo2,
                                         panel->Check5,
                                         panel->HScroll1,
                                         panel->HScroll2,
                                         panel->HScroll3,
                                         panel->Check4,
                                         panel->catalogue->Dir1,
                                         panel->catalogue->Drive1,
                                         panel->catalogue->Command4,
                                         panel->catalogue->List1,
                                         panel->Text1,
                                         panel->Picture2,
                                         panel->Check1,
                                         panel->Check2,
                                         panel->HScroll4,
                                         panel->Check3,
                                         panel->cmdOK};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->metaObject()->className();
    }
}

} // namespace
