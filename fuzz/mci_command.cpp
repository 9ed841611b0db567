// MCI command strings as the sequencer interprets them.
#include "audio/MciCommand.h"

#include <cstdint>

namespace {

// The command written back in its plain form.
QString written(const MciCommand& c) {
    switch (c.verb) {
    case MciCommand::Verb::Open:
        return QStringLiteral("open \"%1\" type sequencer alias %2").arg(c.path, c.alias);
    case MciCommand::Verb::Close:
        return QStringLiteral("close ") + c.alias;
    case MciCommand::Verb::Play:
        return QStringLiteral("play ") + c.alias;
    case MciCommand::Verb::Invalid:
        break;
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const MciCommand c = parseMciCommand(text);
    // A command taken apart and written back plainly reads the same (an alias or a path that
    // needs quoting cannot be written back plainly).
    if (c.verb != MciCommand::Verb::Invalid && !c.alias.isEmpty() && !c.alias.contains(u' ') &&
        !c.alias.contains(u'"') && !c.path.contains(u'"')) {
        const MciCommand again = parseMciCommand(written(c));
        if (again.verb != c.verb || again.path != c.path || again.alias != c.alias)
            __builtin_trap();
    }
    return 0;
}
