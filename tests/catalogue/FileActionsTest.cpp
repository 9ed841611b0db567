#include "catalogue/FileActions.h"
#include "support/Fakes.h"
#include "support/OrdinaryUser.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The user's data folder, and with it the home Trash, inside the sandbox: deletions never reach
// the Trash of whoever runs the tests.
class DataHome {
public:
    explicit DataHome(const QString& folder) : folder_(folder) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder));
    }
    ~DataHome() { qunsetenv("XDG_DATA_HOME"); }
    QString trash() const { return folder_ + "/Trash"; }
    DataHome(const DataHome&) = delete;
    DataHome& operator=(const DataHome&) = delete;

private:
    QString folder_;
};

// What a Trash holds: each file's content by the original path its .trashinfo names.
QMap<QString, QByteArray> TrashContent(const QString& trash) {
    QMap<QString, QByteArray> content;
    const QDir files(trash + "/files");
    for (const QString& name : files.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QStringList info =
            QString::fromUtf8(testfiles::read(trash + "/info/" + name + ".trashinfo")).split('\n');
        EXPECT_EQ(info.value(0), "[Trash Info]") << name.toStdString();
        EXPECT_TRUE(info.value(1).startsWith("Path=")) << name.toStdString();
        EXPECT_TRUE(
            QDateTime::fromString(info.value(2).mid(int(strlen("DeletionDate="))), Qt::ISODate)
                .isValid())
            << info.value(2).toStdString();
        const QString path = QFile::decodeName(
            QByteArray::fromPercentEncoding(info.value(1).mid(int(strlen("Path="))).toUtf8()));
        content[path] = testfiles::read(files.filePath(name));
    }
    return content;
}

struct Panel {
    testfiles::Sandbox box;
    DataHome dataHome{box.path() + "/dati"};
    QString appFolder = QStringLiteral("/opt/quirello/");
    QString showFolder = box.path() + u'/';
    PictureList list;
    fakes::RecordingLauncher launcher;
    fakes::ScriptedDialogs dialogs;
    DiskFileOperations disk;
    FileActions actions{appFolder, [this] { return showFolder; }, list, launcher, dialogs, disk};

    // Each file holds its own entry, so a file that moved or was replaced shows.
    explicit Panel(const QStringList& entries) {
        for (const QString& e : entries)
            testfiles::write(showFolder + e, e.toUtf8());
        list.setEntries(entries);
    }
    // The action's outcome, with the dialogs answering at once.
    bool rename(int row) {
        bool renamed = false;
        actions.rename(row, [&](bool r) { renamed = r; });
        return renamed;
    }
    bool remove(int row) {
        bool removed = false;
        actions.remove(row, [&](bool r) { removed = r; });
        return removed;
    }
    bool onDisk(const QString& entry) const { return QFileInfo::exists(showFolder + entry); }
    QByteArray content(const QString& entry) const { return testfiles::read(showFolder + entry); }
};

} // namespace

// A picture's size, the preview's.
const std::pair<QSize, QSize> previews[] = {{{640, 480}, {240, 180}},
                                            {{1000, 200}, {280, 56}},
                                            {{32, 32}, {180, 180}},
                                            {{560, 360}, {280, 180}},
                                            {{180, 1000}, {32, 180}},
                                            {{100000, 1}, {280, 1}},
                                            {{0, 0}, {}}};
TABLE_TEST(FileActionsPreview, FitsTheBoxKeepingProportions, previews) {
    EXPECT_EQ(fileactions::previewSize(GetParam().first), GetParam().second);
}

TEST(FileActionsOpen, PassesTheFilePathWithoutTheCurrentFolderStep) {
    Panel panel({"./mare.jpg", "Estate/mare.jpg"});
    const QString start = "/opt/quirello/START " + panel.showFolder;
    for (int row : {0, 1, -1})
        EXPECT_TRUE(panel.actions.open(row));
    EXPECT_EQ(panel.launcher.commandLines,
              QStringList({start + "mare.jpg", start + "Estate/mare.jpg", start}));
    EXPECT_EQ(panel.launcher.styles[0], WindowStyle::MinimizedFocus);

    // Only the menu reports a launcher that cannot start; the double click stays silent.
    panel.launcher.starts = false;
    EXPECT_FALSE(panel.actions.open(0));
    EXPECT_TRUE(panel.dialogs.messages.isEmpty());
    panel.actions.openFromMenu(0);
    EXPECT_EQ(panel.dialogs.messages, QStringList({fileactions::RenameError}));
}

