#pragma once

#include <QString>

// One MCI command string of the few the show sends, taken apart:
//   open "<path>" type sequencer alias <alias>
//   close <alias>
//   play <alias>
// Words are separated by blanks (trailing blanks allowed), a path with blanks is quoted (a quote
// inside it doubled: "a ""b"" c" is the path a "b" c), and
// keywords are compared without regard to case, as MCI does. Anything else is Invalid.
struct MciCommand {
    enum class Verb { Invalid, Open, Close, Play };
    Verb verb = Verb::Invalid;
    QString path; // Open only; may be empty ("open \"\" ...")
    QString alias;
};

MciCommand parseMciCommand(const QString& text);
