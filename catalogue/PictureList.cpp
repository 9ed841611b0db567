#include "catalogue/PictureList.h"

#include <QLocale>

#include <algorithm>

PictureList::PictureList(QObject* parent)
    : QAbstractListModel(parent), collator_(QLocale(QLocale::Italian, QLocale::Italy)) {
    // A fixed locale, so the show's order is the same on every machine whatever its language
    // settings (the "C" locale would even compare by code point, capitals first).
    // Case-insensitive, punctuation significant: "./" and "/" sort before digits and letters.
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
    collator_.setIgnorePunctuation(false);
    collator_.setNumericMode(false);
}

QString PictureList::entry(int row) const {
    if (row < 0 || row >= entries_.size())
        return {};
    return entries_.at(row);
}

bool PictureList::lessThan(const QString& a, const QString& b) const {
    const int c = collator_.compare(a, b);
    // Entries equal but for case keep a stable, repeatable order.
    return c != 0 ? c < 0 : a < b;
}

void PictureList::clear() {
    if (entries_.isEmpty())
        return;
    beginResetModel();
    entries_.clear();
    endResetModel();
}

int PictureList::add(const QString& entry) {
    const auto at =
        std::upper_bound(entries_.begin(), entries_.end(), entry,
                         [this](const QString& a, const QString& b) { return lessThan(a, b); });
    const int row = static_cast<int>(at - entries_.begin());
    beginInsertRows({}, row, row);
    entries_.insert(row, entry);
    endInsertRows();
    return row;
}

void PictureList::setEntries(QStringList entries) {
    // One sort key per entry, computed once: far cheaper than comparing with the collator.
    std::vector<std::pair<QCollatorSortKey, int>> keys;
    keys.reserve(static_cast<std::size_t>(entries.size()));
    for (int i = 0; i < entries.size(); ++i)
        keys.emplace_back(collator_.sortKey(entries.at(i)), i);
    std::stable_sort(keys.begin(), keys.end(), [&entries](const auto& a, const auto& b) {
        const int c = a.first.compare(b.first);
        return c != 0 ? c < 0 : entries.at(a.second) < entries.at(b.second);
    });
    QStringList sorted;
    sorted.reserve(entries.size());
    for (const auto& k : keys)
        sorted.append(entries.at(k.second));
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