TEST(FileActionsRename, AsksWithTheOldNameAndReplacesTheItemInPlace) {
    Panel panel({"./a.jpg", "./b.jpg", "Estate/mare.jpg"});
    // No selection asks nothing; a cancelled or empty answer changes nothing.
    EXPECT_FALSE(panel.rename(-1));
    EXPECT_FALSE(panel.rename(0));
    EXPECT_TRUE(panel.onDisk("./a.jpg"));
    EXPECT_EQ(panel.list.entry(0), "./a.jpg");

    panel.dialogs.inputAnswer = "./z.jpg";
    EXPECT_TRUE(panel.rename(0));
    ASSERT_EQ(panel.dialogs.inputs.size(), 2u);
    EXPECT_EQ(panel.dialogs.inputs[1],
              QStringList({fileactions::RenamePrompt, "Rinomina un file di immagine", "./a.jpg"}));
    // Not re-sorted until the next scan.
    EXPECT_EQ(panel.list.entries(), QStringList({"./z.jpg", "./b.jpg", "Estate/mare.jpg"}));
    EXPECT_FALSE(panel.onDisk("./a.jpg"));
    EXPECT_EQ(panel.content("./z.jpg"), "./a.jpg");

    // Another spelling of the same file (as a camera card sees "B.JPG" for "b.jpg") goes through
    // a temporary name and leaves nothing behind.
    panel.dialogs.inputAnswer = "b.jpg";
    EXPECT_TRUE(panel.rename(1));
    EXPECT_EQ(panel.list.entry(1), "b.jpg");
    EXPECT_EQ(QDir(panel.showFolder).entryList(QDir::Files), QStringList({"b.jpg", "z.jpg"}));
    EXPECT_EQ(panel.content("b.jpg"), "./b.jpg");

    // Leaving out the folder part moves the file up into the show folder.
    panel.dialogs.inputAnswer = "mare.jpg";
    EXPECT_TRUE(panel.rename(2));
    EXPECT_EQ(panel.list.entry(2), "mare.jpg");
    EXPECT_FALSE(panel.onDisk("Estate/mare.jpg"));
    EXPECT_EQ(panel.content("mare.jpg"), "Estate/mare.jpg");
    EXPECT_TRUE(panel.dialogs.messages.isEmpty());
}

TEST(FileActionsRename, RefusesEveryTargetThatWouldLoseOrMisplaceAFile) {
    const QStringList files = {"./a.jpg", "./b.jpg", "./B.JPG", "Estate/mare.jpg"};
    // An existing file (also one differing only in case), the file itself, a folder, a folder
    // that does not exist, a dangling link, a second name of the same file differing in case.
    for (const char* typed : {"./b.jpg", "./B.JPG", "./a.jpg", "Estate", "Manca/a.jpg",
                              "./collegamento.jpg", "./A.jpg"}) {
        Panel panel(files);
        ASSERT_TRUE(
            QFile::link(panel.showFolder + "nessuno.jpg", panel.showFolder + "collegamento.jpg"));
        ASSERT_EQ(::link(QFile::encodeName(panel.showFolder + "a.jpg").constData(),
                         QFile::encodeName(panel.showFolder + "A.jpg").constData()),
                  0);
        const QStringList before = panel.list.entries();
        panel.dialogs.inputAnswer = QString::fromUtf8(typed);
        EXPECT_FALSE(panel.rename(0)) << typed;
        EXPECT_EQ(panel.dialogs.messages, QStringList({fileactions::RenameError})) << typed;
        EXPECT_EQ(panel.list.entries(), before) << typed;
        for (const QString& f : files)
            EXPECT_EQ(panel.content(f), f.toUtf8()) << typed;
        EXPECT_TRUE(panel.onDisk("./A.jpg")) << typed;
    }
}

