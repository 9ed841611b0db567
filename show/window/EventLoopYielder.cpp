#include "show/window/EventLoopYielder.h"

#include <QCoreApplication>
#include <QThread>

namespace {
// Short enough that a key or a click is handled at once.
constexpr unsigned long IdleSleepMs = 2;
} // namespace

EventLoopYielder::EventLoopYielder(std::function<bool()> stillOpen,
                                   std::function<bool()> takeRepaintPending)
    : stillOpen_(std::move(stillOpen)), takeRepaintPending_(std::move(takeRepaintPending)) {}

bool EventLoopYielder::yieldOnce() {
    const bool drawing = takeRepaintPending_();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (!drawing && stillOpen_()) {
        QThread::msleep(IdleSleepMs);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return stillOpen_();
}
