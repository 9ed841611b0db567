#include "catalogue/LoadImageList.h"

#include "catalogue/PictureTest.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

namespace {
constexpr int kMaxFolders = 1000;

// Names in the listing order the program uses everywhere: case-insensitive name order, the
// exact spelling breaking ties so that the order never depends on the file system.
void sortLikeListing(QStringList& names) {
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

// Non-hidden entries of `folder` of the given kind ("." and ".." never; hidden ones, whose
// names start with '.', are left out because QDir::Hidden is not asked for). An unreadable
// folder lists nothing.
QStringList listNames(const QString& folder, QDir::Filters kind) {
    QStringList names;
    QDirIterator it(folder, kind | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    sortLikeListing(names);
    return names;
}
} // namespace

int LoadImageList(const QString& showFolder, ImageCatalogue& catalogue, PictureList& list) {
    catalogue.clear();
    list.clear();

    QString base = showFolder;
    if (!base.endsWith(u'/'))
        base += u'/';

    // The folder itself first, as ".", then its child folders in listing order.
    QStringList folders{QStringLiteral(".")};
    const QStringList children = listNames(base, QDir::Dirs);
    for (const QString& child : children) {
        if (folders.size() >= kMaxFolders)
            break;
        folders.append(child);
    }

    QStringList listed;
    int found = 0;
    for (const QString& folder : folders) {
        const QString path = folder == u"." ? base : base + folder;
        const QString prefix = folder + u'/';
        for (const QString& name : listNames(path, QDir::Files)) {
            if (!isPictureName(name))
                continue;
            ++found;
            if (found <= ImageCatalogue::MaxSlots) {
                QString entry = prefix + name;
                catalogue.slots[static_cast<std::size_t>(found)] = entry;
                listed.append(std::move(entry));
            }
        }
    }
    catalogue.count = found;
    list.setEntries(std::move(listed));
    return found;
}
