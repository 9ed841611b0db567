#include "controls/EditableList.h"

#include <QLineEdit>

EditableList::EditableList(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Completion would turn a partly typed text into an entry behind the user's back.
    setCompleter(nullptr);
}

int EditableList::selectedIndex() const {
    return findText(currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void EditableList::selectEntry(int index) {
    if (index < 0 || index >= count()) {
        setCurrentIndex(-1);
        setEditText(QString());
        return;
    }
    setCurrentIndex(index);
    setEditText(itemText(index));
}
