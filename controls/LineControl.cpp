#include "controls/LineControl.h"

#include <QPainter>

LineControl::LineControl(QWidget* parent, int x1, int x2, int y, const QColor& colour, int width)
    : QWidget(parent), colour_(colour) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(x1, y, x2 - x1 + 1, width);
}

void LineControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
}
