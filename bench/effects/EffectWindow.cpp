#include "EffectWindow.h"

#include "showwindow/BackingPaint.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPaintEvent>

EffectWindow::EffectWindow() {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void EffectWindow::resizeEvent(QResizeEvent*) {
    if (backing.size() != size()) {
        backing = QImage(size(), QImage::Format_RGB32);
        backing.fill(Qt::black);
    }
}

void EffectWindow::paintEvent(QPaintEvent* event) {
    ++paints;
    QPainter painter(this);
    if (!slicedPaint) {
        for (const QRect& r : event->region())
            painter.drawImage(r.topLeft(), backing, r);
        return;
    }
    paintBacking(painter, backing, event->region());
}

void EffectWindow::showPicture(int seed) {
    QPainter p(&backing);
    QLinearGradient g(0, 0, backing.width(), backing.height());
    g.setColorAt(0, QColor::fromHsv((seed * 47) % 360, 200, 230));
    g.setColorAt(1, QColor::fromHsv((seed * 47 + 150) % 360, 220, 120));
    p.fillRect(backing.rect(), g);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 12; ++i) {
        p.setBrush(QColor::fromHsv((seed * 31 + i * 29) % 360, 160, 250, 180));
        const int r = 60 + (i * 37) % 140;
        p.drawEllipse(QPoint((i * 331 + seed * 97) % backing.width(),
                             (i * 199 + seed * 53) % backing.height()),
                      r, r);
    }
    p.end();
    repaint();
}
