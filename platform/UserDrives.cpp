#include "platform/UserDrives.h"

#include <algorithm>

namespace {

// True when `path` is `folder` or lies below it.
bool within(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + u'/');
}

bool isUserDrive(const QString& root, const QString& home) {
    if (root == QLatin1String("/") || within(home, root))
        return true;
    for (const QLatin1String media :
         {QLatin1String("/media"), QLatin1String("/run/media"), QLatin1String("/mnt")})
        if (root.startsWith(media + u'/'))
            return true;
    return false;
}

} // namespace

QStringList UserDriveRoots(const QStringList& mountPoints, const QString& home) {
    QStringList roots;
    for (const QString& root : mountPoints)
        if (isUserDrive(root, home) && !roots.contains(root))
            roots.append(root);
    std::sort(roots.begin(), roots.end());
    return roots;
}
