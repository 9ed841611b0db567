#pragma once

#include <QString>
#include <QStringList>

// The mounted volumes a user takes for drives, as a file manager lists them: the root, the
// volume that holds the home folder, and media mounted under /media, /run/media or /mnt. Runtime,
// system and loop mounts (/run/user/1000, /snap/core/1, /boot/efi) are left out. `mountPoints`
// are the volumes' root paths; the result is sorted, each root once.
QStringList UserDriveRoots(const QStringList& mountPoints, const QString& home);
