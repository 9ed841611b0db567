#include "startup/AppFolder.h"

#include "core/FolderPath.h"

#include <QDir>

QString AppFolderOf(const QString& executableFolder) {
    return WithTrailingSeparator(QDir::cleanPath(QDir::fromNativeSeparators(executableFolder)));
}
