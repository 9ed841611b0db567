#include "controls/DriveListBox.h"

#include "core/FolderPath.h"
#include "platform/UserDrives.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {
// True when `root` is `path` itself or one of its ancestors.
bool holds(const QString& root, const QString& path) {
    return path == root || path.startsWith(WithTrailingSeparator(root));
}
} // namespace

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent) {
    fill(mountedRoots());
    setDriveOf(QDir::currentPath()); // beside the folder list, which starts there too
    connect(this, &QComboBox::activated, this, [this](int index) {
        const QString root = itemText(index);
        if (root != chosen_) {
            chosen_ = root;
            Q_EMIT changed(root);
        }
    });
}

QStringList DriveListBox::mountedRoots() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            roots.append(volume.rootPath());
    }
    return UserDriveRoots(roots, QDir::homePath());
}

void DriveListBox::fill(const QStringList& roots) {
    const QString selected = currentText();
    clear();
    addItems(roots);
    setCurrentIndex(findText(selected));
}

void DriveListBox::setDriveOf(const QString& folder) {
    QString path = QFileInfo(folder).canonicalFilePath();
    if (path.isEmpty())
        path = QFileInfo(folder).absoluteFilePath();
    int best = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemText(i);
        if (holds(root, path) && (best < 0 || root.size() > itemText(best).size()))
            best = i;
    }
    setCurrentIndex(best);
    chosen_ = currentText();
}

void DriveListBox::showPopup() {
    fill(mountedRoots());
    QComboBox::showPopup();
}
