#include "startup/StartFolder.h"
#include "startup/AppFolder.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace {

TEST(AppFolder, AlwaysEndsWithOneSeparator) {
    EXPECT_EQ(AppFolderOf("/opt/quirello"), "/opt/quirello/");
    EXPECT_EQ(AppFolderOf("/opt/quirello/"), "/opt/quirello/");
    EXPECT_EQ(AppFolderOf("/"), "/");
    EXPECT_TRUE(CurrentAppFolder().endsWith('/'));
}

class StartFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = WithSlash(box.file("app"));
        QDir().mkpath(app);
        saved = WithSlash(box.file("Foto"));
        QDir().mkpath(saved);
    }
    void TearDown() override { QDir::setCurrent(QDir::tempPath()); }
    static QString WithSlash(const QString& p) { return p + '/'; }

    testfiles::Sandbox box;
    QString app, saved;
};

TEST_F(StartFolderTest, AnExistingFolderIsKeptAndGetsItsSeparator) {
    EXPECT_EQ(UsableShowFolder(saved, app), saved);
    EXPECT_EQ(UsableShowFolder(box.file("Foto"), app), saved);
}

TEST_F(StartFolderTest, AFolderThatIsGoneGivesTheApplicationFolder) {
    const struct {
        QString saved;
        QString opened;
    } cases[] = {
        {box.file("Deleted/"), app},          // removed since it was saved
        {"/media/no-such-volume/Foto/", app}, // its volume is not mounted
        {"", app},                            // an empty PATH value
        {"   ", app},
        {"/", "/"}, // a volume's root is a folder like any other
    };
    for (const auto& c : cases)
        EXPECT_EQ(UsableShowFolder(c.saved, app), c.opened) << c.saved.toStdString();
}

TEST_F(StartFolderTest, AFileIsNotAFolder) {
    testfiles::write(box.file("Foto.jpg"), "x");
    EXPECT_EQ(UsableShowFolder(box.file("Foto.jpg"), app), app);
}

TEST_F(StartFolderTest, EnteringAFolderMakesItCurrentOrFallsBack) {
    EXPECT_EQ(EnterShowFolder(saved, app), saved);
    EXPECT_EQ(QDir::currentPath() + '/', QDir(saved).canonicalPath() + '/');
    EXPECT_EQ(EnterShowFolder(box.file("Deleted"), app), app);
    EXPECT_EQ(QDir::currentPath() + '/', QDir(app).canonicalPath() + '/');
}

} // namespace