// Only a file that is gone leaves the list: a declined question or a folder named like a picture
// keep the item, and the folder keeps what it holds (a read-only file: below).
TEST(FileActionsDelete, AsksAboutTheEntryAndRemovesItOnlyOnceDeleted) {
    const QString failure = QStringLiteral(
        "Non è possibile cancellare il file %1 controllare che non si tratti di un file in sola "
        "lettura o una cartella di un CD-ROM o DVD-ROM");
    Panel panel({"./a.jpg", "./b.jpg"});
    ASSERT_TRUE(QDir(panel.showFolder).mkpath("cartella.jpg/dentro"));
    const QStringList all = {"./a.jpg", "./b.jpg", "./cartella.jpg"};
    panel.list.setEntries(all);
    panel.dialogs.confirmAnswer = false;
    EXPECT_FALSE(panel.remove(1));
    panel.dialogs.confirmAnswer = true;
    EXPECT_FALSE(panel.remove(2));
    EXPECT_TRUE(panel.onDisk("./b.jpg"));
    EXPECT_TRUE(QFileInfo(panel.showFolder + "cartella.jpg/dentro").isDir());
    EXPECT_EQ(panel.list.entries(), all);
    EXPECT_EQ(panel.dialogs.messages, QStringList({failure.arg("./cartella.jpg")}));

    EXPECT_TRUE(panel.remove(1));
    EXPECT_EQ(panel.dialogs.questions.last(), "Sei sicuro di vole cancellare il file ./b.jpg ?");
    EXPECT_FALSE(panel.onDisk("./b.jpg"));
    EXPECT_EQ(panel.list.entries(), QStringList({"./a.jpg", "./cartella.jpg"}));
    EXPECT_FALSE(panel.remove(-1));
    EXPECT_EQ(panel.dialogs.questions.size(), 3);
}

// Unlinking needs only the folder's permission, and root passes every check: a read-only file
// is kept by its own permission bits, for root and for an ordinary user alike.
TEST(FileActionsDelete, KeepsAReadOnlyFileForRootAndForAnOrdinaryUser) {
    const auto deleteReadOnlyThenWritable = [] {
        Panel panel({"./ro.jpg"});
        const QString file = panel.showFolder + "ro.jpg";
        QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        EXPECT_FALSE(panel.remove(0));
        EXPECT_TRUE(panel.onDisk("./ro.jpg"));
        EXPECT_EQ(panel.list.count(), 1);
        EXPECT_EQ(panel.dialogs.messages, QStringList({fileactions::deleteFailure("./ro.jpg")}));
        EXPECT_TRUE(TrashContent(panel.dataHome.trash()).isEmpty()) << "nor put in the Trash";
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        EXPECT_TRUE(panel.remove(0));
        EXPECT_FALSE(panel.onDisk("./ro.jpg"));
        EXPECT_EQ(panel.list.count(), 0);
    };
    deleteReadOnlyThenWritable();
    testfiles::AsOrdinaryUser(deleteReadOnlyThenWritable);
}

// As the desktop's own delete: the file can be put back from the Trash, whose record says where
// it was (two of the same name from two folders both kept); root has a Trash of its own too.
TEST(FileActionsDelete, MovesThePictureToTheUsersTrashSayingWhereItWas) {
    const auto deleteTwoOfTheSameName = [] {
        Panel panel({"./b.jpg", "./mare blu è.jpg", "Estate/mare blu è.jpg"});
        EXPECT_TRUE(panel.remove(2));
        EXPECT_TRUE(panel.remove(1));
        EXPECT_EQ(panel.list.entries(), QStringList({"./b.jpg"}));
        EXPECT_TRUE(panel.dialogs.messages.isEmpty());
        EXPECT_FALSE(panel.onDisk("./mare blu è.jpg"));
        EXPECT_FALSE(panel.onDisk("Estate/mare blu è.jpg"));
        const QMap<QString, QByteArray> expected = {
            {panel.showFolder + "mare blu è.jpg", "./mare blu è.jpg"},
            {panel.showFolder + "Estate/mare blu è.jpg", "Estate/mare blu è.jpg"}};
        EXPECT_EQ(TrashContent(panel.dataHome.trash()), expected);
        struct stat trash {};
        ASSERT_EQ(::stat(QFile::encodeName(panel.dataHome.trash()).constData(), &trash), 0);
        EXPECT_EQ(trash.st_mode & 0777, 0700u) << "the Trash is its owner's alone";
        EXPECT_EQ(trash.st_uid, ::getuid());
    };
    deleteTwoOfTheSameName();
    testfiles::AsOrdinaryUser(deleteTwoOfTheSameName);
}

