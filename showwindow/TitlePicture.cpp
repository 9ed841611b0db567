#include "showwindow/TitlePicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

// One "photograph": a white-bordered print, turned a little, with a small landscape in it.
struct Print {
    QPointF centre;
    double angle;
    QColor sky, ground, sun;
};

void drawPrint(QPainter& p, const Print& print) {
    const QRectF paper(-62, -44, 124, 88);
    const QRectF photo = paper.adjusted(6, 6, -6, -14);
    p.save();
    p.translate(print.centre);
    p.rotate(print.angle);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70)); // shadow
    p.drawRect(paper.translated(3, 4));
    p.setBrush(QColor(250, 248, 240));
    p.drawRect(paper);

    QLinearGradient sky(photo.topLeft(), photo.bottomLeft());
    sky.setColorAt(0, print.sky.lighter(130));
    sky.setColorAt(1, print.sky);
    p.setBrush(sky);
    p.drawRect(photo);

    p.setBrush(print.sun);
    p.drawEllipse(QPointF(photo.right() - 22, photo.top() + 18), 9, 9);

    QPainterPath hills;
    hills.moveTo(photo.left(), photo.bottom());
    hills.lineTo(photo.left(), photo.center().y() + 6);
    hills.quadTo(photo.left() + 30, photo.center().y() - 14, photo.center().x(),
                 photo.center().y() + 4);
    hills.quadTo(photo.right() - 24, photo.center().y() + 16, photo.right(),
                 photo.center().y() - 2);
    hills.lineTo(photo.right(), photo.bottom());
    hills.closeSubpath();
    p.setBrush(print.ground);
    p.drawPath(hills);
    p.restore();
}

} // namespace

QImage TitlePicture(qreal ratio) {
    QImage image(qRound(300 * ratio), qRound(200 * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QRadialGradient table(QPointF(150, 90), 220);
    table.setColorAt(0, QColor(120, 86, 58));
    table.setColorAt(1, QColor(52, 34, 22));
    p.fillRect(QRectF(0, 0, 300, 200), table);

    const Print prints[] = {
        {{82, 62}, -9, QColor(70, 140, 215), QColor(60, 130, 70), QColor(255, 230, 120)},
        {{220, 58}, 7, QColor(240, 150, 80), QColor(120, 70, 110), QColor(255, 245, 200)},
        {{96, 142}, 5, QColor(40, 90, 160), QColor(220, 200, 140), QColor(255, 255, 255)},
        {{210, 140}, -6, QColor(120, 190, 230), QColor(40, 110, 150), QColor(255, 210, 90)},
        {{152, 100}, 2, QColor(30, 40, 90), QColor(20, 60, 40), QColor(240, 240, 255)},
    };
    for (const Print& print : prints)
        drawPrint(p, print);
    return image;
}
