// The decorations, the list's actions and the system information button on the real panel.

#include "panel/CatalogueControls.h"
#include "panel/ColourSample.h"
#include "panel/frmAbout.h"
#include "panel/ListActions.h"
#include "panel/PanelDecorations.h"
#include "panel/PanelExtras.h"
#include "panel/PreviewImage.h"
#include "platform/RandomSource.h"
#include "platform/SystemInfo.h"
#include "sound/SoundDevices.h"
#include "startup/AppRecords.h"
#include "support/LinkAndDialogFakes.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

// One registered tool, as the store would answer.
class OneToolRegistry final : public Registry {
public:
    bool GetKeyValue(RegistryRoot, const QString& key, const QString& name, QString& out) override {
        const bool found = key == sysinfo::ToolKey && name == QLatin1String("PATH");
        out = found ? QStringLiteral("/usr/bin/strumento-info") : QString();
        return found;
    }
};

// Counts the numbers it gives.
struct CountingRandom final : RandomSource {
    std::size_t next_ = 0;
    void reseed(double) override {}
    double next() override { return (next_++ % 7) / 7.0; }
};

struct SilentMp3 final : Mp3Player {
    void stop() override {}
    bool play(const QString&) override { return true; }
};

class DecorationsOnThePanel : public ::testing::Test {
protected:
    DecorationsOnThePanel() {
        app = box.path() + QStringLiteral("/app/");
        QDir().mkpath(app);
        services.executableFolder = app;
        QDir::setCurrent(app);
    }
    ~DecorationsOnThePanel() override { QDir::setCurrent(QDir::tempPath()); }

    void loadPanel() {
        services.openShow = [] {};
        services.endProgram = [] {};
        panel = std::make_unique<frmAbout>(records, services);
        panel->Form_Load();
    }
    PanelExtras& extras() {
        if (!extras_)
            extras_ = std::make_unique<PanelExtras>(*panel);
        return *extras_;
    }
    // Shows the panel and waits for its first paint.
    void showPanel() {
        panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
        QCoreApplication::processEvents();
    }

    testfiles::Sandbox box;
    QString app;
    AppRecords records;
    fakes::ScriptedDialogs dialogs;
    fakes::RecordingLauncher launcher;
    CountingRandom random;
    SilentMp3 mp3;
    PanelServices services{dialogs, launcher, random, mp3, QString(), QString(), {}, {}};
    std::unique_ptr<frmAbout> panel;
    std::unique_ptr<PanelExtras> extras_;
};

TEST_F(DecorationsOnThePanel, FirstPaintStripesTheSampleOnceWhenTheColourIsRandom) {
    loadPanel();
    extras();
    records.settings.RGB_RANDOM = -1;
    const std::size_t drawnBefore = random.next_;
    showPanel();
    EXPECT_FALSE(panel->HScroll1->isEnabled());
    EXPECT_FALSE(panel->HScroll3->isEnabled());
    EXPECT_EQ(random.next_ - drawnBefore, 57u) << "one random colour per stripe";

    // Later paints leave the sample alone.
    panel->Picture2->clearDrawing();
    panel->repaint();
    panel->hide();
    showPanel();
    EXPECT_EQ(random.next_ - drawnBefore, 57u);
}

TEST_F(DecorationsOnThePanel, FirstPaintGivesTheBarsTheSavedColour) {
    loadPanel();
    extras();
    records.settings.RGB_RANDOM = 0;
    records.settings.RGB_R = 255;
    records.settings.RGB_G = 0;
    records.settings.RGB_B = 128;
    panel->HScroll1->setEnabled(false);
    showPanel();
    EXPECT_TRUE(panel->HScroll1->isEnabled());
    EXPECT_EQ(panel->HScroll1->value(), 255);
    EXPECT_EQ(panel->HScroll3->value(), 128);
    EXPECT_EQ(panel->Label10->text(), "255"); // the bar's own change handling ran
    EXPECT_EQ(panel->Picture2->color(), QColor(255, 0, 128));
}

TEST_F(DecorationsOnThePanel, SystemInfoButtonStartsTheRegisteredToolInANormalWindow) {
    loadPanel();
    extras().setRegistry(std::make_unique<OneToolRegistry>());
    panel->cmdSysInfo->click();
    ASSERT_EQ(launcher.runs.size(), 1u);
    EXPECT_EQ(launcher.runs[0].commandLine, "/usr/bin/strumento-info");
    EXPECT_EQ(launcher.runs[0].style, WindowStyle::NormalFocus);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(DecorationsOnThePanel, PanelListPreviewsAndOpensThroughTheApplicationFolder) {
    QImage picture(1000, 200, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(box.file("foto/Estate/mare.png"), "PNG") ||
                (QDir().mkpath(box.file("foto/Estate")) &&
                 picture.save(box.file("foto/Estate/mare.png"), "PNG")));
    loadPanel();
    extras();
    records.settings.ShowFolder = box.file("foto/");
    records.list.setEntries({"Estate/mare.png"});
    showPanel();
    QListView* list = panel->catalogue->List1;
    list->setCurrentIndex(records.list.index(0));
    EXPECT_TRUE(extras().Image1->isVisible());
    EXPECT_EQ(extras().Image1->geometry(), QRect(24, 218, 280, 56));
    launcher.runs.clear();
    extras().listActions->List1_DblClick();
    ASSERT_EQ(launcher.runs.size(), 1u);
    EXPECT_EQ(launcher.runs[0].commandLine,
              records.AppFolder + "START " + box.file("foto/Estate/mare.png"));
    // The help page lies in the application folder.
    extras().decorations->Command2->click();
    EXPECT_EQ(launcher.runs.back().commandLine,
              records.AppFolder + "start " + records.AppFolder + "Quirello.htm");
}

} // namespace
