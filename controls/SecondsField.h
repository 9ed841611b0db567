#pragma once

#include <QLineEdit>

// The seconds field Text1: selects its whole text when it gains the focus, and tells when the
// user leaves it for another control of the same window.
class SecondsField : public QLineEdit {
    Q_OBJECT
public:
    explicit SecondsField(QWidget* parent = nullptr);

Q_SIGNALS:
    // The focus went to another control (not to another window or a popup).
    void left();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
