// Where the panel reads and keeps PHOTO.INI, and what a folder or a picture named on the
// command line opens.

#include "PanelFakes.h"

#include "panel/ListActions.h"
#include "panel/PreviewImage.h"
#include "support/OrdinaryUser.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>

using StartPlaces = panelfakes::PanelTest;

TEST_F(StartPlaces, PhotoIniStaysBesideTheProgramUnlessTheUserCannotWriteThere) {
    testfiles::AsOrdinaryUser([this] {
        using P = QFile::Permission;
        const QFile::Permissions rwx = P::ReadOwner | P::WriteOwner | P::ExeOwner;
        const struct {
            const char* what;
            QFile::Permissions folder, file;
            bool inConfig; // where "&Play" keeps the settings
        } cases[] = {
            {"writable folder", rwx, P::ReadOwner | P::WriteOwner, false},
            // A copy from a CD: the file keeps its mode 444, the save may not replace it.
            {"writable folder, read-only PHOTO.INI", rwx, P::ReadOwner, true},
            {"read-only folder, writable PHOTO.INI", P::ReadOwner | P::ExeOwner,
             P::ReadOwner | P::WriteOwner, false},
            {"read-only folder and PHOTO.INI", P::ReadOwner | P::ExeOwner, P::ReadOwner, true},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            QFile::setPermissions(app, rwx);
            QFile::remove(ini());
            QDir(configFolder()).removeRecursively();
            // An administrator's starting values beside the program.
            writeIni("TempoAttesa=7\r\nRGB_R=10\r\n");
            QFile::setPermissions(ini(), c.file);
            QFile::setPermissions(app, c.folder);

            loadPanel();
            EXPECT_EQ(start.seconds->text(), "7");
            start.seconds->setText("9");
            panel->Inizializza();
            ASSERT_FALSE(shows.empty());
            EXPECT_EQ(shows.back().TempoAttesa, 9000);
            EXPECT_EQ(shows.back().RGB_R, 10);
            EXPECT_EQ(shows.back().ShowFolder, app);
            ShowSettings kept;
            ASSERT_TRUE(ReadSettingsFile(c.inConfig ? configFolder() : app, kept));
            EXPECT_EQ(kept.TempoAttesa, 9);
            EXPECT_EQ(QFileInfo::exists(configFolder()), c.inConfig);
            if (c.inConfig) {
                EXPECT_EQ(testfiles::read(ini()), "TempoAttesa=7\r\nRGB_R=10\r\n");
            }

            // The next start reads what the last "&Play" kept.
            loadPanel();
            EXPECT_EQ(start.seconds->text(), "9");
        }
        QFile::setPermissions(app, rwx);
    });
}

// A line break is legal in a Linux folder name but would end PATH's line: the show runs in the
// folder, and PHOTO.INI keeps its thirteen lines with the folder saved last.
TEST_F(StartPlaces, AFolderNamedWithALineBreakRunsButKeepsTheFileThirteenLines) {
    testfiles::write(box.file("Foto/a.jpg"));
    loadPanel();
    ASSERT_TRUE(panel->catalogue().Dir1->setPath(box.file("Foto")));
    panel->Inizializza();
    for (const char* name : {"riga\nPosLabel=2", "riga\rPosLabel=2"}) {
        SCOPED_TRACE(QByteArray(name).toPercentEncoding().constData());
        testfiles::write(box.file(name) + "/b.jpg");
        ASSERT_TRUE(panel->catalogue().Dir1->setPath(box.file(name)));
        panel->Inizializza();
        EXPECT_EQ(shows.back().ShowFolder, box.file(name) + "/");
        const QByteArray bytes = testfiles::read(ini());
        EXPECT_EQ(bytes.count("\r\n"), 13);
        EXPECT_EQ(bytes.count('\n'), 13);
        EXPECT_EQ(bytes.count('\r'), 13);
        EXPECT_TRUE(
            bytes.startsWith("PATH=" + QDir::cleanPath(box.file("Foto")).toUtf8() + "\r\n"));
        EXPECT_EQ(saved()->PosLabel, shows.back().PosLabel);
    }
    loadPanel();
    EXPECT_EQ(records.settings.ShowFolder, box.file("Foto/"));
}

TEST_F(StartPlaces, AFolderOrAPictureOnTheCommandLineOpensThePanelThere) {
    const QString foto = box.file("Foto/");
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (const QString& file :
         {foto + "a.jpg", foto + "b.jpg", foto + "Estate/c.jpg", app + "mare.jpg"}) {
        QDir().mkpath(QFileInfo(file).path());
        ASSERT_TRUE(picture.save(file, "JPG"));
    }
    testfiles::write(foto + "note.txt", "x");
    const QStringList fotoEntries{"./a.jpg", "./b.jpg", "Estate/c.jpg"};

    const struct {
        QString argument;
        QString startedIn; // the folder the program was started in
        QString shownFolder;
        QStringList entries;
        int selected; // the selected and previewed row, -1 for none
    } cases[] = {
        {foto, app, foto, fotoEntries, -1},
        {foto + "b.jpg", app, foto, fotoEntries, 1},
        {"b.jpg", foto, foto, fotoEntries, 1},
        {"Estate/c.jpg", foto, foto + "Estate/", {"./c.jpg"}, 0},
        // Started in the application folder, where the load itself lists nothing.
        {"mare.jpg", app, app, {"./mare.jpg"}, 0},
        // Names of nothing the program opens: the panel as usual.
        {foto + "note.txt", app, app, {}, -1},
        {box.file("gone.jpg"), app, app, {}, -1},
        {foto + " " + foto, app, app, {}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument.toStdString());
        QDir::setCurrent(c.startedIn);
        records.list.clear(); // a new start
        loadPanel(c.argument);
        EXPECT_EQ(records.settings.ShowFolder, c.shownFolder);
        EXPECT_EQ(records.list.entries(), c.entries);
        EXPECT_EQ(extras().listActions->selectedRow(), c.selected);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !extras().Image1->decoding(); }, 15000));
        EXPECT_EQ(extras().Image1->pixmap().isNull(), c.selected < 0);
        EXPECT_TRUE(shows.empty());
        EXPECT_FALSE(QFileInfo::exists(ini())) << "nothing saved before \"&Play\"";
    }
}

TEST_F(StartPlaces, APictureDroppedOnThePanelOpensAsOnTheCommandLine) {
    const QString foto = box.file("Foto/");
    QDir().mkpath(foto);
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(foto + "a.jpg", "JPG") && picture.save(foto + "b.jpg", "JPG"));
    loadPanel();
    // An address is no folder or picture; a picture is.
    for (const QUrl& url :
         {QUrl("https://www.quirello.example/"), QUrl::fromLocalFile(foto + "b.jpg")}) {
        QMimeData data;
        data.setUrls({url});
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(panel.get(), &enter);
        EXPECT_EQ(enter.isAccepted(), url.isLocalFile());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(panel.get(), &drop);
    }
    EXPECT_EQ(records.settings.ShowFolder, foto);
    EXPECT_EQ(extras().listActions->selectedRow(), 1);
}
