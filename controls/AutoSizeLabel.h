#pragma once

#include <QLabel>
#include <QRect>
#include <QSize>

// A label sized by its caption: it keeps the left and top edges it was placed at and grows with
// its text, never below its placed size, so that a longer text ("255" where "R" stood) shows
// whole. Set the text through this type: QLabel's own setText does not fit the label.
class AutoSizeLabel : public QLabel {
    Q_OBJECT
public:
    explicit AutoSizeLabel(const QString& text, QWidget* parent = nullptr);

    // Places the label; `place`'s size is the least it takes.
    void setPlace(const QRect& place);
    void setText(const QString& text);

protected:
    void changeEvent(QEvent* event) override;

private:
    void fitToText();

    QSize least_;
};
