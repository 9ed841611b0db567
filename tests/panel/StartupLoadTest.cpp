// The panel's load: PHOTO.INI applied control by control, the fallbacks when the saved folder
// is gone, and /RUN.

#include "PanelFakes.h"

#include <functional>

using StartupLoad = panelfakes::PanelTest;

TEST_F(StartupLoad, WithoutPhotoIniTheInitialValuesStayAndAreWrittenAtTheFirstPlay) {
    loadPanel();
    EXPECT_EQ(records.settings.ShowFolder, app);
    EXPECT_TRUE(colours.red->isEnabled()) << "A caso ticked, but the record says fixed";
    panel->Inizializza();
    ASSERT_EQ(shows.size(), 1u);
    // The folder, seconds, comments, music, speed, colour, random, frame, enlarge, effect, label.
    EXPECT_EQ(savedAtShow[0], (ShowSettings{app, 5, 1, 1, 1, 0, 0, 0, -1, 1, 1, 0, 0}));
}

// A saved folder that is gone (deleted, on a volume not mounted) or is a file gives the
// application folder, without a message.
TEST_F(StartupLoad, TheSavedFolderIsListedOrWhenGoneTheApplicationFolderSilently) {
    testfiles::write(box.file("Foto/b.jpg"), "x");
    testfiles::write(box.file("Foto/Estate/a.gif"), "x");
    writeIni(("PATH=" + box.file("Foto") + "\r\n").toUtf8());
    loadPanel();
    EXPECT_EQ(records.settings.ShowFolder, box.file("Foto/"));
    EXPECT_EQ(records.list.entries(), (QStringList{"./b.jpg", "Estate/a.gif"}));
    EXPECT_EQ(QDir::currentPath(), QDir(box.file("Foto")).canonicalPath());

    for (const QString& gone : {box.file("Deleted"), QStringLiteral("/media/nessun-volume/Foto"),
                                box.file("Foto/b.jpg")}) {
        writeIni(("PATH=" + gone + "\r\nTempoAttesa=6\r\n").toUtf8());
        loadPanel();
        EXPECT_TRUE(dialogs.messages.isEmpty());
        EXPECT_EQ(records.settings.ShowFolder, app) << gone.toStdString();
        EXPECT_EQ(panel->catalogue().Dir1->path(), QDir::cleanPath(app));
        EXPECT_EQ(QDir::currentPath(), QDir(app).canonicalPath());
        EXPECT_EQ(start.seconds->text(), "6");
    }
}

TEST_F(StartupLoad, StartedInItsOwnFolderItDoesNotRescan) {
    testfiles::write(app + "mare.jpg", "x");
    for (const QByteArray& file : {QByteArray(), ("PATH=" + app + "\r\n").toUtf8()}) {
        if (!file.isEmpty())
            writeIni(file);
        loadPanel();
        EXPECT_EQ(records.list.count(), 0);
        EXPECT_EQ(values.count->text(), "");
    }
}

TEST_F(StartupLoad, EachLineReachesItsControlWithinItsRange) {
    const struct {
        const char* file;
        std::function<void()> check;
    } cases[] = {
        {"MusicaFM=1\r\n", [this] { EXPECT_EQ(start.seconds->text(), "0"); }},
        {"RGB_RANDOM=-1\r\n", [this] { EXPECT_TRUE(colours.random->isChecked()); }},
        {"MusicaFM=0\r\nSuonoWAV=0\r\nEffetti=40\r\nRGB_R=10\r\nRGB_G=20\r\nRGB_B=30\r\n"
         "RGB_RANDOM=0\r\nCornice3D=0\r\nAllargaFoto=0\r\nTipoEffetto=9\r\nPosLabel=2\r\n",
         [this] {
             for (QCheckBox* check :
                  {choices.music, choices.comments, choices.enlarge, colours.random, choices.frame})
                 EXPECT_FALSE(check->isChecked()) << check->text().toStdString();
             EXPECT_EQ(values.speed->text(), "40");
             EXPECT_EQ(values.blue->text(), "30");
             EXPECT_EQ(colours.sample->color(), QColor(10, 20, 30));
             EXPECT_EQ(choices.effect->currentText(), "9 - Cerchio in Apertura");
             EXPECT_EQ(choices.labelPosition->currentText(), "Assente");
         }},
        // Beyond a control's range: brought into it or left out, never stopping the load.
        {"Effetti=500\r\nRGB_R=300\r\nRGB_G=-5\r\nRGB_B=7\r\nMusicaFM=2\r\nSuonoWAV=-1\r\n"
         "TipoEffetto=15\r\nPosLabel=-1\r\n",
         [this] {
             EXPECT_EQ(choices.speed->value(), 100);
             EXPECT_EQ(colours.red->value(), 0) << "above 255: not applied";
             EXPECT_EQ(colours.green->value(), 0);
             EXPECT_EQ(colours.blue->value(), 7);
             EXPECT_TRUE(choices.music->isChecked());
             EXPECT_FALSE(choices.comments->isChecked());
             EXPECT_EQ(choices.effect->currentText(), "11- Solo animazione foto");
             EXPECT_EQ(choices.labelPosition->selectedIndex(), -1);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        writeIni(c.file);
        loadPanel();
        c.check();
        EXPECT_TRUE(dialogs.messages.isEmpty());
    }
}

TEST_F(StartupLoad, RunOnTheCommandLineSavesAndStartsTheShowDuringTheLoad) {
    loadPanel("RUN x");
    EXPECT_TRUE(shows.empty());
    loadPanel("/run");
    ASSERT_EQ(shows.size(), 1u);
    EXPECT_TRUE(savedAtShow[0]) << "written before the show opens";

    records.AppFolder.clear();
    panel->Form_Activate();
    EXPECT_FALSE(records.ShowRunning);
    EXPECT_EQ(records.AppFolder, app);
}
