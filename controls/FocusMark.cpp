#include "controls/FocusMark.h"

#include <QPainter>

QColor FocusMarkColour(const QPalette& palette) {
    return palette.color(QPalette::Active, QPalette::Highlight);
}

void PaintFocusMark(QPainter& painter, const QRect& area, const QColor& colour) {
    constexpr int Width = 2;
    painter.save();
    painter.setPen(QPen(colour, Width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(area).adjusted(Width / 2.0, Width / 2.0, -Width / 2.0, -Width / 2.0));
    painter.restore();
}

void FocusScrollBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    PaintFocusMark(painter, rect(), FocusMarkColour(palette()));
}

void FocusRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (!(option.state & QStyle::State_HasFocus) || !(option.state & QStyle::State_Active))
        return;
    PaintFocusMark(*painter, option.rect,
                   option.state & QStyle::State_Selected ? option.palette.color(QPalette::Text)
                                                         : FocusMarkColour(option.palette));
}
