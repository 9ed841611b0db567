#include "helpers/HelperLife.h"

#include "helpers/HelperLaunch.h"
#include "helpers/Sanitizers.h"

#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <QByteArray>
#include <sys/prctl.h>
#include <unistd.h>

// The sanitizer runtime's own interface (the sanitizer build only); weak, so that the build
// without the runtime links.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the runtime's name, not ours to choose.
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
// Leak checking stops every thread with ptrace from a child process, which a confined helper may
// not start; helpers end with _exit anyway, so nothing would be checked.
extern "C" int __lsan_is_turned_off() {
    return 1;
}
#endif
#endif

namespace helperlife {

bool diesWithTheProgram(int argc, char** argv) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    return argc >= 2 && QByteArray(argv[1]).toLongLong() == ::getppid();
}

void reportToProgram() {
    if (sanitizers::active && __sanitizer_set_report_fd && ::fcntl(HelperReportsFd, F_GETFD) >= 0)
        __sanitizer_set_report_fd(reinterpret_cast<void*>(std::intptr_t(HelperReportsFd)));
}

} // namespace helperlife
