#pragma once

#include "show/ShowTick.h"
#include "show/ShowView.h"
#include "show/StepScheduler.h"
#include "startup/AppRecords.h"
#include "support/Fakes.h"
#include "support/FakeSound.h"
#include "support/TestFiles.h"

#include <functional>
#include <QHash>
#include <QRegularExpression>
#include <utility>

inline QString num(double v) {
    return QString::number(v, 'f', 1);
}

// The event loop between the tick's steps: each step boundary notes "yield" (a zero-time
// step) or "wait N", moves the clock on by `stepMs` or by the wait, and runs `onYield` with its
// number, which may end the show or tick again, before the step runs.
struct ScriptedSteps final : StepScheduler {
    ScriptedSteps(QStringList& out, fakes::FixedClock& moved, qint64 step)
        : log(out), clock(moved), stepMs(step) {}
    QStringList& log;
    fakes::FixedClock& clock;
    qint64 stepMs;
    int yields = 0;
    std::function<void(int count)> onYield = [](int) {};
    std::function<void()> pending;

    void after(int delayMs, std::function<void()> step) override {
        pending = std::move(step);
        log << (delayMs == 0 ? QStringLiteral("yield") : "wait " + QString::number(delayMs));
        clock.now += delayMs == 0 ? stepMs : delayMs;
        onYield(++yields);
    }
    void hasten() override { log << "hasten"; }
    void cancel() override { pending = {}; }
    // Runs the pending steps until none is left.
    void runAll() {
        while (pending)
            std::exchange(pending, {})();
    }
};

inline QStringList starting(const QStringList& lines, const QString& prefix) {
    return lines.filter(QRegularExpression("^" + prefix));
}

// One show over a recording stand-in for the window and the shared fakes for everything else the
// tick calls: every call lands in one log, so that tests can check the order across the window,
// the sound, the messages and the pauses. The window is 1024 × 768 pixels (4:3), its label 300
// twips high and 105 wide a letter. Time passes only at pauses: 100 ms at each yield, a wait its
// own length. Settings: a sandbox
// show folder, the label at the top, a fixed black background, speed 10, effect 0, pictures not
// enlarged, music and comments off.
struct ShowFixture final : ShowView {
    QStringList log;
    QHash<QString, TwipsSize> pictures; // the files that decode, by path
    QHash<QString, int> decoding;       // how many looks a file takes to be at hand, by path
    QString labelText;
    double labelLeft = 0, labelTop = 0, pictureLeft = 0, pictureTop = 0;
    TwipsSize pictureSize, decodeSize, aheadSize;
    fakes::ScriptedDialogs dialogs{&log};
    fakes::RecordingSound sound{log};
    fakes::FixedClock clock;
    ScriptedSteps steps{log, clock, 100}; // its onYield may end the show or tick again
    fakes::ScriptedRandom random;
    testfiles::Sandbox folder;
    AppRecords records;
    ShowTick tick{records.forTick(), *this,
                  TickServices{dialogs, sound.devices, steps, clock, random}};

    ShowFixture() {
        ShowSettings& s = records.settings;
        s.ShowFolder = folder.path() + "/";
        s.Effetti = 10;
        records.ShowRunning = true;
    }

    // Lists `entries`; all decode at `size` twips except those in `broken`.
    void setPictures(const QStringList& entries, const QStringList& broken = {},
                     TwipsSize size = {1200 * 15, 800 * 15}) {
        records.catalogue.clear();
        for (int i = 0; i < entries.size(); ++i)
            records.catalogue.slots[i + 1] = entries[i];
        records.list.setEntries(entries);
        pictures.clear();
        for (const QString& e : entries)
            if (!broken.contains(e))
                pictures.insert(records.settings.ShowFolder + e, size);
    }

    // Runs one tick to its end and returns what it logged.
    QStringList runTick() {
        const qsizetype before = log.size();
        tick.Timer1_Timer();
        steps.runAll();
        return log.mid(before);
    }

    // The entries in a tick's `verb` lines ("load ", "ahead "), joined by commas.
    QString entries(const QStringList& lines, const QString& verb) const {
        return starting(lines, verb)
            .replaceInStrings(verb + records.settings.ShowFolder, "")
            .join(',');
    }

    bool pictureVisible() const { return log.lastIndexOf("show") > log.lastIndexOf("hide"); }

    // What Fine leaves behind for the next show; `endedAt` marks the log where it happened.
    qsizetype endedAt = -1;
    void endShowLikeFine() {
        endedAt = log.size();
        tick.stop();
        records.show.PictureIndex = 0;
        records.show.MusicRestart = true;
    }

    TwipsSize windowSize() const override { return {1024 * 15, 768 * 15}; }
    TwipsSize screenSize() const override { return windowSize(); }
    double labelHeight() const override { return 300; }
    double labelWidth() const override { return labelText.size() * 105.0; }
    void setLabelText(const QString& text) override { log << "label " + (labelText = text); }
    void moveLabel(double left, double top) override {
        log << "labelAt " + num(labelLeft = left) + "," + num(labelTop = top);
    }
    void showLabel() override { log << "showLabel"; }
    void hidePicture() override { log << "hide"; }
    void showPicture() override { log << "show"; }
    bool pictureAtHand(const QString& path, const ShownSizeRule&) override {
        int& looks = decoding[path];
        return looks-- <= 0;
    }
    std::optional<TwipsSize> loadPicture(const QString& path,
                                         const ShownSizeRule& shownSize) override {
        log << "load " + path;
        if (!pictures.contains(path))
            return std::nullopt;
        decodeSize = shownSize(pictures[path]);
        return pictures[path];
    }
    void prepareAhead(const QString& path, const ShownSizeRule& shownSize) override {
        log << "ahead " + path;
        aheadSize = shownSize(pictures.value(path));
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
        code = code == 0 ? 7 : code; // the random choice
    }
    void formLoad() override { log << "formLoad"; }
};