// A picture on another volume than the home folder goes to that volume's own Trash, the folder
// .Trash-UID at its top, which records the path from there (the volume may be mounted elsewhere
// next time); it is never copied across. /dev/shm is a volume of its own on Debian.
TEST(FileActionsDelete, APictureOnAnotherVolumeGoesToThatVolumesTrash) {
    const auto deleteOnTheMemoryVolume = [] {
        const QStorageInfo shm(QStringLiteral("/dev/shm"));
        ASSERT_TRUE(shm.isValid() && shm.rootPath() == "/dev/shm" &&
                    shm != QStorageInfo(QDir::tempPath()))
            << "this test needs /dev/shm mounted as a volume of its own";
        const QString trash = "/dev/shm/.Trash-" + QString::number(::getuid());
        const bool trashWasThere = QFileInfo::exists(trash);
        QTemporaryDir elsewhere(QStringLiteral("/dev/shm/quirello-XXXXXX"));
        ASSERT_TRUE(elsewhere.isValid());
        Panel panel(QStringList{});
        panel.showFolder = elsewhere.path() + '/';
        const QString entry = "./" + QFileInfo(elsewhere.path()).fileName() + ".jpg";
        testfiles::write(panel.showFolder + entry, entry.toUtf8());
        panel.list.setEntries({entry});

        EXPECT_TRUE(panel.remove(0));
        EXPECT_FALSE(panel.onDisk(entry));
        const QString recorded = panel.showFolder.mid(int(strlen("/dev/shm/"))) + entry.mid(2);
        EXPECT_EQ(TrashContent(trash), (QMap<QString, QByteArray>{{recorded, entry.toUtf8()}}));
        EXPECT_FALSE(QFileInfo::exists(panel.dataHome.trash())) << "nothing in the home Trash";

        const QString name = QFileInfo(recorded).fileName();
        QFile::remove(trash + "/files/" + name);
        QFile::remove(trash + "/info/" + name + ".trashinfo");
        if (!trashWasThere)
            QDir(trash).removeRecursively();
    };
    deleteOnTheMemoryVolume();
    testfiles::AsOrdinaryUser(deleteOnTheMemoryVolume);
}

// Where no Trash can be made (here a file stands where the home Trash would be) the picture is
// deleted as before, and the list forgets it.
TEST(FileActionsDelete, WithoutAUsableTrashThePictureIsDeletedForGood) {
    Panel panel({"./a.jpg", "./b.jpg"});
    testfiles::write(panel.dataHome.trash(), "not a folder");
    EXPECT_TRUE(panel.remove(0));
    EXPECT_FALSE(panel.onDisk("./a.jpg"));
    EXPECT_EQ(QDir(panel.showFolder).entryList(QDir::Files), QStringList({"b.jpg"}));
    EXPECT_EQ(panel.list.entries(), QStringList({"./b.jpg"}));
    EXPECT_TRUE(panel.dialogs.messages.isEmpty());
    EXPECT_EQ(testfiles::read(panel.dataHome.trash()), "not a folder");
}

// A file deleted outside the program: the same message, and the item leaves the list.
TEST(FileActionsDelete, AFileAlreadyGoneIsReportedAndLeavesTheList) {
    Panel panel({"./a.jpg", "./b.jpg"});
    ASSERT_TRUE(QFile::remove(panel.showFolder + "a.jpg"));
    EXPECT_TRUE(panel.remove(0));
    EXPECT_EQ(panel.dialogs.messages, QStringList({fileactions::deleteFailure("./a.jpg")}));
    EXPECT_EQ(panel.list.entries(), QStringList({"./b.jpg"}));
}

// The list is scanned anew while the question is open: the answer finds another entry at the
// row and leaves every file alone.
TEST(FileActionsAnswer, ComingAfterTheListChangedTouchesNothing) {
    Panel panel({"./a.jpg", "./b.jpg"});
    panel.dialogs.holdAnswers = true;
    panel.dialogs.inputAnswer = "./c.jpg";
    std::vector<bool> outcomes;
    panel.actions.rename(0, [&](bool r) { outcomes.push_back(r); });
    panel.actions.remove(1, [&](bool r) { outcomes.push_back(r); });
    ASSERT_EQ(panel.dialogs.held.size(), 2u);
    EXPECT_TRUE(outcomes.empty()) << "answered before the user did";
    panel.list.setEntries({"./0.jpg", "./a.jpg", "./b.jpg"}); // a picture came first
    panel.dialogs.answer();
    panel.dialogs.answer();
    EXPECT_EQ(outcomes, (std::vector<bool>{false, false}));
    EXPECT_TRUE(panel.onDisk("./a.jpg"));
    EXPECT_TRUE(panel.onDisk("./b.jpg"));
    EXPECT_FALSE(panel.onDisk("./c.jpg"));
    EXPECT_EQ(panel.list.entries(), QStringList({"./0.jpg", "./a.jpg", "./b.jpg"}));
}
