#include "controls/PendingPress.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

class PressEater : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        return event->type() == QEvent::MouseButtonPress ||
               event->type() == QEvent::MouseButtonDblClick;
    }
};

} // namespace

void DropPendingMousePress(QWidget* control) {
    if (!control)
        return;
    auto* eater = new PressEater(control);
    control->installEventFilter(eater);
    // The pending press is delivered before the event loop runs again; then the eater goes.
    QTimer::singleShot(0, eater, [control, eater] {
        control->removeEventFilter(eater);
        eater->deleteLater();
    });
}
