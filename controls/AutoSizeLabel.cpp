#include "controls/AutoSizeLabel.h"

#include <QEvent>

#include <algorithm>

AutoSizeLabel::AutoSizeLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void AutoSizeLabel::setPlace(const QRect& place) {
    least_ = place.size();
    setGeometry(place);
    fitToText();
}

void AutoSizeLabel::setText(const QString& text) {
    QLabel::setText(text);
    fitToText();
}

void AutoSizeLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToText();
}

void AutoSizeLabel::fitToText() {
    const QSize text = sizeHint();
    resize(std::max(least_.width(), text.width()), std::max(least_.height(), text.height()));
    // Grown past its place, it lies over its neighbours (the colour sample beside the colour
    // values) rather than under them.
    if (width() > least_.width() || height() > least_.height())
        raise();
}
