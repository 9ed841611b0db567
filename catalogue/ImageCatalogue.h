#pragma once

#include <QString>
#include <vector>

// The entries of the last scan in scan order: slots 1..MaxSlots (slot 0 unused), and the count
// of every picture found (also those beyond the last slot). The show only asks whether slot 1
// is filled.
struct ImageCatalogue {
    static constexpr int MaxSlots = 9999;

    std::vector<QString> slots = std::vector<QString>(MaxSlots + 1);
    int count = 0;

    const QString& slot(int i) const { return slots.at(static_cast<std::size_t>(i)); }
    bool isEmpty() const { return slots[1].isEmpty(); }
    void clear() {
        for (QString& s : slots)
            s.clear();
        count = 0;
    }
};
