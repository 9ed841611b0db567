#include "platform/UserDrives.h"

#include <gtest/gtest.h>

TEST(UserDrives, TheRootTheHomeAndRemovableMediaOnly) {
    const QString home = QStringLiteral("/home/anna");
    const struct {
        QStringList mounted;
        QStringList listed;
    } cases[] = {
        {{"/", "/home", "/media/anna/CHIAVETTA", "/run/user/1000", "/snap/core/1"},
         {"/", "/home", "/media/anna/CHIAVETTA"}},
        {{"/run/media/anna/USB", "/mnt/dati", "/boot/efi", "/", "/home/anna/.cache", "/mediateca",
          "/mnt", "/media"},
         {"/", "/mnt/dati", "/run/media/anna/USB"}},
        // The home on a volume of its own, and a volume listed twice.
        {{"/home/anna", "/", "/home/anna", "/dev/shm"}, {"/", "/home/anna"}},
    };
    for (const auto& [mounted, listed] : cases)
        EXPECT_EQ(UserDriveRoots(mounted, home), listed) << mounted.join(' ').toStdString();
}
