#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "platform/RandomSource.h"
#include "support/Rows.h"

#include <functional>
#include <QStringList>
#include <vector>

// Stand-ins for the platform's interfaces, shared by every test program. Those given a log note
// each call there, so that a test sees the order across several of them.
namespace fakes {

// Records every command line it is asked to run and its window style; `starts` says whether the
// process "started".
struct RecordingLauncher final : Launcher {
    bool starts = true;
    QStringList commandLines;
    QList<WindowStyle> styles;

    bool run(const QString& commandLine, WindowStyle style) override {
        commandLines << commandLine;
        styles << style;
        return starts;
    }
    void clear() {
        commandLines.clear();
        styles.clear();
    }
};

// Answers the dialogs from a script and records what they showed; `whileMessage` runs while a
// message is open. Each answers at once, unless `holdAnswers`: the answer then waits in `held`
// until the test calls answer(), as a box open on screen waits for the user.
class ScriptedDialogs final : public Dialogs {
public:
    explicit ScriptedDialogs(QStringList* log = nullptr) : log_(log) {}
    bool confirmAnswer = true;
    QString inputAnswer;
    QStringList messages;
    QStringList questions;
    std::vector<QStringList> inputs; // prompt, title, initial text
    std::function<void()> whileMessage = [] {};
    bool holdAnswers = false;
    std::vector<std::function<void()>> held;

    void message(const QString& text, std::function<void()> closed) override {
        messages.append(text);
        if (log_)
            *log_ << "message " + text;
        whileMessage();
        reply([closed = std::move(closed)] {
            if (closed)
                closed();
        });
    }
    void confirm(const QString& text, std::function<void(bool ok)> answered) override {
        questions.append(text);
        reply([answered = std::move(answered), ok = confirmAnswer] { answered(ok); });
    }
    void inputBox(const QString& prompt, const QString& title, const QString& initial, int,
                  std::function<void(const QString& typed)> answered) override {
        inputs.push_back({prompt, title, initial});
        reply([answered = std::move(answered), typed = inputAnswer] { answered(typed); });
    }
    // Gives the oldest held answer.
    void answer() {
        std::function<void()> first = std::move(held.front());
        held.erase(held.begin());
        first();
    }

private:
    void reply(std::function<void()> answer) {
        if (holdAnswers)
            held.push_back(std::move(answer));
        else
            answer();
    }

    QStringList* log_;
};

// Always noon and a half second: re-seeding from it must still not repeat the last pick. The
// monotonic clock moves only when a test (or the show's scripted steps) moves `now`.
struct FixedClock final : Clock {
    qint64 now = 0;
    double secondsSinceMidnight() const override { return 43200.5; }
    qint64 monotonicMs() const override { return now; }
};

// Gives `numbers` first, then those of a real generator; counts them and records every seed.
struct ScriptedRandom final : RandomSource {
    explicit ScriptedRandom(QList<double> first = {}, std::uint64_t seed = 1)
        : numbers(std::move(first)), rest(seed) {}
    QList<double> numbers;
    QList<double> seeds;
    int drawn = 0;
    UniformRandom rest;

    void reseed(double seed) override {
        seeds << seed;
        rest.reseed(seed);
    }
    double next() override {
        ++drawn;
        return numbers.isEmpty() ? rest.next() : numbers.takeFirst();
    }
};

} // namespace fakes
