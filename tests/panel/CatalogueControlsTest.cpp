#include "panel/CatalogueControls.h"
#include "panel/AutoSizeLabel.h"
#include "panel/DirListBox.h"
#include "panel/DriveListBox.h"
#include "startup/AppRecords.h"
#include "support/Fakes.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTest>

namespace {

struct Panel {
    testfiles::Sandbox box;
    AppRecords records;
    fakes::ScriptedDialogs dialogs;
    QWidget window;
    CatalogueControls controls{&window, records, dialogs};

    Panel() {
        testfiles::write(box.file("app/demo.gif"));
        records.AppFolder = box.file("app/");
    }
};

TEST(CatalogueControls, AFolderChangeRescansAndTheSameFolderDoesNot) {
    Panel panel;
    testfiles::write(panel.box.file("Foto/b.jpg"));
    testfiles::write(panel.box.file("Foto/a.gif"));
    testfiles::write(panel.box.file("Foto/Zeta/c.bmp"));
    CatalogueControls& c = panel.controls;

    ASSERT_TRUE(c.Dir1->setPath(panel.box.file("Foto")));
    EXPECT_EQ(panel.records.settings.ShowFolder, panel.box.file("Foto/"));
    EXPECT_EQ(panel.records.list.entries(), QStringList({"./a.gif", "./b.jpg", "Zeta/c.bmp"}));
    EXPECT_EQ(c.Label17->text(), "N. 3");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass stayed";

    // A new picture is seen only by a real rescan.
    testfiles::write(panel.box.file("Foto/d.jpg"));
    ASSERT_TRUE(c.Dir1->setPath(panel.box.file("Foto/")));
    EXPECT_EQ(c.Label17->text(), "N. 3");
    QTest::mouseClick(c.Command4, Qt::LeftButton);
    EXPECT_EQ(c.Label17->text(), "N. 4");

    testfiles::write(panel.box.file("Vuota/x.txt"));
    ASSERT_TRUE(c.Dir1->setPath(panel.box.file("Vuota")));
    EXPECT_EQ(c.Label17->text(), "N. 0");
    EXPECT_EQ(panel.records.list.count(), 0);
    EXPECT_TRUE(panel.records.catalogue.isEmpty());
}

TEST(CatalogueControls, AnUnreadableDriveSaysSoAndReturnsToTheApplicationFolder) {
    Panel panel;
    testfiles::write(panel.box.file("Foto/a.gif"));
    CatalogueControls& c = panel.controls;
    ASSERT_TRUE(c.Dir1->setPath(panel.box.file("Foto")));

    c.Drive1_Change(panel.box.file("nessun-disco"));
    EXPECT_EQ(panel.dialogs.messages, QStringList{"Errore di lettura dal drive specificato"});
    EXPECT_EQ(c.Dir1->path(), panel.box.file("app"));
    EXPECT_EQ(c.Drive1->drive(), QStorageInfo(panel.box.path()).rootPath());
    EXPECT_EQ(panel.records.list.entries(), QStringList{"./demo.gif"});

    panel.dialogs.messages.clear();
    c.Drive1_Change("/");
    EXPECT_TRUE(panel.dialogs.messages.isEmpty());
    EXPECT_EQ(panel.records.settings.ShowFolder, "/");
}

// The path's parts, then the visible children; only a real change of folder is announced (the
// same folder again is covered with the rescan above).
TEST(DirListBox, ListsThePathThenTheVisibleChildrenAndEmitsOnlyOnARealChange) {
    testfiles::Sandbox box;
    for (const char* name : {"Foto/zeta/x", "Foto/Alfa/x", "Foto/Estate/x", "Foto/.nascosta/x"})
        testfiles::write(box.file(QString::fromUtf8(name)));
    DirListBox dir;
    const QString foto = box.file("Foto"), estate = box.file("Foto/Estate");
    ASSERT_TRUE(dir.setPath(foto));
    QStringList shown;
    for (int i = 0; i < dir.count(); ++i)
        shown.append(dir.item(i)->text());
    EXPECT_EQ(shown, (QStringList{"/"} + foto.split(u'/', Qt::SkipEmptyParts) +
                      QStringList{"Alfa", "Estate", "zeta"}));

    QSignalSpy spy(&dir, &DirListBox::changed);
    EXPECT_FALSE(dir.setPath(box.file("foto/estate")));   // another name, no folder
    EXPECT_FALSE(dir.setPath(box.file("Foto/Estate/x"))); // a file
    EXPECT_TRUE(spy.isEmpty());
    Q_EMIT dir.itemDoubleClicked(dir.findItems("Estate", Qt::MatchExactly).value(0));
    EXPECT_EQ(dir.path(), estate);
    EXPECT_EQ(spy.count(), 1);
}

} // namespace
