#pragma once

#include <sys/types.h>

// What a decoder helper writes reaches the program's own standard error, marked with the
// helper's id; its sanitizers' reports (the sanitizer build only) go where the program's own
// go: the file named by log_path in ASAN_OPTIONS with ".decoder.PID" added, or standard error.
namespace helperoutput {

// Passes on what the pipe `fd` (non-blocking) holds now; `name`: the helper's program.
void forwardMessages(int fd, pid_t helper, const char* name = "quirello-decoder");
void forwardReports(int fd, pid_t helper);

} // namespace helperoutput
