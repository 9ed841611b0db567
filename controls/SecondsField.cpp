#include "controls/SecondsField.h"

#include <QFocusEvent>

SecondsField::SecondsField(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(2);
}

void SecondsField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    selectAll();
}

void SecondsField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Switching to another program or opening a popup is not leaving the field.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        Q_EMIT left();
}
