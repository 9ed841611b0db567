#include "catalogue/FileActions.h"
#include "support/LinkAndDialogFakes.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>

namespace {

// A file system whose deletes fail as on a read-only medium.
class ReadOnlyMedium final : public FileOperations {
public:
    bool rename(const QString&, const QString&) override { return false; }
    bool remove(const QString&) override { return false; }
};

struct Panel {
    testfiles::Sandbox box;
    QString appFolder = QStringLiteral("/opt/quirello/");
    QString showFolder = box.path() + u'/';
    PictureList list;
    fakes::RecordingLauncher launcher;
    fakes::ScriptedDialogs dialogs;
    DiskFileOperations disk;
    FileActions actions{appFolder, showFolder, list, launcher, dialogs, disk};

    explicit Panel(const QStringList& entries) {
        for (const QString& e : entries)
            testfiles::write(showFolder + e, e.toUtf8());
        list.setEntries(entries);
    }
    bool onDisk(const QString& entry) const { return QFileInfo::exists(showFolder + entry); }
    QByteArray content(const QString& entry) const { return testfiles::read(showFolder + entry); }
};

} // namespace

TEST(FileActionsPreview, FitsTheBoxKeepingProportions) {
    struct Case {
        QSize natural, shown;
    };
    const Case cases[] = {
        {{640, 480}, {240, 180}},
        {{1000, 200}, {280, 56}},
        {{32, 32}, {180, 180}},
        {{560, 360}, {280, 180}},
        {{280, 180}, {280, 180}},
        {{180, 1000}, {32, 180}},
        {{4000, 3000}, {240, 180}},
        {{100000, 1}, {280, 1}},
        {{0, 0}, {}},
        {{-1, -1}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fileactions::previewSize(c.natural), c.shown)
            << c.natural.width() << "x" << c.natural.height();
}

TEST(FileActionsOpen, PassesTheFilePathWithoutTheCurrentFolderStep) {
    Panel panel({"./mare.jpg", "Estate/mare.jpg", "Estate/./x.jpg"});
    const QString& f = panel.showFolder;
    ASSERT_EQ(panel.list.entries(),
              QStringList({"./mare.jpg", "Estate/./x.jpg", "Estate/mare.jpg"}));
    for (int row : {0, 2, 1, -1})
        EXPECT_TRUE(panel.actions.open(row));
    EXPECT_EQ(
        panel.launcher.commandLines(),
        QStringList({"/opt/quirello/START " + f + "mare.jpg",
                     "/opt/quirello/START " + f + "Estate/mare.jpg",
                     "/opt/quirello/START " + f + "Estate/./x.jpg", "/opt/quirello/START " + f}));
    for (const auto& run : panel.launcher.runs)
        EXPECT_EQ(run.style, WindowStyle::MinimizedFocus);
    EXPECT_TRUE(panel.dialogs.messages.isEmpty());
}

TEST(FileActionsOpen, OnlyTheMenuReportsALauncherThatCannotStart) {
    Panel panel({"./mare.jpg"});
    panel.launcher.starts = false;
    EXPECT_FALSE(panel.actions.open(0)); // the double click stays silent
    EXPECT_TRUE(panel.dialogs.messages.isEmpty());
    panel.actions.openFromMenu(0);
    EXPECT_EQ(panel.dialogs.messages, QStringList({fileactions::RenameError}));
}

TEST(FileActionsRename, AsksWithTheOldNameAndReplacesTheItemInPlace) {
    Panel panel({"./a.jpg", "./b.jpg", "Estate/mare.jpg"});
    panel.dialogs.inputAnswer = "./z.jpg";
    EXPECT_TRUE(panel.actions.rename(0));
    ASSERT_EQ(panel.dialogs.inputs.size(), 1u);
    EXPECT_EQ(panel.dialogs.inputs[0].prompt, fileactions::RenamePrompt);
    EXPECT_TRUE(fileactions::RenamePrompt.endsWith(u"il nome attuale e'"));
    EXPECT_EQ(panel.dialogs.inputs[0].title, "Rinomina un file di immagine");
    EXPECT_EQ(panel.dialogs.inputs[0].initial, "./a.jpg");
    EXPECT_EQ(panel.dialogs.inputs[0].left, 0);
    // Not re-sorted until the next scan.
    EXPECT_EQ(panel.list.entries(), QStringList({"./z.jpg", "./b.jpg", "Estate/mare.jpg"}));
    EXPECT_FALSE(panel.onDisk("./a.jpg"));
    EXPECT_EQ(panel.content("./z.jpg"), "./a.jpg");

    // Leaving out the folder part moves the file up into the show folder.
    panel.dialogs.inputAnswer = "mare.jpg";
    EXPECT_TRUE(panel.actions.rename(2));
    EXPECT_EQ(panel.list.entry(2), "mare.jpg");
    EXPECT_FALSE(panel.onDisk("Estate/mare.jpg"));
    EXPECT_EQ(panel.content("mare.jpg"), "Estate/mare.jpg");
    EXPECT_TRUE(panel.dialogs.messages.isEmpty());
}

TEST(FileActionsRename, RefusesEveryTargetThatWouldLoseOrMisplaceAFile) {
    struct Case {
        const char* typed;
        const char* why;
    };
    const Case cases[] = {
        {"./b.jpg", "an existing file"},
        {"./B.JPG", "an existing file differing only in case"},
        {"./a.jpg", "the file itself"},
        {"Estate", "an existing folder"},
        {"Manca/a.jpg", "a folder that does not exist"},
        {"./collegamento.jpg", "a dangling link"},
    };
    for (const Case& c : cases) {
        Panel panel({"./a.jpg", "./b.jpg", "./B.JPG", "Estate/mare.jpg"});
        ASSERT_TRUE(
            QFile::link(panel.showFolder + "nessuno.jpg", panel.showFolder + "collegamento.jpg"));
        const QStringList before = panel.list.entries();
        panel.dialogs.inputAnswer = QString::fromUtf8(c.typed);
        EXPECT_FALSE(panel.actions.rename(0)) << c.why;
        EXPECT_EQ(panel.dialogs.messages, QStringList({fileactions::RenameError})) << c.why;
        EXPECT_EQ(panel.list.entries(), before) << c.why;
        EXPECT_EQ(panel.content("./a.jpg"), "./a.jpg") << c.why;
        EXPECT_EQ(panel.content("./b.jpg"), "./b.jpg") << c.why;
        EXPECT_EQ(panel.content("./B.JPG"), "./B.JPG") << c.why;
        EXPECT_EQ(panel.content("Estate/mare.jpg"), "Estate/mare.jpg") << c.why;
    }
}

TEST(FileActionsRename, CancelEmptyOrNoSelectionDoNothing) {
    Panel panel({"./a.jpg"});
    panel.dialogs.inputAnswer = "";
    EXPECT_FALSE(panel.actions.rename(0));
    EXPECT_FALSE(panel.actions.rename(-1)); // asks nothing at all
    EXPECT_EQ(panel.dialogs.inputs.size(), 1u);
    EXPECT_TRUE(panel.dialogs.messages.isEmpty());
    EXPECT_EQ(panel.list.entries(), QStringList({"./a.jpg"}));
    EXPECT_TRUE(panel.onDisk("./a.jpg"));
}

TEST(FileActionsDelete, AsksAboutTheEntryAndRemovesItOnlyOnceDeleted) {
    Panel panel({"./a.jpg", "./b.jpg"});
    panel.dialogs.confirmAnswer = false;
    EXPECT_FALSE(panel.actions.remove(1));
    EXPECT_TRUE(panel.onDisk("./b.jpg"));
    EXPECT_EQ(panel.list.count(), 2);

    panel.dialogs.confirmAnswer = true;
    EXPECT_TRUE(panel.actions.remove(1));
    EXPECT_EQ(panel.dialogs.questions,
              QStringList({"Sei sicuro di vole cancellare il file ./b.jpg ?",
                           "Sei sicuro di vole cancellare il file ./b.jpg ?"}));
    EXPECT_FALSE(panel.onDisk("./b.jpg"));
    EXPECT_EQ(panel.list.entries(), QStringList({"./a.jpg"}));
    EXPECT_TRUE(panel.dialogs.messages.isEmpty());
    EXPECT_FALSE(panel.actions.remove(-1));
    EXPECT_EQ(panel.dialogs.questions.size(), 2);
}

TEST(FileActionsDelete, AFileThatCannotBeDeletedStaysOnDiskAndListed) {
    const QString failure = QStringLiteral(
        "Non è possibile cancellare il file %1 controllare che non si tratti di un file in sola "
        "lettura o una cartella di un CD-ROM o DVD-ROM");
    {
        // A read-only medium.
        Panel panel({"./a.jpg", "Estate/mare.jpg"});
        ReadOnlyMedium medium;
        FileActions actions(panel.appFolder, panel.showFolder, panel.list, panel.launcher,
                            panel.dialogs, medium);
        EXPECT_FALSE(actions.remove(1));
        EXPECT_EQ(panel.dialogs.messages, QStringList({failure.arg("Estate/mare.jpg")}));
        EXPECT_TRUE(panel.onDisk("Estate/mare.jpg"));
        EXPECT_EQ(panel.list.entries(), QStringList({"./a.jpg", "Estate/mare.jpg"}));
    }
    {
        // On disk: a folder named like a picture, and a file gone meanwhile.
        Panel panel({"./a.jpg", "./b.jpg"});
        ASSERT_TRUE(QDir(panel.showFolder).mkpath("cartella.jpg/dentro"));
        panel.list.setEntries({"./a.jpg", "./b.jpg", "./cartella.jpg"});
        ASSERT_TRUE(QFile::remove(panel.showFolder + "./a.jpg"));
        EXPECT_FALSE(panel.actions.remove(2));
        EXPECT_FALSE(panel.actions.remove(0));
        EXPECT_EQ(panel.dialogs.messages,
                  QStringList({failure.arg("./cartella.jpg"), failure.arg("./a.jpg")}));
        EXPECT_TRUE(QFileInfo(panel.showFolder + "cartella.jpg/dentro").isDir());
        EXPECT_EQ(panel.list.entries(), QStringList({"./a.jpg", "./b.jpg", "./cartella.jpg"}));
    }
}
