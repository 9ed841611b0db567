// Only documents are opened: whatever the name, a file of the kernel's own file systems, a
// pipe or a folder counts as absent, and nothing of it is handed to anybody.
#include "core/RegularFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

TEST(RegularFile, opensOnlyDocuments) {
    testfiles::Sandbox box;
    testfiles::write(box.file("foto.jpg"), "picture bytes");
    ASSERT_TRUE(QFile::link(box.file("foto.jpg"), box.file("collegamento.jpg")));
    ASSERT_TRUE(QDir().mkpath(box.file("cartella.jpg")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(box.file("tubo.wav")).constData(), 0600), 0);
    const struct {
        const char* what;
        QString target; // linked to as a picture, music or settings name
        bool opened;
    } cases[] = {
        {"a file", box.file("foto.jpg"), true},
        {"a link to a file", box.file("collegamento.jpg"), true},
        {"the program's memory", "/proc/self/mem", false},
        {"the program's memory map", "/proc/self/maps", false},
        {"a file of /sys", "/sys/kernel/uevent_seqnum", false},
        {"a folder", box.file("cartella.jpg"), false},
        {"a named pipe", box.file("tubo.wav"), false},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString name = box.file(QStringLiteral("nome%1.jpg").arg(++n));
        ASSERT_TRUE(QFile::link(c.target, name));
        RegularFile file(name);
        EXPECT_EQ(file.isOpen(), c.opened);
        EXPECT_EQ(file.readAll(1 << 20).has_value(), c.opened);
        EXPECT_EQ(::close(file.release()) == 0, c.opened);
    }
}
