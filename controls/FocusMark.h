#pragma once

#include <QScrollBar>
#include <QStyledItemDelegate>

class QPainter;

// The panel's mark of the keyboard focus where the style draws none or a faint one: a frame two
// pixels wide drawn inside `area`, in the selection colour (on a selected row, which is that
// colour already, in the text's).
void PaintFocusMark(QPainter& painter, const QRect& area, const QColor& colour);
QColor FocusMarkColour(const QPalette& palette);

// A scroll bar that shows the focus mark round itself while it has the focus.
class FocusScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit FocusScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr)
        : QScrollBar(orientation, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A list's rows as the style draws them, the current row framed by the focus mark while the
// list has the focus (the style's own dotted line is barely seen on a selected row).
class FocusRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
