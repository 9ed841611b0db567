#include "core/FolderPath.h"

QString WithTrailingSeparator(const QString& path) {
    return path.endsWith(u'/') ? path : path + u'/';
}
