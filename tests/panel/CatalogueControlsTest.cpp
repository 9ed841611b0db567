#include "PanelFakes.h"

#include "controls/DriveListBox.h"

#include <QSignalSpy>
#include <QStorageInfo>

// The catalogue's controls as the panel carries them, started in its application folder.
class CatalogueControlsTest : public panelfakes::PanelTest {
protected:
    void SetUp() override { loadPanel(); }
    CatalogueControls& c() { return panel->catalogue(); }
};

TEST_F(CatalogueControlsTest, AFolderChangeRescansAndTheSameFolderDoesNot) {
    for (const char* name : {"Foto/b.jpg", "Foto/a.gif", "Foto/Zeta/c.bmp"})
        testfiles::write(box.file(name));
    ASSERT_TRUE(c().Dir1->setPath(box.file("Foto")));
    EXPECT_EQ(records.settings.ShowFolder, box.file("Foto/"));
    EXPECT_EQ(records.list.entries(), QStringList({"./a.gif", "./b.jpg", "Zeta/c.bmp"}));
    EXPECT_EQ(values.count->text(), "N. 3");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass stayed";

    // A new picture is seen only by a real rescan.
    testfiles::write(box.file("Foto/d.jpg"));
    ASSERT_TRUE(c().Dir1->setPath(box.file("Foto/")));
    EXPECT_EQ(values.count->text(), "N. 3");
    QTest::mouseClick(c().Command4, Qt::LeftButton);
    EXPECT_EQ(values.count->text(), "N. 4");

    testfiles::write(box.file("Vuota/x.txt"));
    ASSERT_TRUE(c().Dir1->setPath(box.file("Vuota")));
    EXPECT_EQ(values.count->text(), "N. 0");
    EXPECT_EQ(records.list.count(), 0);
    EXPECT_TRUE(records.catalogue.isEmpty());
}

TEST_F(CatalogueControlsTest, AnUnreadableDriveSaysSoAndReturnsToTheApplicationFolder) {
    testfiles::write(box.file("Foto/a.gif"));
    testfiles::write(app + "demo.gif");
    ASSERT_TRUE(c().Dir1->setPath(box.file("Foto")));

    c().Drive1_Change(box.file("nessun-disco"));
    EXPECT_EQ(dialogs.messages, QStringList{"Errore di lettura dal drive specificato"});
    EXPECT_EQ(c().Dir1->path(), QDir::cleanPath(app));
    EXPECT_EQ(c().Drive1->drive(), QStorageInfo(box.path()).rootPath());
    EXPECT_EQ(records.list.entries(), QStringList{"./demo.gif"});

    dialogs.messages.clear();
    c().Drive1_Change("/");
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(records.settings.ShowFolder, "/");
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
