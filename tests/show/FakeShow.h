#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/RandomSource.h"
#include "platform/Yielder.h"
#include "show/ShowView.h"
#include "sound/SoundDevices.h"

#include <deque>
#include <functional>
#include <ostream>
#include <QHash>
#include <QStringList>

// Readable test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Recording stand-ins for the show window and everything the tick calls. Every call lands in
// one shared log, so that tests can check the order across the window, the sound and the yields.
namespace fakeshow {

class Lines : public QStringList {
public:
    Lines() = default;
    Lines(const QStringList& lines) : QStringList(lines) {}
    QStringList starting(const QString& prefix) const {
        QStringList out;
        for (const QString& l : *this)
            if (l.startsWith(prefix))
                out << l;
        return out;
    }
};

inline QString num(double v) {
    return QString::number(v, 'f', 1);
}

// A window of 1024 × 768 pixels (4:3) whose label is 300 twips high and 105 wide a letter.
struct FakeView final : ShowView {
    explicit FakeView(Lines& log) : log(log) {}
    Lines& log;
    TwipsSize window{1024 * 15, 768 * 15};
    bool open = true;
    QHash<QString, TwipsSize> pictures; // the files that decode, by path
    QString labelText;
    double labelLeft = 0, labelTop = 0, pictureLeft = 0, pictureTop = 0;
    TwipsSize pictureSize, requestedDecodeSize, aheadSize;
    bool pictureVisible = true;

    TwipsSize windowSize() const override { return window; }
    TwipsSize screenSize() const override { return window; }
    double labelHeight() const override { return 300; }
    double labelWidth() const override { return labelText.size() * 105.0; }
    void setLabelText(const QString& text) override { log << "label " + (labelText = text); }
    void moveLabel(double left, double top) override {
        labelLeft = left;
        labelTop = top;
        log << "labelAt " + num(left) + "," + num(top);
    }
    void showLabel() override { log << "showLabel"; }
    void hidePicture() override {
        pictureVisible = false;
        log << "hide";
    }
    void showPicture() override {
        pictureVisible = true;
        log << "show";
    }
    std::optional<TwipsSize> loadPicture(const QString& path,
                                         const ShownSizeRule& shownSize) override {
        log << "load " + path;
        if (!pictures.contains(path))
            return std::nullopt;
        requestedDecodeSize = shownSize(pictures[path]);
        return pictures[path];
    }
    void prepareAhead(const QString& path, const ShownSizeRule& shownSize) override {
        log << "ahead " + path;
        if (pictures.contains(path))
            aheadSize = shownSize(pictures[path]);
    }
    void sizePicture(TwipsSize size) override {
        pictureSize = size;
        log << "size " + num(size.width) + "x" + num(size.height);
    }
    void setPictureLeft(double left) override { log << "left " + num(pictureLeft = left); }
    void setPictureTop(double top) override { log << "top " + num(pictureTop = top); }
    void setBackColor(quint32 rgb) override {
        log << QString("back #%1").arg(rgb, 6, 16, QLatin1Char('0'));
    }
    void clsDiag(qint16& code) override {
        log << "effect " + QString::number(code);
        if (code == 0)
            code = 7; // the random choice
    }
    void formLoad() override { log << "formLoad"; }
    bool isShowOpen() const override { return open; }
};

// The message boxes, the sound devices and the event loop. Each yield runs `onYield`, which may
// end the show or deliver another tick; each message runs `whileMessage` (its own event loop).
struct Recorder final : Dialogs, MciSequencer, Mp3Player, CommentSound, Yielder {
    Recorder(Lines& log, FakeView& view) : log(log), view(view) {}
    Lines& log;
    FakeView& view;
    std::function<void(int count)> onYield;
    std::function<void()> whileMessage;
    int yields = 0;
    bool mp3Plays = true;

    void message(const QString& text) override {
        log << "message " + text;
        if (whileMessage)
            whileMessage();
    }
    bool confirm(const QString&) override { return true; }
    QString inputBox(const QString&, const QString&, const QString&, int) override { return {}; }
    bool mciSendString(const QString& command) override {
        log << "mci " + command;
        return true;
    }
    void stop() override { log << "mp3 stop"; }
    bool play(const QString& path) override {
        log << "mp3 play " + path;
        return mp3Plays;
    }
    bool sndPlaySound(const QString& path) override {
        log << "wav " + path;
        return true;
    }
    bool yieldOnce() override {
        log << "yield";
        if (onYield)
            onYield(++yields);
        else
            ++yields;
        return view.open;
    }
};

// Time passes only by yields, 100 ms each; random numbers come from a queue (0.5 when empty).
struct ClockAndRandom final : Clock, RandomSource {
    explicit ClockAndRandom(const Recorder& recorder) : recorder(recorder) {}
    const Recorder& recorder;
    std::deque<double> numbers;
    QList<double> seeds;
    double secondsSinceMidnight() const override { return 43200.5; }
    qint64 monotonicMs() const override { return 100 * qint64(recorder.yields); }
    void reseed(double seed) override { seeds << seed; }
    double next() override {
        const double n = numbers.empty() ? 0.5 : numbers.front();
        if (!numbers.empty())
            numbers.pop_front();
        return n;
    }
};

} // namespace fakeshow
