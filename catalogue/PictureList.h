#pragma once

#include <QAbstractListModel>
#include <QCollator>
#include <QString>
#include <QStringList>

// The file list List1: the catalogue entries kept sorted, and its order is the show's order.
// Each folder's pictures stay together: the show folder's own ("./") first, then each child
// folder's, folders in the case-insensitive order of their names, the exact name parting two
// that differ only in case or accents; within a folder the file names without regard to case.
// Rename replaces an item in place (no re-sort until the next scan).
class PictureList : public QAbstractListModel {
    Q_OBJECT
public:
    explicit PictureList(QObject* parent = nullptr);

    int count() const { return static_cast<int>(entries_.size()); }
    // The entry at 0-based `row`, or "" past the end.
    QString entry(int row) const;
    const QStringList& entries() const { return entries_; }

    void clear();
    // Replaces the whole list by `entries`, sorting them once (the scan's fast path).
    void setEntries(QStringList entries);
    void replace(int row, const QString& text);
    void remove(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    // -1, 0 or 1 as folder part `a` sorts before, with or after `b`.
    int compareFolders(QStringView a, QStringView b) const;

    QCollator collator_;
    QStringList entries_;
};
