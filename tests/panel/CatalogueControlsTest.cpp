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
    QStringList expected{"/"};
    expected += foto.split(u'/', Qt::SkipEmptyParts);
    expected += QStringList{"Alfa", "Estate", "zeta"};
    EXPECT_EQ(shown, expected);

    QSignalSpy spy(&dir, &DirListBox::changed);
    const struct {
        QString path;
        bool accepted;
        int emitted;
        QString after;
    } cases[] = {
        {foto + "/", true, 0, foto},
        {estate + "/", true, 1, estate},
        {box.file("foto/estate"), false, 0, estate},   // another name, no folder
        {box.file("Foto/Estate/x"), false, 0, estate}, // a file
        {foto, true, 1, foto},
    };
    for (const auto& c : cases) {
        spy.clear();
        EXPECT_EQ(dir.setPath(c.path), c.accepted) << c.path.toStdString();
        EXPECT_EQ(spy.count(), c.emitted) << c.path.toStdString();
        EXPECT_EQ(dir.path(), c.after) << c.path.toStdString();
    }

    // Opening an entry goes there.
    Q_EMIT dir.itemDoubleClicked(dir.findItems("Estate", Qt::MatchExactly).value(0));
    EXPECT_EQ(dir.path(), estate);
}

} // namespace
