#include "catalogue/LoadImageList.h"
#include "support/OrdinaryUser.h"
#include "support/Rows.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <sys/stat.h>

namespace {
struct Scan {
    ImageCatalogue catalogue;
    PictureList list;
    int count = -1;

    explicit Scan(const QString& folder) { run(folder); }
    void run(const QString& folder) { count = LoadImageList(folder + u'/', catalogue, list); }
};

void writeAll(const testfiles::Sandbox& box, std::initializer_list<const char*> names) {
    for (const char* name : names)
        testfiles::write(box.file(QString::fromUtf8(name)));
}
} // namespace

TEST(LoadImageList, SkipsHiddenGrandchildrenAndWhatIsNotAPicture) {
    testfiles::Sandbox box;
    writeAll(box, {"FOTO.Jpg", ".nascosta.jpg", "note.txt", ".Segreta/d.jpg", "Zeta/Sub/d.jpg",
                   "Zeta/e.jpeg", "Zeta/.f.gif"});
    ASSERT_TRUE(QDir(box.path()).mkpath("cartella.jpg")); // a folder is never a picture
    ASSERT_TRUE(QFile::link(box.file("FOTO.Jpg"), box.file("collegamento.gif")));
    ASSERT_TRUE(QFile::link(box.file("manca.jpg"), box.file("spezzato.jpg"))); // dangling
    // A named pipe, also behind a link, would block whoever opens it.
    ASSERT_EQ(::mkfifo(QFile::encodeName(box.file("tubo.jpg")).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(box.file("tubo.jpg"), box.file("tubo2.gif")));
    Scan scan(box.path());
    EXPECT_EQ(scan.list.entries(),
              QStringList({"./collegamento.gif", "./FOTO.Jpg", "Zeta/e.jpeg"}));
    EXPECT_EQ(scan.count, 3);
}

// The show follows the list: each folder's pictures together, the folder's own first.
// What a case shows, the files, the list's order.
const std::tuple<const char*, QStringList, QStringList> orders[] = {
    {"the folder's own first",
     {"b.jpg", "a.gif", "Zeta/c.bmp"},
     {"./a.gif", "./b.jpg", "Zeta/c.bmp"}},
    {"ordinary names: case-insensitive, digits first, a name before its longer ones",
     {"Zeta/c.bmp", "zeta2/a.gif", "9/a.gif", "b.JPG", "B2.jpg", "a.gif", "Alfa/z.gif", "1.gif",
      "Zetaa/b.gif", "Èstate/a.jpg", "estate2/a.jpg"},
     {"./1.gif", "./a.gif", "./b.JPG", "./B2.jpg", "9/a.gif", "Alfa/z.gif", "Èstate/a.jpg",
      "estate2/a.jpg", "Zeta/c.bmp", "zeta2/a.gif", "Zetaa/b.gif"}},
    {"the folder's own before names that collate before the dot",
     {"z.jpg", "_scarti/a.jpg", " spazio/a.jpg", "-meno/a.jpg", "!/a.jpg", "?/a.jpg"},
     {"./z.jpg", " spazio/a.jpg", "_scarti/a.jpg", "-meno/a.jpg", "!/a.jpg", "?/a.jpg"}},
    {"folders equal but for case or accents never interleave",
     {"foto/b.jpg", "Foto/a.jpg", "foto/a.jpg", "Foto/b.jpg", "Café/a.jpg", "Cafe/b.jpg",
      "Cafe/a.jpg", "Café/b.jpg"},
     {"Cafe/a.jpg", "Cafe/b.jpg", "Café/a.jpg", "Café/b.jpg", "Foto/a.jpg", "Foto/b.jpg",
      "foto/a.jpg", "foto/b.jpg"}},
};
TABLE_TEST(LoadImageListOrder, ListOrder, orders) {
    const auto& [what, files, order] = GetParam();
    testfiles::Sandbox box;
    for (const QString& name : files)
        testfiles::write(box.file(name));
    const Scan scan(box.path());
    EXPECT_EQ(scan.list.entries(), order);
    EXPECT_EQ(scan.count, order.size());
}

TEST(LoadImageList, LimitsSlotsAndChildFoldersButCountsEveryPicture) {
    testfiles::Sandbox box;
    for (int i = 0; i < 10050; ++i)
        testfiles::write(box.file(QString::asprintf("f%d/p%05d.jpg", i % 5, i)));
    Scan scan(box.path());
    EXPECT_EQ(scan.count, 10050);
    EXPECT_EQ(scan.list.count(), 9999);
    // Folders are taken in order: only the last folder loses its last pictures.
    EXPECT_EQ(scan.catalogue.slot(9999), "f4/p09794.jpg");

    // The folder itself and the first 999 child folders.
    testfiles::Sandbox many;
    testfiles::write(many.file("a.gif"));
    for (int i = 0; i < 1005; ++i)
        testfiles::write(many.file(QString::asprintf("d%04d/p.gif", i)));
    scan.run(many.path());
    EXPECT_EQ(scan.count, 1000);
    EXPECT_EQ(scan.list.entries().last(), "d0998/p.gif");
}

TEST(LoadImageList, RescanOfAFolderWithoutPicturesEmptiesEverything) {
    testfiles::Sandbox box;
    writeAll(box, {"full/a.jpg", "full/Sub/b.jpg", "empty/readme.txt"});
    Scan scan(box.file("full"));
    ASSERT_EQ(scan.count, 2);
    for (const char* folder : {"empty", "missing"}) {
        scan.run(box.file(QString::fromUtf8(folder)));
        EXPECT_EQ(scan.count, 0) << folder;
        EXPECT_EQ(scan.catalogue.count, 0) << folder;
        EXPECT_EQ(scan.list.count(), 0) << folder;
        EXPECT_TRUE(scan.catalogue.slot(1).isEmpty() && scan.catalogue.slot(2).isEmpty()) << folder;
    }
}

TEST(LoadImageList, AnUnreadableChildFolderContributesNothing) {
    testfiles::AsOrdinaryUser([] {
        testfiles::Sandbox box;
        writeAll(box, {"b.jpg", "Chiusa/c.jpg"});
        QFile::setPermissions(box.file("Chiusa"), QFileDevice::Permissions());
        EXPECT_EQ(Scan(box.path()).list.entries(), QStringList({"./b.jpg"}));
        QFile::setPermissions(box.file("Chiusa"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner);
    });
}
