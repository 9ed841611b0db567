#pragma once

#include "helpers/UniqueFd.h"

#include <cstdint>
#include <sys/types.h>

// What a helper writes reaches the program's own standard error, marked with the helper's
// program and id; its sanitizers' reports (the sanitizer build only) go where the program's own
// go: the file named by log_path in ASAN_OPTIONS with ".decoder.PID" added, or standard error.
namespace helperoutput {

// The most of a helper's messages passed on over its whole life. Beyond, they are read and
// dropped, and one line says how much when the helper ends: a hostile file cannot fill the
// program's log.
constexpr std::int64_t KeptMessageBytes = std::int64_t(64) * 1024;

// The relay of one helper's two pipes (non-blocking read ends). Reading goes through one small
// buffer and each piece is written out at once, so that nothing a helper says grows the
// program's memory; one call reads a bounded amount, so that a helper writing without end cannot
// hold the caller.
class Relay {
public:
    Relay() = default;
    // `name`: the helper's program, as the marks say it.
    Relay(UniqueFd messages, UniqueFd reports, const char* name);

    // Passes on what the pipes hold now.
    void passOn(pid_t helper);
    // Once the helper has ended: passes on the rest, says how much was dropped, closes the pipes.
    void finish(pid_t helper);

    std::int64_t droppedBytes() const { return dropped_; }

private:
    void relayMessages(pid_t helper, std::int64_t most);

    UniqueFd messages_;
    UniqueFd reports_;
    const char* name_ = "quirello-decoder";
    std::int64_t kept_ = 0;
    std::int64_t dropped_ = 0;
};

} // namespace helperoutput
