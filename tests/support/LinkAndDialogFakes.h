#pragma once

#include "platform/Dialogs.h"
#include "platform/Launcher.h"

#include <ostream>
#include <QString>
#include <QStringList>
#include <vector>

// Readable texts in the failures of the tests that use these fakes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace fakes {

// Records every command line it is asked to run; `starts` says whether the process "started".
class RecordingLauncher final : public Launcher {
public:
    struct Run {
        QString commandLine;
        WindowStyle style;
    };
    bool starts = true;
    std::vector<Run> runs;

    bool run(const QString& commandLine, WindowStyle style) override {
        runs.push_back({commandLine, style});
        return starts;
    }
    QStringList commandLines() const {
        QStringList out;
        for (const Run& r : runs)
            out.append(r.commandLine);
        return out;
    }
};

// Answers the dialogs from a script and records what they showed.
class ScriptedDialogs final : public Dialogs {
public:
    bool confirmAnswer = true;
    QString inputAnswer;
    QStringList messages;
    QStringList questions;
    struct Input {
        QString prompt, title, initial;
        int left;
    };
    std::vector<Input> inputs;

    void message(const QString& text) override { messages.append(text); }
    bool confirm(const QString& text) override {
        questions.append(text);
        return confirmAnswer;
    }
    QString inputBox(const QString& prompt, const QString& title, const QString& initial,
                     int left) override {
        inputs.push_back({prompt, title, initial, left});
        return inputAnswer;
    }
};

} // namespace fakes
