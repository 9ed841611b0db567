// The ways out: "&Fine" and closing open the maker's site and end; Esc stops the MP3 player and
// ends without opening anything, whichever control has the focus.

#include "PanelFakes.h"

#include "panel/Addresses.h"
#include "panel/EditableList.h"
#include "panel/SecondsField.h"

#include <functional>
#include <QApplication>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

using panelfakes::PanelTest;

class PanelExit : public PanelTest {
protected:
    void SetUp() override {
        loadPanel();
        panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    }
};

TEST_F(PanelExit, FineOpensTheWebSiteMinimisedAndEnds) {
    panel->Command1->click();
    ASSERT_EQ(launcher.runs.size(), 1u);
    EXPECT_EQ(launcher.runs[0].first, app + "start " + addresses::WebSite);
    EXPECT_EQ(launcher.runs[0].second, WindowStyle::MinimizedFocus);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(mp3.stops, 0);
    EXPECT_FALSE(QFile::exists(ini())) << "nothing is saved on the way out";
}

TEST_F(PanelExit, ClosingTheWindowDoesTheSame) {
    panel->close();
    ASSERT_EQ(launcher.runs.size(), 1u);
    EXPECT_EQ(launcher.runs[0].first, app + "start " + addresses::WebSite);
    EXPECT_EQ(ends, 1);
}

using PanelEscape = PanelTest;

TEST_F(PanelEscape, EscEndsFromWhicheverControlHasTheFocus) {
    const std::function<QWidget*(frmAbout&)> controls[] = {
        [](frmAbout& p) { return p.cmdOK; },
        [](frmAbout& p) { return p.Text1; },
        [](frmAbout& p) { return p.Combo1; },
        [](frmAbout& p) { return p.HScroll1; },
        [](frmAbout& p) { return p.catalogue->List1; },
    };
    for (const auto& controlOf : controls) {
        ends = 0;
        mp3.stops = 0;
        loadPanel();
        panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
        QWidget* control = controlOf(*panel);
        control->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), control) << control->metaObject()->className();
        QTest::keyClick(control, Qt::Key_Escape);
        EXPECT_EQ(mp3.stops, 1) << control->metaObject()->className();
        EXPECT_EQ(ends, 1) << control->metaObject()->className();
        panel->close(); // the end was only recorded: the window is still there
        EXPECT_TRUE(launcher.runs.empty()) << "Esc opens nothing";
    }
}

} // namespace
