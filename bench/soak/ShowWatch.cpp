#include "ShowWatch.h"

#include "show/ShowTick.h"
#include "showwindow/Form1.h"
#include "startup/AppRecords.h"

#include <QPaintEvent>

bool HookedApplication::notify(QObject* receiver, QEvent* event) {
    const bool outermost = depth_ == 0;
    const bool paint = painting && receiver == painting && event->type() == QEvent::Paint;
    const QRegion area = paint ? static_cast<QPaintEvent*>(event)->region() : QRegion();
    if (outermost && beforeEvent)
        beforeEvent();
    ++depth_;
    const bool done = QApplication::notify(receiver, event);
    --depth_;
    if (paint && painted)
        painted(area);
    if (outermost && afterEvent)
        afterEvent();
    return done;
}

void ShowWatch::Longest::add(double tickMs, const QString& name) {
    if (tickMs > ms) {
        ms = tickMs;
        picture = name;
    }
}

ShowWatch::ShowWatch(const Form1& form, const AppRecords& records, const int& messages)
    : form_(form), records_(records), messages_(messages) {
    clock_.start();
}

void ShowWatch::beforeEvent() {
    eventStartMs_ = nowMs();
    indexBefore_ = records_.show.PictureIndex;
    messagesBefore_ = messages_;
}

void ShowWatch::afterEvent() {
    const bool running = form_.shown().tickRunning;
    // A tick that ended within the event that started it shows only as its step to the next
    // entry.
    if (!inTick_ && (running || records_.show.PictureIndex != indexBefore_)) {
        inTick_ = true;
        ++ticks;
        tickStartMs_ = eventStartMs_;
        tickMessages_ = messagesBefore_;
    }
    if (inTick_ && !running)
        tickEnded();
}

void ShowWatch::tickEnded() {
    inTick_ = false;
    const double ms = nowMs() - tickStartMs_;
    const QString picture = records_.show.CurrentPicture;
    if (messages_ > tickMessages_)
        tickFailing.add(ms, picture);
    else if (!picture.isEmpty())
        tickShowing.add(ms, picture);
    if (ms > SlowTickMs)
        slow[picture] = std::max(slow[picture], ms);
    if (tickDone)
        tickDone();
}

void ShowWatch::painted(const QRegion& area) {
    if (countedTick_ == ticks)
        return;
    const Form1::Shown shown = form_.shown();
    const QString entry = records_.show.CurrentPicture;
    if (!shown.pictureVisible || !area.intersects(shown.picture) || entry.isEmpty() ||
        shown.labelText != LabelTextFor(entry))
        return;
    countedTick_ = ticks;
    ++pictures;
    untilOnScreen.add(nowMs() - tickStartMs_, entry);
    if (pictureShown)
        pictureShown(pictures);
}
