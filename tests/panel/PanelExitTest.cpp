// The ways out: "&Fine" and closing open the maker's site and end; Esc stops the MP3 player and
// ends without opening anything, whichever control has the focus.

#include "PanelFakes.h"

#include "panel/Addresses.h"

#include <functional>

using PanelExit = panelfakes::PanelTest;

TEST_F(PanelExit, FineAndClosingOpenTheWebSiteMinimisedAndEnd) {
    for (const bool fine : {true, false}) {
        launcher.clear();
        ends = 0;
        loadPanel();
        panel->show();
        fine ? start.fine->click() : void(panel->close());
        EXPECT_EQ(launcher.commandLines, QStringList{app + "start " + addresses::WebSite});
        EXPECT_EQ(launcher.styles, QList{WindowStyle::MinimizedFocus});
        EXPECT_EQ(ends, 1);
        EXPECT_TRUE(soundLog.isEmpty());
        EXPECT_FALSE(QFile::exists(ini())) << "nothing is saved on the way out";
    }
}

TEST_F(PanelExit, EscEndsFromWhicheverControlHasTheFocus) {
    const std::function<QWidget*()> controls[] = {
        [this] { return start.play; },
        [this] { return start.seconds; },
        [this] { return choices.effect; },
        [this] { return colours.red; },
        [this] { return panel->catalogue().List1; },
    };
    for (const auto& controlOf : controls) {
        ends = 0;
        soundLog.clear();
        loadPanel();
        panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
        EXPECT_EQ(QApplication::focusWidget(), start.play) << "Play has the focus first";
        QWidget* control = controlOf();
        control->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), control) << control->metaObject()->className();
        QTest::keyClick(control, Qt::Key_Escape);
        EXPECT_EQ(soundLog, QStringList{"mp3 stop"}) << control->metaObject()->className();
        EXPECT_EQ(ends, 1) << control->metaObject()->className();
        panel->close(); // the end was only recorded: the window is still there
        EXPECT_TRUE(launcher.commandLines.isEmpty()) << "Esc opens nothing";
    }
}
