#pragma once

#include <QColor>
#include <QWidget>

// A horizontal line drawn on the panel, as part of an etched separator. It takes no mouse
// events: the panel under it gets them.
class LineControl : public QWidget {
    Q_OBJECT
public:
    // A line from (x1, y) to (x2, y) in the parent's pixels, `width` pixels thick downwards.
    LineControl(QWidget* parent, int x1, int x2, int y, const QColor& colour, int width = 1);

    QColor colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};
