#include "showwindow/ShowLabel.h"

#include <algorithm>
#include <QFontMetrics>
#include <QPainter>

namespace {
int padding(const QFontMetrics& metrics) {
    return metrics.height() / 3;
}
} // namespace

void ShowLabel::setScreenHeight(int pixels) {
    font_ = QFont(QStringLiteral("DejaVu Sans"));
    font_.setStyleHint(QFont::SansSerif);
    font_.setBold(true);
    font_.setPixelSize(std::clamp(pixels / 40, 14, 64));
}

QSize ShowLabel::size() const {
    const QFontMetrics metrics(font_);
    const int pad = padding(metrics);
    const int textWidth = text_.isEmpty() ? 0 : metrics.horizontalAdvance(text_);
    return {textWidth + 2 * pad, metrics.height() + pad};
}

void ShowLabel::paint(QPainter& painter) const {
    if (!visible_ || text_.isEmpty())
        return;
    const QRect box = rect();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 150));
    const double radius = box.height() / 4.0;
    painter.drawRoundedRect(QRectF(box), radius, radius);
    painter.setFont(font_);
    painter.setPen(QColor(255, 255, 255));
    painter.drawText(box, Qt::AlignCenter, text_);
    painter.restore();
}
