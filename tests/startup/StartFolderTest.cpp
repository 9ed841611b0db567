#include "startup/StartFolder.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>

TEST(StartFolder, AFolderThatIsGoneOrAFileGivesTheApplicationFolder) {
    testfiles::Sandbox box;
    const QString app = box.file("app/"), saved = box.file("Foto/");
    QDir().mkpath(app);
    QDir().mkpath(saved);
    testfiles::write(box.file("Foto.jpg"), "x");
    const struct {
        QString saved;
        QString opened;
    } cases[] = {
        {saved, saved},
        {box.file("Foto"), saved},            // gets its separator
        {box.file("Deleted/"), app},          // removed since it was saved
        {"/media/no-such-volume/Foto/", app}, // its volume is not mounted
        {"", app},
        {box.file("Foto.jpg"), app}, // a file is not a folder
        {"/", "/"},                  // a volume's root is a folder like any other
    };
    for (const auto& c : cases)
        EXPECT_EQ(UsableShowFolder(c.saved, app), c.opened) << c.saved.toStdString();

    // Entering the folder makes it the current one; the panel's load tests the fall-back.
    EXPECT_EQ(EnterShowFolder(saved, app), saved);
    EXPECT_EQ(QDir::currentPath() + '/', QDir(saved).canonicalPath() + '/');
    QDir::setCurrent(QDir::tempPath());
}
