#pragma once

#include <QComboBox>

// A drop-down list whose text can also be typed into (Combo1, Combo2). The selected entry is
// the entry whose text is exactly the text shown: a typed text that matches no entry leaves
// no entry selected.
class EditableList : public QComboBox {
    Q_OBJECT
public:
    explicit EditableList(QWidget* parent = nullptr);

    // The index of the selected entry, or -1.
    int selectedIndex() const;
    // Selects entry `index`; -1 (or an index outside the list) selects none and empties the text.
    void selectEntry(int index);
};
