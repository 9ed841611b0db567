#include "platform/UserDrives.h"
#include "support/Rows.h"

#include <gtest/gtest.h>

// What is mounted, what is listed, for a user whose home is /home/anna.
const std::pair<QStringList, QStringList> mounts[] = {
    {{"/", "/home", "/media/anna/CHIAVETTA", "/run/user/1000", "/snap/core/1"},
     {"/", "/home", "/media/anna/CHIAVETTA"}},
    {{"/run/media/anna/USB", "/mnt/dati", "/boot/efi", "/", "/home/anna/.cache", "/mediateca",
      "/mnt", "/media"},
     {"/", "/mnt/dati", "/run/media/anna/USB"}},
    // The home on a volume of its own, and a volume listed twice.
    {{"/home/anna", "/", "/home/anna", "/dev/shm"}, {"/", "/home/anna"}},
};
TABLE_TEST(UserDrives, TheRootTheHomeAndRemovableMediaOnly, mounts) {
    EXPECT_EQ(UserDriveRoots(GetParam().first, QStringLiteral("/home/anna")), GetParam().second);
}
