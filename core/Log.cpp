#include "core/Log.h"

Q_LOGGING_CATEGORY(logDecode, "quirello.decode", QtInfoMsg)
Q_LOGGING_CATEGORY(logSound, "quirello.sound", QtInfoMsg)
Q_LOGGING_CATEGORY(logShow, "quirello.show", QtInfoMsg)
Q_LOGGING_CATEGORY(logStart, "quirello.start", QtInfoMsg)
