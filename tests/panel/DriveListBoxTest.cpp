#include "panel/DriveListBox.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QStorageInfo>

TEST(DriveListBox, ListsTheMountedRootsAndSelectsTheVolumeHoldingAFolder) {
    testfiles::Sandbox box;
    DriveListBox drives;
    const QStringList roots = DriveListBox::mountedRoots();
    ASSERT_TRUE(roots.contains("/"));
    QStringList sorted = roots;
    sorted.sort();
    EXPECT_EQ(roots, sorted);
    EXPECT_EQ(drives.count(), roots.size());

    QSignalSpy spy(&drives, &DriveListBox::changed);
    drives.setDriveOf("/");
    EXPECT_EQ(drives.drive(), "/");
    drives.setDriveOf(box.path());
    EXPECT_EQ(drives.drive(), QStorageInfo(box.path()).rootPath());
    EXPECT_EQ(spy.count(), 0);
}

TEST(DriveListBox, PickingAnotherVolumeEmitsItsRootOnce) {
    DriveListBox drives;
    drives.setDriveOf("/");
    QSignalSpy spy(&drives, &DriveListBox::changed);
    const int root = drives.findText("/");
    Q_EMIT drives.activated(root); // the same volume again: no change
    EXPECT_EQ(spy.count(), 0);
    if (drives.count() > 1) {
        const int other = root == 0 ? 1 : 0;
        drives.setCurrentIndex(other);
        Q_EMIT drives.activated(other);
        ASSERT_EQ(spy.count(), 1);
        EXPECT_EQ(spy.at(0).at(0).toString(), drives.itemText(other));
    }
}
