#pragma once

#include <functional>
#include <map>
#include <QApplication>
#include <QElapsedTimer>
#include <QRegion>
#include <QString>

class Form1;
struct AppRecords;

// The application, calling hooks around the events it delivers: before and after each one the
// loop hands out (not those sent while one is handled), and after each paint of `painting`, with
// the area painted.
class HookedApplication : public QApplication {
public:
    using QApplication::QApplication;
    std::function<void()> beforeEvent;
    std::function<void()> afterEvent;
    const QWidget* painting = nullptr;
    std::function<void(const QRegion&)> painted;

    bool notify(QObject* receiver, QEvent* event) override;

private:
    int depth_ = 0;
};

// Follows the show as its user sees it. A tick runs from the event in which the tick started
// (Timer1's) to the event after which it no longer runs, however many scheduled steps, decode
// waits and messages lie between. A picture counts as shown when the window paints it: the
// picture visible in the painted area, under the label that names the tick's entry (the label
// is set only once the entry's picture is in place, and a picture that fails leaves the old
// label and no picture on screen). At most one picture a tick.
class ShowWatch {
public:
    ShowWatch(const Form1& form, const AppRecords& records, const int& messages);

    void beforeEvent();
    void afterEvent();
    void painted(const QRegion& area);

    // Called with the count of pictures shown, each time one more is on screen.
    std::function<void(int)> pictureShown;
    // Called at the end of each tick.
    std::function<void()> tickDone;

    struct Longest {
        double ms = 0;
        QString picture;
        void add(double tickMs, const QString& name);
    };
    int ticks = 0;
    int pictures = 0;
    Longest tickShowing;            // a tick that showed its picture, from its start to its end
    Longest tickFailing;            // a tick whose picture failed and gave a message
    Longest untilOnScreen;          // from a tick's start to its picture painted
    std::map<QString, double> slow; // the picture of each tick over SlowTickMs
    static constexpr double SlowTickMs = 200;

private:
    double nowMs() const { return double(clock_.nsecsElapsed()) / 1e6; }
    void tickEnded();

    const Form1& form_;
    const AppRecords& records_;
    const int& messages_;
    QElapsedTimer clock_;
    double eventStartMs_ = 0;
    int indexBefore_ = 0;
    int messagesBefore_ = 0;
    bool inTick_ = false;
    double tickStartMs_ = 0;
    int tickMessages_ = 0;
    int countedTick_ = 0; // the tick whose picture was counted last
};
