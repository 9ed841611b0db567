#include "catalogue/LoadImageList.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace {
struct Scan {
    ImageCatalogue catalogue;
    PictureList list;
    int count = -1;

    void run(const QString& folder) { count = LoadImageList(folder, catalogue, list); }

    // The filled slots, 1 up to the first empty one.
    QStringList slots() const {
        QStringList out;
        for (int i = 1; i <= ImageCatalogue::MaxSlots && !catalogue.slot(i).isEmpty(); ++i)
            out.append(catalogue.slot(i));
        return out;
    }
};

QString withSeparator(const QString& path) {
    return path + u'/';
}
} // namespace

TEST(LoadImageList, ListsTheFolderFirstThenEachChildFolderInOrder) {
    testfiles::Sandbox box;
    testfiles::write(box.file("b.jpg"));
    testfiles::write(box.file("a.gif"));
    testfiles::write(box.file("Zeta/c.bmp"));
    Scan scan;
    scan.run(withSeparator(box.path()));
    EXPECT_EQ(scan.count, 3);
    EXPECT_EQ(scan.list.entries(), QStringList({"./a.gif", "./b.jpg", "Zeta/c.bmp"}));
    EXPECT_EQ(scan.slots(), QStringList({"./a.gif", "./b.jpg", "Zeta/c.bmp"}));
    EXPECT_EQ(scan.catalogue.count, 3);
}

TEST(LoadImageList, SkipsHiddenGrandchildrenAndWhatIsNotAPicture) {
    testfiles::Sandbox box;
    testfiles::write(box.file("FOTO.Jpg"));
    testfiles::write(box.file(".nascosta.jpg"));
    testfiles::write(box.file("note.txt"));
    testfiles::write(box.file(".Segreta/d.jpg"));
    testfiles::write(box.file("Zeta/Sub/d.jpg"));
    testfiles::write(box.file("Zeta/e.jpeg"));
    testfiles::write(box.file("Zeta/.f.gif"));
    ASSERT_TRUE(QDir(box.path()).mkpath("cartella.jpg")); // a folder is never a picture
    ASSERT_TRUE(QFile::link(box.file("FOTO.Jpg"), box.file("collegamento.gif")));
    ASSERT_TRUE(QFile::link(box.file("manca.jpg"), box.file("spezzato.jpg"))); // dangling

    Scan scan;
    scan.run(withSeparator(box.path()));
    EXPECT_EQ(scan.list.entries(),
              QStringList({"./collegamento.gif", "./FOTO.Jpg", "Zeta/e.jpeg"}));
    EXPECT_EQ(scan.count, 3);
}

TEST(LoadImageList, ListOrderIsCaseInsensitiveWithDotAndSeparatorBeforeDigitsAndLetters) {
    testfiles::Sandbox box;
    for (const char* name : {"Zeta/c.bmp", "zeta2/a.gif", "9/a.gif", "b.JPG", "B2.jpg", "a.gif",
                             "Alfa/z.gif", "1.gif", "Zetaa/b.gif"})
        testfiles::write(box.file(QString::fromUtf8(name)));
    Scan scan;
    scan.run(withSeparator(box.path()));
    EXPECT_EQ(scan.list.entries(),
              QStringList({"./1.gif", "./a.gif", "./b.JPG", "./B2.jpg", "9/a.gif", "Alfa/z.gif",
                           "Zeta/c.bmp", "zeta2/a.gif", "Zetaa/b.gif"}));
}

TEST(LoadImageList, KeepsTheFirstSlotsButCountsEveryPicture) {
    testfiles::Sandbox box;
    for (int i = 0; i < 10050; ++i)
        testfiles::write(box.file(QString::asprintf("f%d/p%05d.jpg", i % 5, i)));
    Scan scan;
    scan.run(withSeparator(box.path()));
    EXPECT_EQ(scan.count, 10050);
    EXPECT_EQ(scan.catalogue.count, 10050);
    EXPECT_EQ(scan.list.count(), 9999);
    EXPECT_EQ(scan.slots().size(), 9999);
    // Folders are taken in order: only the last folder loses its last pictures.
    EXPECT_EQ(scan.catalogue.slot(1), "f0/p00000.jpg");
    EXPECT_EQ(scan.catalogue.slot(9999), "f4/p09794.jpg");
    EXPECT_EQ(scan.list.entry(9998), "f4/p09794.jpg");
}

TEST(LoadImageList, TakesTheFolderItselfAndTheFirst999ChildFolders) {
    testfiles::Sandbox box;
    testfiles::write(box.file("a.gif"));
    for (int i = 0; i < 1005; ++i)
        testfiles::write(box.file(QString::asprintf("d%04d/p.gif", i)));
    Scan scan;
    scan.run(withSeparator(box.path()));
    EXPECT_EQ(scan.count, 1000);
    EXPECT_EQ(scan.list.entries().last(), "d0998/p.gif");
}

TEST(LoadImageList, RescanOfAFolderWithoutPicturesEmptiesEverything) {
    testfiles::Sandbox box;
    testfiles::write(box.file("full/a.jpg"));
    testfiles::write(box.file("full/Sub/b.jpg"));
    testfiles::write(box.file("empty/readme.txt"));
    Scan scan;
    scan.run(withSeparator(box.file("full")));
    ASSERT_EQ(scan.count, 2);
    scan.run(withSeparator(box.file("empty")));
    EXPECT_EQ(scan.count, 0);
    EXPECT_EQ(scan.catalogue.count, 0);
    EXPECT_EQ(scan.list.count(), 0);
    EXPECT_TRUE(scan.catalogue.isEmpty());
    EXPECT_TRUE(scan.slots().isEmpty());
    EXPECT_TRUE(scan.catalogue.slot(2).isEmpty());
}

TEST(LoadImageList, MissingOrUnreadableFoldersGiveNothing) {
    testfiles::Sandbox box;
    testfiles::write(box.file("locked/a.jpg"));
    testfiles::write(box.file("open/b.jpg"));
    testfiles::write(box.file("open/Chiusa/c.jpg"));
    QFile::setPermissions(box.file("open/Chiusa"), QFileDevice::Permissions());
    QFile::setPermissions(box.file("locked"), QFileDevice::Permissions());
    const bool privileged = QDir(box.file("locked")).entryList(QDir::Files).size() == 1;

    Scan scan;
    scan.run(withSeparator(box.file("open")));
    if (!privileged) {
        // The unreadable child folder contributes nothing; the rest is still found.
        EXPECT_EQ(scan.list.entries(), QStringList({"./b.jpg"}));
        scan.run(withSeparator(box.file("locked")));
        EXPECT_EQ(scan.count, 0);
        EXPECT_EQ(scan.list.count(), 0);
    }
    scan.run(QString());
    EXPECT_EQ(scan.count, 0);
    scan.run(withSeparator(box.file("missing")));
    EXPECT_EQ(scan.count, 0);
    EXPECT_TRUE(scan.catalogue.isEmpty());
    QFile::setPermissions(box.file("open/Chiusa"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(box.file("locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
