#pragma once

#include <QLoggingCategory>

// The program's log, one category a concern, all named quirello.*: warnings and information
// are written to standard error, debug only when QT_LOGGING_RULES asks for it
// ("quirello.decode.debug=true", or "quirello.*.debug=true" for all).
Q_DECLARE_LOGGING_CATEGORY(logDecode) // pictures: the helpers and what each picture came to
Q_DECLARE_LOGGING_CATEGORY(logSound)  // the sound device, the sound processes, the soundfont
Q_DECLARE_LOGGING_CATEGORY(logShow)   // the show window: each picture it shows
Q_DECLARE_LOGGING_CATEGORY(logStart)  // start-up: the one running program's socket
