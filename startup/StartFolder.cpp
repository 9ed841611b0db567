#include "startup/StartFolder.h"

#include "core/FolderPath.h"

#include <QDir>
#include <QFileInfo>

QString UsableShowFolder(const QString& showFolder, const QString& appFolder) {
    if (showFolder.trimmed().isEmpty())
        return WithTrailingSeparator(appFolder);
    const QFileInfo info(showFolder);
    if (!info.isDir() || !info.isExecutable())
        return WithTrailingSeparator(appFolder);
    return WithTrailingSeparator(showFolder);
}

QString EnterShowFolder(const QString& folder, const QString& appFolder) {
    QString usable = UsableShowFolder(folder, appFolder);
    if (QDir::setCurrent(usable))
        return usable;
    QString app = WithTrailingSeparator(appFolder);
    QDir::setCurrent(app);
    return app;
}
