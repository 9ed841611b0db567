#pragma once

#include <QString>
#include <QStringList>

// The command line's argument text: everything after the program's own name, the arguments
// joined by single blanks ("" when there are none).
QString ArgumentText(const QStringList& arguments);

// True when the whole argument text, upper-cased, is "/RUN" or "RUN": the show then starts at
// once, before the panel is shown. Any other text is ignored.
bool AsksForImmediateShow(const QString& argumentText);
