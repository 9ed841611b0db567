#include "platform/Clock.h"

#include <QElapsedTimer>
#include <QTime>

namespace {
QElapsedTimer& monotonic() {
    static QElapsedTimer timer; // started once; read-only afterwards
    return timer;
}
} // namespace

SystemClock::SystemClock() {
    if (!monotonic().isValid())
        monotonic().start();
}

double SystemClock::secondsSinceMidnight() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

qint64 SystemClock::monotonicMs() const {
    return monotonic().elapsed();
}
