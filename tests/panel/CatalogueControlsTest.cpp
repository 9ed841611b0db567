#include "panel/CatalogueControls.h"
#include "panel/DirListBox.h"
#include "panel/DriveListBox.h"
#include "platform/Dialogs.h"
#include "startup/AppRecords.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStorageInfo>
#include <QTest>

namespace {
class RecordingDialogs : public Dialogs {
public:
    QStringList messages;
    void message(const QString& text) override { messages.append(text); }
    bool confirm(const QString&) override { return true; }
    QString inputBox(const QString&, const QString&, const QString&, int) override { return {}; }
};

struct Panel {
    testfiles::Sandbox box;
    AppRecords records;
    RecordingDialogs dialogs;
    QWidget window;
    CatalogueControls controls{&window, records, dialogs};

    Panel() {
        testfiles::write(box.file("app/quirello"));
        testfiles::write(box.file("app/demo.gif"));
        records.AppFolder = box.file("app/");
    }
};
} // namespace

TEST(CatalogueControls, PlacesTheControlsWithTheirTextsInPixels) {
    Panel panel;
    struct Expected {
        QWidget* widget;
        QRect geometry;
        QString toolTip;
    };
    const CatalogueControls& c = panel.controls;
    const Expected table[] = {
        {c.Label14, {28, 76, 167, 16}, ""},
        {c.Dir1, {24, 88, 149, 126}, "Seleziona la cartella scelta e le cartelle figlie."},
        {c.Label15, {180, 76, 103, 16}, ""},
        {c.Drive1, {180, 88, 149, 21}, "Per cambiare unità"},
        {c.Command4,
         {180, 112, 89, 25},
         "Files validi: .JPG.JPEG.IFF.BMP.CUR.ICO.DIB.GIF.EMF.WMF.RLE"},
        {c.Label17, {276, 116, 49, 17}, ""},
        {c.List1, {180, 144, 145, 69}, "Lista files, pulsante destro del mouse per altre opzioni."},
    };
    for (const Expected& e : table) {
        EXPECT_EQ(e.widget->parentWidget(), &panel.window) << e.widget->objectName().toStdString();
        EXPECT_EQ(e.widget->geometry(), e.geometry) << e.widget->objectName().toStdString();
        EXPECT_EQ(e.widget->toolTip(), e.toolTip) << e.widget->objectName().toStdString();
    }
    EXPECT_EQ(c.Label14->text(), "Selezionare la cartella");
    EXPECT_EQ(c.Label15->text(), "Selezionare il drive");
    EXPECT_EQ(c.Command4->text(), "Visualizza lista");
    EXPECT_TRUE(c.Label17->text().isEmpty());
    EXPECT_EQ(c.List1->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(c.List1->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST(CatalogueControls, AFolderChangeRescansOnceAndTheSameFolderDoesNot) {
    Panel panel;
    testfiles::write(panel.box.file("Foto/b.jpg"));
    testfiles::write(panel.box.file("Foto/a.gif"));
    testfiles::write(panel.box.file("Foto/Zeta/c.bmp"));
    CatalogueControls& c = panel.controls;

    ASSERT_TRUE(c.Dir1->setPath(panel.box.file("Foto")));
    EXPECT_EQ(panel.records.settings.ShowFolder, panel.box.file("Foto/"));
    EXPECT_EQ(panel.records.list.entries(), QStringList({"./a.gif", "./b.jpg", "Zeta/c.bmp"}));
    EXPECT_EQ(panel.records.catalogue.count, 3);
    EXPECT_EQ(c.Label17->text(), "N. 3");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass stayed";

    // A new picture is seen only by a real rescan.
    testfiles::write(panel.box.file("Foto/d.jpg"));
    ASSERT_TRUE(c.Dir1->setPath(panel.box.file("Foto/")));
    EXPECT_EQ(c.Label17->text(), "N. 3");
    QTest::mouseClick(c.Command4, Qt::LeftButton);
    EXPECT_EQ(c.Label17->text(), "N. 4");
    EXPECT_EQ(panel.records.list.count(), 4);

    // A folder without pictures empties the list.
    ASSERT_TRUE(c.Dir1->setPath(panel.box.file("Foto/Zeta")));
    ASSERT_TRUE(c.Dir1->setPath(panel.box.file("app")));
    EXPECT_EQ(c.Label17->text(), "N. 1");
    testfiles::write(panel.box.file("Vuota/x.txt"));
    ASSERT_TRUE(c.Dir1->setPath(panel.box.file("Vuota")));
    EXPECT_EQ(c.Label17->text(), "N. 0");
    EXPECT_EQ(panel.records.list.count(), 0);
    EXPECT_TRUE(panel.records.catalogue.isEmpty());
}

TEST(CatalogueControls, AnUnreadableDriveSaysSoAndReturnsToTheApplicationFolder) {
    Panel panel;
    testfiles::write(panel.box.file("Foto/a.gif"));
    testfiles::write(panel.box.file("Foto/b.gif"));
    CatalogueControls& c = panel.controls;
    ASSERT_TRUE(c.Dir1->setPath(panel.box.file("Foto")));

    c.Drive1_Change(panel.box.file("nessun-disco"));
    EXPECT_EQ(panel.dialogs.messages, QStringList{"Errore di lettura dal drive specificato"});
    EXPECT_EQ(c.Dir1->path(), panel.box.file("app"));
    EXPECT_EQ(c.Drive1->drive(), QStorageInfo(panel.box.path()).rootPath());
    EXPECT_EQ(panel.records.list.entries(), QStringList{"./demo.gif"});
    EXPECT_EQ(c.Label17->text(), "N. 1");

    // A readable drive moves the folder list to its root and rescans it.
    panel.dialogs.messages.clear();
    c.Drive1_Change("/");
    EXPECT_TRUE(panel.dialogs.messages.isEmpty());
    EXPECT_EQ(c.Dir1->path(), "/");
    EXPECT_EQ(panel.records.settings.ShowFolder, "/");
}
