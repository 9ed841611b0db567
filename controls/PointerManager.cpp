#include "controls/PointerManager.h"

#include <QApplication>
#include <QBitmap>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace {

constexpr int Side = 32;

// The hand's outline: the index finger pointing up with its tip at the hot spot, three
// folded fingers, the thumb on the left and the cuff below.
bool inHand(int x, int y) {
    struct Span {
        int left, right, top, bottom;
    };
    static constexpr Span parts[] = {
        {11, 13, 6, 6},   {10, 14, 7, 20},  // index finger, rounded tip
        {15, 17, 12, 12}, {14, 18, 13, 20}, // middle
        {19, 21, 13, 13}, {18, 22, 14, 20}, // ring
        {23, 24, 15, 15}, {22, 25, 16, 20}, // little finger
        {8, 25, 19, 26},  {9, 24, 27, 27},  // palm
        {5, 8, 17, 17},   {4, 9, 18, 20},   // thumb
        {5, 10, 21, 21},  {6, 10, 22, 22},  {7, 10, 23, 23}, {10, 23, 28, 30}, // cuff
    };
    for (const Span& s : parts)
        if (x >= s.left && x <= s.right && y >= s.top && y <= s.bottom)
            return true;
    return false;
}

// The creases between the fingers and above the cuff.
bool crease(int x, int y) {
    return (x == 14 && y >= 13 && y <= 19) || (x == 18 && y >= 14 && y <= 19) ||
           (x == 22 && y >= 16 && y <= 19) || (y == 28 && x >= 10 && x <= 23);
}

} // namespace

QImage PointerManager::handPicture() {
    QImage image(Side, Side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
            if (!inHand(x, y))
                continue;
            const bool edge =
                !inHand(x - 1, y) || !inHand(x + 1, y) || !inHand(x, y - 1) || !inHand(x, y + 1);
            image.setPixelColor(x, y, edge || crease(x, y) ? Qt::black : Qt::white);
        }
    return image;
}

QCursor PointerManager::handCursor() {
    // Two colours and a mask, as every platform can show a cursor.
    // Bit 1 is Qt::color1 (black: the outline, and the shown part in the mask), bit 0 is
    // Qt::color0 (white: the inside, and the see-through part). A new one-bit image's colours
    // are the other way round, and QBitmap would invert both pictures to match its own.
    const QImage picture = handPicture();
    const QList<QRgb> bits{QColor(Qt::color0).rgb(), QColor(Qt::color1).rgb()};
    QImage shapeImage(Side, Side, QImage::Format_Mono);
    QImage maskImage(Side, Side, QImage::Format_Mono);
    shapeImage.setColorTable(bits);
    maskImage.setColorTable(bits);
    shapeImage.fill(0);
    maskImage.fill(0);
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
            const QColor c = picture.pixelColor(x, y);
            if (c.alpha() == 0)
                continue;
            maskImage.setPixel(x, y, 1);
            shapeImage.setPixel(x, y, c == Qt::black ? 1 : 0);
        }
    return QCursor(QBitmap::fromImage(shapeImage), QBitmap::fromImage(maskImage), HotSpotX,
                   HotSpotY);
}

PointerManager::PointerManager(QObject* parent) : QObject(parent), hand_(handCursor()) {}

PointerManager::~PointerManager() {
    if (overriding_)
        QApplication::restoreOverrideCursor();
}

void PointerManager::setPointer(Pointer pointer) {
    pointer_ = pointer;
    if (pointer == Pointer::Default) {
        if (overriding_)
            QApplication::restoreOverrideCursor();
        overriding_ = false;
        return;
    }
    const QCursor cursor = pointer == Pointer::Hand   ? hand_
                           : pointer == Pointer::Wait ? QCursor(Qt::WaitCursor)
                                                      : QCursor(Qt::ArrowCursor);
    if (overriding_) {
        QApplication::changeOverrideCursor(cursor);
    } else {
        QApplication::setOverrideCursor(cursor);
        overriding_ = true;
    }
}

void PointerManager::linkOver(QWidget* link) {
    link->setMouseTracking(true);
    link->setProperty("quirelloPointer", QStringLiteral("hand"));
    link->installEventFilter(this);
}

void PointerManager::arrowOver(QWidget* place) {
    place->setMouseTracking(true);
    place->setProperty("quirelloPointer", QStringLiteral("arrow"));
    place->installEventFilter(this);
}

bool PointerManager::eventFilter(QObject* watched, QEvent* event) {
    const QString kind = watched->property("quirelloPointer").toString();
    if (kind.isEmpty())
        return false;
    if (kind == QLatin1String("hand")) {
        if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove)
            setPointer(Pointer::Hand);
        return false;
    }
    if (event->type() == QEvent::MouseMove) {
        // A move over one of its controls reaches the place too when the control does not
        // take it; only the place's own surface brings the arrow back.
        auto* place = static_cast<QWidget*>(watched);
        const auto* move = static_cast<QMouseEvent*>(event);
        if (!place->childAt(move->position().toPoint()))
            setPointer(Pointer::Arrow);
    }
    return false;
}
