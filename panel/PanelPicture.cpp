#include "panel/PanelPicture.h"

#include <QFileInfo>

QPixmap PanelPicture(const QString& file, qreal deviceRatio) {
    if (deviceRatio > 1) {
        const QFileInfo info(file);
        const QString twice =
            info.path() + u'/' + info.completeBaseName() + QStringLiteral("@2x.") + info.suffix();
        QPixmap sharp(twice);
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2);
            return sharp;
        }
    }
    return QPixmap(file);
}

QIcon WindowIcon(const QString& appFolder, const QString& fallback) {
    QIcon icon;
    for (int size : WindowIconSizes) {
        const QString file = appFolder + QStringLiteral("icons/quirello-%1.png").arg(size);
        if (QFileInfo::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    return icon.isNull() ? QIcon(fallback) : icon;
}
