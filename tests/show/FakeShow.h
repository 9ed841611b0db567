#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/RandomSource.h"
#include "platform/Yielder.h"
#include "show/ShowView.h"
#include "sound/SoundDevices.h"

#include <deque>
#include <functional>
#include <QHash>
#include <QString>
#include <QStringList>

// Recording stand-ins for the show window and everything the tick calls. Every call lands in
// one shared log, so that tests can check the order across the window, the sound and the yields.
namespace fakeshow {

// Logged lines, with a filter on their beginning.
class Lines : public QStringList {
public:
    Lines() = default;
    Lines(const QStringList& lines) : QStringList(lines) {}
    // The lines that start with `prefix`.
    QStringList starting(const QString& prefix) const {
        QStringList out;
        for (const QString& l : *this)
            if (l.startsWith(prefix))
                out << l;
        return out;
    }
};

struct Log {
    Lines lines;
    void add(const QString& line) { lines << line; }
    QStringList starting(const QString& prefix) const { return lines.starting(prefix); }
};

inline QString num(double v) {
    return QString::number(v, 'f', 1);
}

// A window of 1024 × 768 pixels (4:3) whose label is 20 pixels high and 7 pixels wide a letter.
class FakeView final : public ShowView {
public:
    explicit FakeView(Log& log) : log_(log) {}

    TwipsSize window{1024 * 15, 768 * 15};
    TwipsSize screen{1024 * 15, 768 * 15};
    double labelH = 300;
    bool open = true;
    // Natural sizes (twips) of the files that decode, by path; any other file fails.
    QHash<QString, TwipsSize> pictures;
    qint16 effectChoice = 7; // what a random effect writes back
    std::function<void()> onFormLoad;

    // What the view holds now.
    QString labelText;
    double labelLeft = 0, labelTop = 0, pictureLeft = 0, pictureTop = 0;
    TwipsSize pictureSize;
    TwipsSize requestedDecodeSize;
    bool pictureVisible = true;
    quint32 backColor = 0;

    TwipsSize windowSize() const override { return window; }
    TwipsSize screenSize() const override { return screen; }
    double labelHeight() const override { return labelH; }
    double labelWidth() const override { return labelText.size() * 105.0; }
    void setLabelText(const QString& text) override {
        labelText = text;
        log_.add("label " + text);
    }
    void moveLabel(double left, double top) override {
        labelLeft = left;
        labelTop = top;
        log_.add("labelAt " + num(left) + "," + num(top));
    }
    void showLabel() override { log_.add("showLabel"); }
    void hidePicture() override {
        pictureVisible = false;
        log_.add("hide");
    }
    void showPicture() override {
        pictureVisible = true;
        log_.add("show");
    }
    std::optional<TwipsSize> loadPicture(const QString& path,
                                         const ShownSizeRule& shownSize) override {
        log_.add("load " + path);
        const auto it = pictures.constFind(path);
        if (it == pictures.cend())
            return std::nullopt;
        requestedDecodeSize = shownSize(*it);
        return *it;
    }
    void sizePicture(TwipsSize size) override {
        pictureSize = size;
        log_.add("size " + num(size.width) + "x" + num(size.height));
    }
    void setPictureLeft(double left) override {
        pictureLeft = left;
        log_.add("left " + num(left));
    }
    void setPictureTop(double top) override {
        pictureTop = top;
        log_.add("top " + num(top));
    }
    void setBackColor(quint32 rgb) override {
        backColor = rgb;
        log_.add(QString("back #%1").arg(rgb, 6, 16, QLatin1Char('0')));
    }
    void clsDiag(qint16& code) override {
        log_.add("effect " + QString::number(code));
        if (code == 0)
            code = effectChoice;
    }
    void formLoad() override {
        log_.add("formLoad");
        if (onFormLoad)
            onFormLoad();
    }
    bool isShowOpen() const override { return open; }

private:
    Log& log_;
};

class FakeDialogs final : public Dialogs {
public:
    explicit FakeDialogs(Log& log) : log_(log) {}
    std::function<void()> whileShown; // runs while the message is up (a nested event loop)
    void message(const QString& text) override {
        log_.add("message " + text);
        if (whileShown)
            whileShown();
    }
    bool confirm(const QString&) override { return true; }
    QString inputBox(const QString&, const QString&, const QString&, int) override { return {}; }

private:
    Log& log_;
};

// Each yield logs "yield" and runs `onYield`, which may end the show (returns false) or deliver
// another tick.
class FakeYielder final : public Yielder {
public:
    FakeYielder(Log& log, FakeView& view) : log_(log), view_(view) {}
    std::function<void(int count)> onYield;
    int count = 0;
    bool yieldOnce() override {
        ++count;
        log_.add("yield");
        if (onYield)
            onYield(count);
        return view_.open;
    }

private:
    Log& log_;
    FakeView& view_;
};

// Time passes only by yields: each one is 100 ms later.
class FakeClock final : public Clock {
public:
    explicit FakeClock(const FakeYielder& yielder) : yielder_(yielder) {}
    double seconds = 43200.5;
    double secondsSinceMidnight() const override { return seconds; }
    qint64 monotonicMs() const override { return 100 * qint64(yielder_.count); }

private:
    const FakeYielder& yielder_;
};

class FakeRandom final : public RandomSource {
public:
    std::deque<double> numbers;
    QList<double> seeds;
    void reseed(double seed) override { seeds << seed; }
    double next() override {
        if (numbers.empty())
            return 0.5;
        const double n = numbers.front();
        numbers.pop_front();
        return n;
    }
};

class FakeMci final : public MciSequencer {
public:
    explicit FakeMci(Log& log) : log_(log) {}
    bool mciSendString(const QString& command) override {
        log_.add("mci " + command);
        return true;
    }

private:
    Log& log_;
};

class FakeMp3 final : public Mp3Player {
public:
    explicit FakeMp3(Log& log) : log_(log) {}
    bool playSucceeds = true;
    void stop() override { log_.add("mp3 stop"); }
    bool play(const QString& path) override {
        log_.add("mp3 play " + path);
        return playSucceeds;
    }

private:
    Log& log_;
};

class FakeComment final : public CommentSound {
public:
    explicit FakeComment(Log& log) : log_(log) {}
    bool sndPlaySound(const QString& path) override {
        log_.add("wav " + path);
        return true;
    }

private:
    Log& log_;
};

} // namespace fakeshow
