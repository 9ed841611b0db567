#pragma once

#include <QCursor>
#include <QImage>
#include <QObject>

class QWidget;

// The one mouse pointer for the whole application, as the panel sets it: the pointing hand
// over a link follows the pointer wherever it goes in the program, until the pointer is moved
// over a place that brings the arrow back.
class PointerManager : public QObject {
    Q_OBJECT
public:
    enum class Pointer {
        Default, // each control's own pointer
        Arrow,
        Wait,
        Hand, // the link pointer
    };

    explicit PointerManager(QObject* parent = nullptr);
    ~PointerManager() override;

    // The link pointer's picture: a 32 x 32 two-colour pointing hand (black outline, white
    // inside, the rest transparent), and its hot spot at the tip of the finger.
    static QImage handPicture();
    static constexpr int HotSpotX = 12;
    static constexpr int HotSpotY = 6;
    static QCursor handCursor();

    void setPointer(Pointer pointer);
    Pointer pointer() const { return pointer_; }

    // Moving the mouse over `link` turns the pointer into the hand.
    void linkOver(QWidget* link);
    // Moving the mouse over `place` itself (not over one of its controls) brings the arrow back.
    void arrowOver(QWidget* place);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Pointer pointer_ = Pointer::Default;
    bool overriding_ = false;
    QCursor hand_;
};
