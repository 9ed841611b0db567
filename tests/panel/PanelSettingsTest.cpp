// The settings controls' change handling: the colour sample, "A caso", the speed bar, and the
// rule that only a real change of value runs a handler.

#include "PanelFakes.h"

static int StripedRows(const QImage& drawing) {
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
    colours.red->setValue(255);
    EXPECT_EQ(colours.sample->color(), QColor(255, 0, 0));
    EXPECT_EQ(values.red->text(), "255");
    EXPECT_EQ(values.green->text(), "0");
    colours.blue->setValue(7);
    EXPECT_EQ(colours.sample->color(), QColor(255, 0, 7));
    EXPECT_EQ(values.blue->text(), "7");

    // Dragging the thumb changes nothing until it is released.
    colours.green->setSliderDown(true);
    colours.green->setSliderPosition(200);
    EXPECT_EQ(values.green->text(), "0");
    colours.green->setSliderDown(false);
    EXPECT_EQ(values.green->text(), "200");
    EXPECT_EQ(colours.sample->color(), QColor(255, 200, 7));
}

// The labels the program writes were cut at their design width ("255" read "2"): each keeps its
// left edge and shows its longest text whole, over whatever lies beside it.
TEST_F(PanelSettings, LabelsWrittenAtRunTimeShowTheirWholeText) {
    colours.random->setChecked(false);
    for (QScrollBar* bar : {colours.red, colours.green, colours.blue})
        bar->setValue(255);
    choices.speed->setValue(100);
    panel->catalogue().setScanCount(10050);
    // Each label, its left edge in pixels (from its design place in twips), its longest text.
    const std::tuple<QLabel*, int, QString> cases[] = {
        {values.red, 1770 / 15, "255"},        {values.green, 1770 / 15, "255"},
        {values.blue, 1785 / 15, "255"},       {values.speed, 3480 / 15, "100"},
        {values.count, 4140 / 15, "N. 10050"},
    };
    for (const auto& [label, left, text] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(label->text(), text);
        EXPECT_EQ(label->x(), left);
        const int textWidth = label->fontMetrics().horizontalAdvance(text);
        EXPECT_GE(label->width(), textWidth);
        // The text's last pixel is the label's, not the colour sample's beside it.
        const QPoint end(left + textWidth - 1, label->y() + label->height() / 2);
        EXPECT_EQ(label->parentWidget()->childAt(end), label);
    }
}

TEST_F(PanelSettings, RandomColourGreysTheBarsAndStripesTheSample) {
    ASSERT_TRUE(colours.random->isChecked()); // ticked from the start without its handling
    colours.green->setValue(128);
    colours.random->setChecked(false);
    EXPECT_TRUE(colours.red->isEnabled());

    random.numbers = {0.5, 0.25};
    colours.random->setChecked(true);
    for (QScrollBar* bar : {colours.red, colours.green, colours.blue})
        EXPECT_FALSE(bar->isEnabled());
    const QImage& drawing = colours.sample->drawing();
    // Stripes from row 1 down over the whole box; row 0 keeps the background.
    EXPECT_EQ(StripedRows(drawing), drawing.height() - 1);
    EXPECT_EQ(qAlpha(drawing.pixel(5, 0)), 0);
    // 0.5 x 255^3 = 8290687.5, rounded to even 8290688 = 0x7E8180: red in the low byte.
    EXPECT_EQ(QColor(drawing.pixel(5, 1)), QColor(0x80, 0x81, 0x7E));
    // 0.25 x 255^3 = 4145343.75 -> 4145344 = 0x3F40C0.
    EXPECT_EQ(QColor(drawing.pixel(5, 2)), QColor(0xC0, 0x40, 0x3F));

    colours.random->setChecked(false);
    for (QScrollBar* bar : {colours.red, colours.green, colours.blue})
        EXPECT_TRUE(bar->isEnabled());
    EXPECT_EQ(StripedRows(colours.sample->drawing()), 0);
    EXPECT_EQ(colours.sample->color(), QColor(0, 128, 0)) << "the bars' colour shows again";
}

TEST_F(PanelSettings, SpeedBarSetsEffettiAtOnceButItsCurrentValueRunsNothing) {
    ASSERT_EQ(choices.speed->value(), 1);
    choices.speed->setValue(1);
    EXPECT_EQ(values.speed->text(), "100") << "the design text stays";
    choices.speed->setValue(0);
    EXPECT_EQ(records.settings.Effetti, 0);
    EXPECT_EQ(values.speed->text(), "0");

    values.red->setText("untouched");
    colours.red->setValue(0);
    EXPECT_EQ(values.red->text(), "untouched");
    colours.random->setChecked(true); // already ticked: no stripes
    EXPECT_EQ(StripedRows(colours.sample->drawing()), 0);
}
