#include "catalogue/PictureList.h"

#include <QHash>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

namespace {
// An entry's folder part and file name, either side of its first separator.
std::pair<QStringView, QStringView> splitEntry(QStringView entry) {
    const qsizetype separator = entry.indexOf(u'/');
    if (separator < 0)
        return {QStringView(), entry};
    return {entry.left(separator), entry.mid(separator + 1)};
}

int sign(int c) {
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
} // namespace

PictureList::PictureList(QObject* parent)
    : QAbstractListModel(parent), collator_(QLocale(QLocale::Italian, QLocale::Italy)) {
    // A fixed locale, so the show's order is the same on every machine whatever its language
    // settings (the "C" locale would even compare by code point, capitals first).
    // Case-insensitive, punctuation significant.
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
    collator_.setIgnorePunctuation(false);
    collator_.setNumericMode(false);
}

QString PictureList::entry(int row) const {
    if (row < 0 || row >= entries_.size())
        return {};
    return entries_.at(row);
}

int PictureList::compareFolders(QStringView a, QStringView b) const {
    if (a == b)
        return 0;
    // The show folder's own pictures first, whatever its child folders are called ("_scarti"
    // and " spazio" sort before "." in the collation).
    const bool ownA = a == u".", ownB = b == u".";
    if (ownA != ownB)
        return ownA ? -1 : 1;
    if (const int c = collator_.compare(a, b); c != 0)
        return sign(c);
    // "Foto" and "foto", "Cafe" and "Café" are equal to the collator: the exact name keeps
    // them apart, so that neither folder's pictures are shuffled into the other's.
    return sign(a.compare(b));
}

void PictureList::clear() {
    if (entries_.isEmpty())
        return;
    beginResetModel();
    entries_.clear();
    endResetModel();
}

void PictureList::setEntries(QStringList entries) {
    // Folders are few: rank them once. Each file name gets one sort key, computed once: far
    // cheaper than comparing with the collator.
    QHash<QStringView, int> folderIndex;
    std::vector<QStringView> folders;
    std::vector<int> folderOf;
    folderOf.reserve(static_cast<std::size_t>(entries.size()));
    for (const QString& entry : std::as_const(entries)) {
        const QStringView folder = splitEntry(entry).first;
        const auto found = folderIndex.constFind(folder);
        if (found != folderIndex.constEnd()) {
            folderOf.push_back(*found);
        } else {
            const int index = static_cast<int>(folders.size());
            folderIndex.insert(folder, index);
            folders.push_back(folder);
            folderOf.push_back(index);
        }
    }
    std::vector<int> byOrder(folders.size());
    std::iota(byOrder.begin(), byOrder.end(), 0);
    std::sort(byOrder.begin(), byOrder.end(), [&](int a, int b) {
        return compareFolders(folders[static_cast<std::size_t>(a)],
                              folders[static_cast<std::size_t>(b)]) < 0;
    });
    std::vector<int> rank(folders.size());
    for (std::size_t r = 0; r < byOrder.size(); ++r)
        rank[static_cast<std::size_t>(byOrder[r])] = static_cast<int>(r);

    struct Key {
        int folderRank;
        QCollatorSortKey file;
        QStringView fileName;
        int index;
    };
    std::vector<Key> keys;
    keys.reserve(static_cast<std::size_t>(entries.size()));
    for (int i = 0; i < entries.size(); ++i) {
        const QStringView file = splitEntry(entries.at(i)).second;
        keys.push_back({rank[static_cast<std::size_t>(folderOf[static_cast<std::size_t>(i)])],
                        collator_.sortKey(file.toString()), file, i});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        if (a.folderRank != b.folderRank)
            return a.folderRank < b.folderRank;
        if (const int c = a.file.compare(b.file); c != 0)
            return c < 0;
        return a.fileName.compare(b.fileName) < 0;
    });
    QStringList sorted;
    sorted.reserve(entries.size());
    for (const Key& k : keys)
        sorted.append(entries.at(k.index));
    beginResetModel();
    entries_ = std::move(sorted);
    endResetModel();
}

void PictureList::replace(int row, const QString& text) {
    if (row < 0 || row >= entries_.size())
        return;
    entries_[row] = text;
    const QModelIndex at = index(row);
    Q_EMIT dataChanged(at, at, {Qt::DisplayRole});
}

void PictureList::remove(int row) {
    if (row < 0 || row >= entries_.size())
        return;
    beginRemoveRows({}, row, row);
    entries_.removeAt(row);
    endRemoveRows();
}

int PictureList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant PictureList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= entries_.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return entries_.at(index.row());
    return {};
}
