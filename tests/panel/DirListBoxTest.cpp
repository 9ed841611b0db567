#include "panel/DirListBox.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QSignalSpy>
#include <QTest>

namespace {
QStringList texts(const QListWidget& list) {
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out.append(list.item(i)->text());
    return out;
}
} // namespace

TEST(DirListBox, ShowsThePathFromTheRootThenTheVisibleChildFoldersInOrder) {
    testfiles::Sandbox box;
    for (const char* name : {"Foto/zeta/x", "Foto/Alfa/x", "Foto/beta/x", "Foto/.nascosta/x"})
        testfiles::write(box.file(QString::fromUtf8(name)));
    testfiles::write(box.file("Foto/file.jpg"));
    DirListBox dir;
    ASSERT_TRUE(dir.setPath(box.file("Foto")));
    QStringList expected{"/"};
    expected += box.file("Foto").split(u'/', Qt::SkipEmptyParts);
    expected += QStringList{"Alfa", "beta", "zeta"};
    EXPECT_EQ(texts(dir), expected);
    EXPECT_EQ(dir.currentItem()->text(), "Foto");

    ASSERT_TRUE(dir.setPath("/"));
    EXPECT_EQ(dir.path(), "/");
    EXPECT_EQ(dir.item(0)->text(), "/");
}

TEST(DirListBox, EmitsOnlyWhenTheFolderReallyChanges) {
    testfiles::Sandbox box;
    testfiles::write(box.file("Foto/Estate/x"));
    DirListBox dir;
    ASSERT_TRUE(dir.setPath(box.file("Foto")));
    QSignalSpy spy(&dir, &DirListBox::changed);

    struct Case {
        QString path;
        bool accepted;
        int emitted;
        QString after;
    };
    const QString foto = box.file("Foto");
    const Case cases[] = {
        {foto, true, 0, foto},
        {foto + "/", true, 0, foto},
        {foto + "/Estate/..", true, 0, foto},
        {box.file("Foto/Estate/"), true, 1, box.file("Foto/Estate")},
        {box.file("foto/estate"), false, 0, box.file("Foto/Estate")}, // another name, no folder
        {box.file("Foto/missing"), false, 0, box.file("Foto/Estate")},
        {box.file("Foto/Estate/x"), false, 0, box.file("Foto/Estate")}, // a file
        {"", false, 0, box.file("Foto/Estate")},
        {foto, true, 1, foto},
    };
    for (const Case& c : cases) {
        spy.clear();
        EXPECT_EQ(dir.setPath(c.path), c.accepted) << c.path.toStdString();
        EXPECT_EQ(spy.count(), c.emitted) << c.path.toStdString();
        EXPECT_EQ(dir.path(), c.after) << c.path.toStdString();
    }
}

TEST(DirListBox, EnterOpensTheCurrentEntryAndAClickOnlySelects) {
    testfiles::Sandbox box;
    testfiles::write(box.file("Foto/Estate/x"));
    testfiles::write(box.file("Foto/Inverno/x"));
    DirListBox dir;
    dir.resize(300, 600);
    dir.show();
    ASSERT_TRUE(dir.setPath(box.file("Foto")));
    QSignalSpy spy(&dir, &DirListBox::changed);

    QListWidgetItem* inverno = dir.findItems("Inverno", Qt::MatchExactly).value(0);
    ASSERT_NE(inverno, nullptr);
    QTest::mouseClick(dir.viewport(), Qt::LeftButton, {}, dir.visualItemRect(inverno).center());
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(dir.path(), box.file("Foto"));

    dir.setCurrentItem(inverno);
    QTest::keyClick(&dir, Qt::Key_Return);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(dir.path(), box.file("Foto/Inverno"));

    // Back up through an ancestor entry.
    QListWidgetItem* foto = dir.findItems("Foto", Qt::MatchExactly).value(0);
    ASSERT_NE(foto, nullptr);
    Q_EMIT dir.itemDoubleClicked(foto);
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(dir.path(), box.file("Foto"));
}
