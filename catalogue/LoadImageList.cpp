#include "catalogue/LoadImageList.h"

#include "catalogue/PictureTest.h"
#include "core/FolderPath.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <utility>
#include <vector>

namespace {
constexpr int kMaxFolders = 1000;

// Names in the listing order the program uses everywhere: case-insensitive name order, the
// exact spelling breaking ties so that the order never depends on the file system. Each name
// is case-folded once, so the sort compares plain strings.
void sortLikeListing(QStringList& names) {
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(static_cast<std::size_t>(names.size()));
    for (QString& name : names) {
        QString folded = name.toCaseFolded();
        keyed.emplace_back(std::move(folded), std::move(name));
    }
    std::sort(keyed.begin(), keyed.end());
    names.clear();
    for (auto& [folded, name] : keyed)
        names.append(std::move(name));
}

// Non-hidden entries of `folder` of the given kind that `keep` accepts, in listing order ("."
// and ".." never; hidden ones, whose names start with '.', are left out because QDir::Hidden
// is not asked for). An unreadable folder lists nothing.
template <typename Keep>
QStringList listNames(const QString& folder, QDir::Filters kind, Keep keep) {
    QStringList names;
    QDirIterator it(folder, kind | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        QString name = it.fileName();
        if (keep(name, it.fileInfo()))
            names.append(std::move(name));
    }
    sortLikeListing(names);
    return names;
}

// A picture by its name, and a regular file (or a link to one): QDir::Files still lists a
// link to a named pipe or a device, which would block whoever opens it.
bool isPictureFile(const QString& name, const QFileInfo& info) {
    return isPictureName(name) && info.isFile();
}

} // namespace

int LoadImageList(const QString& showFolder, ImageCatalogue& catalogue, PictureList& list) {
    catalogue.clear();
    list.clear();

    if (showFolder.isEmpty())
        return 0; // no folder chosen: never the root by accident
    const QString base = WithTrailingSeparator(showFolder);

    // The folder itself first, as ".", then its child folders in listing order.
    QStringList folders{QStringLiteral(".")};
    const QStringList children =
        listNames(base, QDir::Dirs, [](const QString&, const QFileInfo&) { return true; });
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
        for (const QString& name : listNames(path, QDir::Files, isPictureFile)) {
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
