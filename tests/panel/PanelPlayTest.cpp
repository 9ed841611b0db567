// "&Play": the seconds checks, the copy into the settings, PHOTO.INI written before the show,
// and the two drop-down lists.

#include "PanelFakes.h"

#include "startup/ShowStart.h"

#include <functional>
#include <QLineEdit>

class PanelPlay : public panelfakes::PanelTest {
protected:
    void SetUp() override { loadPanel(); }
    void type(QLineEdit* field, const QString& text) {
        field->selectAll();
        field->del();
        QTest::keyClicks(field, text);
    }
    void play() { start.play->click(); }
};

TEST_F(PanelPlay, MoreThanThirtySecondsIsRefusedAndThirtyStartsTheShow) {
    const QByteArray saved = "PATH=/somewhere\r\nTempoAttesa=5\r\n";
    writeIni(saved);
    type(start.seconds, "45");
    play();
    EXPECT_EQ(dialogs.messages, QStringList{TooLongMessage});
    EXPECT_EQ(start.seconds->selectedText(), "30");
    EXPECT_TRUE(shows.empty());
    EXPECT_EQ(testfiles::read(ini()), saved);

    dialogs.messages.clear();
    play();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_EQ(shows.size(), 1u);
    EXPECT_EQ(shows[0].TempoAttesa, 30000);
    EXPECT_TRUE(records.ShowRunning);
    EXPECT_EQ(savedAtShow[0]->TempoAttesa, 30);
}

// The access key and the keys on the button do not leave the field, so the check made on leaving
// it never ran for them; a press that moved the focus away from an empty field once fired the
// show after the message.
TEST_F(PanelPlay, EveryWayOfPressingPlayChecksTheSeconds) {
    const QByteArray saved = "PATH=/somewhere\r\nTempoAttesa=5\r\n";
    const auto altP = [](QWidget* w) { QTest::keyClick(w, Qt::Key_P, Qt::AltModifier); };
    const auto enter = [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); };
    // How "&Play" is pressed, the seconds, whether they are typed into the focused field (else
    // the focus stays on "&Play"), the press.
    const std::tuple<const char*, const char*, bool, std::function<void(QWidget*)>> cases[] = {
        {"Alt+P", "", true, altP},
        {"Alt+P", "7", true, altP},
        {"Alt+P", "0", false, altP},
        {"Space", "", false, [](QWidget* w) { QTest::keyClick(w, Qt::Key_Space); }},
        {"Enter", "", false, enter},
        {"Enter", "7", false, enter},
        {"click", "", false, [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }},
        {"click from the field", "", true,
         [this](QWidget*) { QTest::mouseClick(start.play, Qt::LeftButton); }},
    };
    for (const auto& [how, seconds, inField, press] : cases) {
        SCOPED_TRACE(std::string(how) + " '" + seconds + "'");
        writeIni(saved);
        shows.clear();
        dialogs.messages.clear();
        loadPanel();
        panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
        QWidget* focused = start.play;
        if (inField) {
            focused = start.seconds;
            focused->setFocus(Qt::TabFocusReason);
            type(start.seconds, seconds);
        } else {
            start.seconds->setText(seconds);
        }
        ASSERT_EQ(QApplication::focusWidget(), focused);
        press(focused);
        // The access key clicks after a moment.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !shows.empty() || !dialogs.messages.isEmpty(); }));
        if (QByteArray(seconds).toInt() == 0) {
            EXPECT_EQ(dialogs.messages, QStringList{NoSecondsMessage});
            EXPECT_TRUE(shows.empty());
            EXPECT_EQ(QApplication::focusWidget(), start.seconds);
            EXPECT_EQ(start.seconds->selectedText(), start.seconds->text());
            EXPECT_EQ(testfiles::read(ini()), saved);
        } else {
            EXPECT_TRUE(dialogs.messages.isEmpty());
            ASSERT_EQ(shows.size(), 1u);
            EXPECT_EQ(shows[0].TempoAttesa, 7000);
        }
    }
}

TEST_F(PanelPlay, TheListsGiveTheEffectCodeAndTheLabelPosition) {
    choices.effect->setCurrentIndex(choices.effect->findText("10- Raggio"));
    choices.labelPosition->setCurrentIndex(choices.labelPosition->findText("Assente"));
    play();
    type(choices.labelPosition->lineEdit(), "Sotto"); // matches no entry
    type(choices.effect->lineEdit(), "Zoom");
    EXPECT_EQ(choices.labelPosition->selectedIndex(), -1);
    play();
    ASSERT_EQ(shows.size(), 2u);
    EXPECT_EQ(shows[0].TipoEffetto, 10);
    EXPECT_EQ(shows[0].PosLabel, 2);
    EXPECT_EQ(shows[1].TipoEffetto, 0);
    EXPECT_EQ(shows[1].PosLabel, -1);
    EXPECT_EQ(saved()->PosLabel, -1);

    type(choices.labelPosition->lineEdit(), "In basso"); // an entry's exact text selects it
    EXPECT_EQ(choices.labelPosition->selectedIndex(), 1);
}

TEST_F(PanelPlay, EveryControlReachesTheFileAndTheRecord) {
    type(start.seconds, "7");
    choices.music->setChecked(false);
    choices.enlarge->setChecked(false);
    colours.random->setChecked(false);
    colours.red->setValue(10);
    colours.green->setValue(20);
    colours.blue->setValue(30);
    choices.speed->setValue(55);
    choices.effect->setCurrentIndex(3);
    choices.labelPosition->setCurrentIndex(1);
    play();
    // The folder, seconds, comments, music, speed, colour, random, frame, enlarge, effect, label.
    ShowSettings expected{app, 7, 1, 0, 55, 10, 20, 30, 0, 1, 0, 3, 1};
    EXPECT_EQ(saved(), expected);
    expected.TempoAttesa = 7000;
    EXPECT_EQ(shows, std::vector{expected});
}
