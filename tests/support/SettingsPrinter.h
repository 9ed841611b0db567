#pragma once

#include "settings/SettingRules.h"
#include "settings/ShowSettings.h"

#include <ostream>

// Readable failures when two settings records differ.
inline void PrintTo(const ShowSettings& s, std::ostream* out) {
    *out << s.ShowFolder.toStdString();
    for (const SettingRule& rule : SettingRules)
        if (rule.field)
            *out << ' ' << rule.keyText << s.*rule.field;
}
