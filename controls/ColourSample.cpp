#include "controls/ColourSample.h"

#include "controls/FocusMark.h"
#include "core/Rounding.h"
#include "platform/RandomSource.h"

#include <QPainter>

ColourSample::ColourSample(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(false);
}

void ColourSample::setColor(const QColor& color) {
    color_ = color;
    update();
}

QColor ColourSample::fromColourValue(qint64 value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

void ColourSample::drawStripes(RandomSource& random) {
    const QRect inner = contentsRect();
    if (drawing_.size() != inner.size())
        clearDrawing();
    const int w = width();
    QPainter p(&drawing_);
    for (int y = 1; y <= w; ++y) {
        constexpr double Range = 255.0 * 255.0 * 255.0;
        p.setPen(QPen(fromColourValue(RoundHalfEven(random.next() * Range)), 1));
        p.drawLine(0, y, w, y);
    }
    p.end();
    update();
}

void ColourSample::clearDrawing() {
    drawing_ =
        QImage(contentsRect().size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    drawing_.fill(Qt::transparent);
    update();
}

void ColourSample::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    if (drawing_.size() != contentsRect().size())
        clearDrawing();
}

void ColourSample::paintEvent(QPaintEvent* event) {
    {
        QPainter p(this);
        const QRect inner = contentsRect();
        p.fillRect(inner, color_);
        if (!drawing_.isNull())
            p.drawImage(inner.topLeft(), drawing_);
    }
    QFrame::paintEvent(event);
    // On the sunken edge, so that it shows whatever the colour inside.
    if (hasFocus()) {
        QPainter p(this);
        PaintFocusMark(p, rect(), FocusMarkColour(palette()));
    }
}
