#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// The command line's argument text: everything after the program's own name, the arguments
// joined by single blanks ("" when there are none).
QString ArgumentText(const QStringList& arguments);

// True when the whole argument text, upper-cased, is "/RUN" or "RUN": the show then starts at
// once, before the panel is shown. Any other text is ignored.
bool AsksForImmediateShow(const QString& argumentText);

// A folder or a picture named on the command line ("Open with" from a file manager): the panel
// opens on `folder`, with the file `picture` of that folder selected when one was named. Both
// are empty when the command line names neither.
struct OpenRequest {
    QString folder;  // absolute, without a trailing separator
    QString picture; // a file name in `folder`, or empty
};

// The single argument after the program's name, when it is not /RUN and names an existing
// folder, or an existing file that passes the scan's picture test. A relative name is taken
// from `currentFolder`, the folder the program was started in. Anything else names nothing.
OpenRequest OpenRequestOf(const QStringList& arguments, const QString& currentFolder);

// What "--help" or "--version", as the single argument, print before the program ends;
// nothing for any other command line. Needs no display.
std::optional<QString> ConsoleAnswer(const QStringList& arguments);
