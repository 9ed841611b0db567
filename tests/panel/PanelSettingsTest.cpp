// The settings controls' change handling: the colour sample, "A caso", the speed bar, and the
// rule that only a real change of value runs a handler.

#include "PanelFakes.h"

namespace {

int StripedRows(const QImage& drawing) {
    int rows = 0;
    for (int y = 0; y < drawing.height(); ++y)
        rows += qAlpha(drawing.pixel(drawing.width() / 2, y)) == 255 ? 1 : 0;
    return rows;
}

class PanelSettings : public panelfakes::PanelTest {
protected:
    void SetUp() override { loadPanel(); }
};

TEST_F(PanelSettings, ColourBarsPaintTheSampleAndTheirOwnValueLabel) {
    panel->HScroll1->setValue(255);
    EXPECT_EQ(panel->Picture2->color(), QColor(255, 0, 0));
    EXPECT_EQ(panel->Label10->text(), "255");
    EXPECT_EQ(panel->Label11->text(), "0");
    panel->HScroll3->setValue(7);
    EXPECT_EQ(panel->Picture2->color(), QColor(255, 0, 7));
    EXPECT_EQ(panel->Label12->text(), "7");

    // Dragging the thumb changes nothing until it is released.
    panel->HScroll2->setSliderDown(true);
    panel->HScroll2->setSliderPosition(200);
    EXPECT_EQ(panel->Label11->text(), "0");
    panel->HScroll2->setSliderDown(false);
    EXPECT_EQ(panel->Label11->text(), "200");
    EXPECT_EQ(panel->Picture2->color(), QColor(255, 200, 7));
}

// The labels the program writes were cut at their design width ("255" read "2"): each keeps its
// left edge and shows its longest text whole, over whatever lies beside it.
TEST_F(PanelSettings, LabelsWrittenAtRunTimeShowTheirWholeText) {
    panel->Check4->setChecked(false);
    for (QScrollBar* bar : {panel->HScroll1, panel->HScroll2, panel->HScroll3})
        bar->setValue(255);
    panel->HScroll4->setValue(100);
    panel->catalogue->setScanCount(10050);
    const struct {
        QLabel* label;
        int left; // pixels, from the design place in twips
        const char* text;
    } cases[] = {
        {panel->Label10, 1770 / 15, "255"},
        {panel->Label11, 1770 / 15, "255"},
        {panel->Label12, 1785 / 15, "255"},
        {panel->Label21, 3480 / 15, "100"},
        {panel->catalogue->Label17, 4140 / 15, "N. 10050"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.label->text(), c.text);
        EXPECT_EQ(c.label->x(), c.left);
        const int textWidth = c.label->fontMetrics().horizontalAdvance(c.text);
        EXPECT_GE(c.label->width(), textWidth);
        // The text's last pixel is the label's, not the colour sample's beside it.
        const QPoint end(c.left + textWidth - 1, c.label->y() + c.label->height() / 2);
        EXPECT_EQ(c.label->parentWidget()->childAt(end), c.label);
    }
}

TEST_F(PanelSettings, RandomColourGreysTheBarsAndStripesTheSample) {
    ASSERT_TRUE(panel->Check4->isChecked()); // ticked from the start without its handling
    panel->HScroll2->setValue(128);
    panel->Check4->setChecked(false);
    EXPECT_TRUE(panel->HScroll1->isEnabled());

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

TEST_F(PanelSettings, SpeedBarSetsEffettiAtOnceButItsCurrentValueRunsNothing) {
    ASSERT_EQ(panel->HScroll4->value(), 1);
    panel->HScroll4->setValue(1);
    EXPECT_EQ(panel->Label21->text(), "100") << "the design text stays";
    panel->HScroll4->setValue(0);
    EXPECT_EQ(records.settings.Effetti, 0);
    EXPECT_EQ(panel->Label21->text(), "0");

    panel->Label10->setText("untouched");
    panel->HScroll1->setValue(0);
    EXPECT_EQ(panel->Label10->text(), "untouched");
    panel->Check4->setChecked(true); // already ticked: no stripes
    EXPECT_EQ(StripedRows(panel->Picture2->drawing()), 0);
}

} // namespace
