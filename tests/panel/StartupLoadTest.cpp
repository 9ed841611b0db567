// The panel's load: PHOTO.INI applied control by control, the fallbacks when the saved folder
// is gone, and /RUN.

#include "PanelFakes.h"

#include "panel/DirListBox.h"
#include "panel/EditableList.h"
#include "panel/SecondsField.h"

#include "panel/ColourSample.h"
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>

namespace {

using panelfakes::PanelTest;
using StartupLoad = PanelTest;

TEST_F(StartupLoad, WithoutPhotoIniTheInitialValuesStayAndAreWrittenAtTheFirstPlay) {
    loadPanel();
    for (QCheckBox* box :
         {panel->Check1, panel->Check2, panel->Check3, panel->Check4, panel->Check5})
        EXPECT_TRUE(box->isChecked()) << box->text().toStdString();
    EXPECT_EQ(panel->HScroll4->value(), 1);
    EXPECT_EQ(panel->Label21->text(), "100");
    EXPECT_EQ(panel->Text1->text(), "5");
    EXPECT_EQ(panel->Combo1->currentText(), "0 - Effetto a caso");
    EXPECT_EQ(panel->Combo2->currentText(), "In alto");
    EXPECT_TRUE(panel->HScroll1->isEnabled()) << "A caso ticked, but the record says fixed";
    EXPECT_EQ(records.settings.ShowFolder, app);
    EXPECT_EQ(panel->lblTitle->text().left(8), "Quirello");
    EXPECT_EQ(panel->Label5->text(), "Vers.3.2.0");

    panel->Inizializza();
    ASSERT_EQ(shows.size(), 1u);
    EXPECT_EQ(iniAtShow[0],
              ("PATH=" + QDir::cleanPath(app) +
               "\r\nTempoAttesa=5\r\nMusicaFM= 1 \r\nSuonoWAV= 1 \r\nEffetti= 1 \r\n"
               "Cornice3D= 1 \r\nAllargaFoto= 1 \r\nRGB_R= 0 \r\nRGB_G= 0 \r\nRGB_B= 0 \r\n"
               "RGB_RANDOM=-1 \r\nTipoEffetto= 0 \r\nPosLabel= 0 \r\n")
                  .toUtf8());
}

TEST_F(StartupLoad, ASavedFolderThatIsGoneOpensTheApplicationFolderSilently) {
    writeIni(("PATH=" + box.path() + "/Deleted\r\nTempoAttesa=6\r\n").toUtf8());
    loadPanel();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(records.settings.ShowFolder, app);
    EXPECT_EQ(panel->catalogue->Dir1->path(), QDir::cleanPath(app));
    EXPECT_EQ(QDir::currentPath(), QDir(app).canonicalPath());
    EXPECT_EQ(panel->Text1->text(), "6");
}

TEST_F(StartupLoad, ASavedFolderIsListedAtOnce) {
    testfiles::write(box.file("Foto/b.jpg"), "x");
    testfiles::write(box.file("Foto/Estate/a.gif"), "x");
    writeIni(("PATH=" + box.file("Foto") + "\r\n").toUtf8());
    loadPanel();
    EXPECT_EQ(records.settings.ShowFolder, box.file("Foto/"));
    EXPECT_EQ(panel->catalogue->Dir1->path(), box.file("Foto"));
    EXPECT_EQ(records.list.entries(), (QStringList{"./b.jpg", "Estate/a.gif"}));
    EXPECT_EQ(QDir::currentPath(), QDir(box.file("Foto")).canonicalPath());
}

TEST_F(StartupLoad, StartedInItsOwnFolderItDoesNotRescan) {
    testfiles::write(app + "mare.jpg", "x");
    for (const QByteArray& file : {QByteArray(), ("PATH=" + app + "\r\n").toUtf8()}) {
        if (!file.isEmpty())
            writeIni(file);
        loadPanel();
        EXPECT_EQ(records.list.count(), 0);
        EXPECT_EQ(panel->catalogue->Label17->text(), "");
    }
}

TEST_F(StartupLoad, AFileWithoutSecondsShowsZero) {
    writeIni("MusicaFM=1\r\n");
    loadPanel();
    EXPECT_EQ(panel->Text1->text(), "0");
}

TEST_F(StartupLoad, EachLineReachesItsControl) {
    writeIni("MusicaFM=0\r\nSuonoWAV=0\r\nEffetti=40\r\nRGB_R=10\r\nRGB_G=20\r\nRGB_B=30\r\n"
             "RGB_RANDOM=0\r\nCornice3D=0\r\nAllargaFoto=0\r\nTipoEffetto=9\r\nPosLabel=2\r\n");
    loadPanel();
    for (QCheckBox* box :
         {panel->Check1, panel->Check2, panel->Check3, panel->Check4, panel->Check5})
        EXPECT_FALSE(box->isChecked()) << box->text().toStdString();
    EXPECT_EQ(panel->HScroll4->value(), 40);
    EXPECT_EQ(panel->Label21->text(), "40");
    EXPECT_EQ(records.settings.Effetti, 40);
    EXPECT_EQ(panel->Label10->text(), "10");
    EXPECT_EQ(panel->Label12->text(), "30");
    EXPECT_EQ(panel->Picture2->color(), QColor(10, 20, 30));
    EXPECT_TRUE(panel->HScroll1->isEnabled());
    EXPECT_EQ(panel->Combo1->currentText(), "9 - Cerchio in Apertura");
    EXPECT_EQ(panel->Combo2->currentText(), "Assente");
}

TEST_F(StartupLoad, RandomColourTrueTicksACaso) {
    writeIni("RGB_RANDOM=-1\r\n");
    loadPanel();
    EXPECT_TRUE(panel->Check4->isChecked());
    EXPECT_EQ(records.settings.RGB_RANDOM, -1);
}

TEST_F(StartupLoad, ValuesBeyondAControlsRangeAreBroughtIntoIt) {
    writeIni("Effetti=500\r\nRGB_R=300\r\nRGB_G=-5\r\nRGB_B=7\r\nMusicaFM=2\r\nSuonoWAV=-1\r\n"
             "TipoEffetto=15\r\nPosLabel=-1\r\n");
    loadPanel();
    EXPECT_EQ(panel->HScroll4->value(), 100);
    EXPECT_EQ(panel->Label21->text(), "100");
    EXPECT_EQ(records.settings.Effetti, 100);
    EXPECT_EQ(panel->HScroll1->value(), 0) << "above 255: not applied";
    EXPECT_EQ(panel->HScroll2->value(), 0);
    EXPECT_EQ(panel->HScroll3->value(), 7);
    EXPECT_TRUE(panel->Check1->isChecked());
    EXPECT_FALSE(panel->Check2->isChecked());
    EXPECT_EQ(panel->Combo1->currentText(), "11- Solo animazione foto");
    EXPECT_EQ(panel->Combo2->selectedIndex(), -1);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(StartupLoad, RunOnTheCommandLineStartsTheShowDuringTheLoad) {
    // The whole table of argument texts is the command line's own test; here, one of each.
    const struct {
        const char* arguments;
        bool show;
    } cases[] = {{"/run", true}, {"RUN x", false}};
    for (const auto& c : cases) {
        QFile::remove(ini());
        shows.clear();
        iniAtShow.clear();
        loadPanel(c.arguments);
        EXPECT_EQ(shows.size(), c.show ? 1u : 0u) << c.arguments;
        if (c.show) {
            EXPECT_TRUE(iniAtShow[0].startsWith("PATH=")) << "written before the show opens";
            EXPECT_EQ(shows[0].TempoAttesa, 5000);
        }
    }
}

TEST_F(StartupLoad, ActivationClearsShowRunningAndSetsTheApplicationFolder) {
    loadPanel();
    records.ShowRunning = true;
    records.AppFolder.clear();
    panel->Form_Activate();
    EXPECT_FALSE(records.ShowRunning);
    EXPECT_EQ(records.AppFolder, app);
}

} // namespace
