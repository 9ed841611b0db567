#include "helpers/Confinement.h"

#include "helpers/LandlockRules.h"
#include "helpers/Sanitizers.h"
#include "helpers/SyscallFilter.h"

#include <csignal>
#include <cstdint>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace confinement {

namespace {

void setLimit(int resource, rlim_t value) {
    const rlimit limit{value, value};
    ::setrlimit(resource, &limit);
}

// Root's capabilities (reading any file, raising limits, tracing) are no use to a decoder.
void dropCapabilities() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct none[_LINUX_CAPABILITY_U32S_3] = {};
    ::syscall(SYS_capset, &header, none);
}

} // namespace

bool limitsAddressSpace() {
    return !sanitizers::active;
}

std::vector<std::string> readableFiles(const std::string& appFolder) {
    std::vector<std::string> reads{"/usr", "/lib", "/lib64", "/lib32", "/libx32",
                                   "/etc/ld.so.cache", "/etc/fonts", "/var/cache/fontconfig",
                                   "/etc/localtime", appFolder,
                                   // libwmf's map of the PostScript fonts metafile text is drawn in
                                   "/var/lib/ghostscript/fonts"};
    if (sanitizers::active)
        reads.push_back("/proc/self"); // the memory map, for a report's stack
    return reads;
}

Result confineDecoder(const Options& options) {
    setLimit(RLIMIT_CORE, 0);
    if (limitsAddressSpace())
        setLimit(RLIMIT_AS, AddressSpaceBytes);
    // Beyond the ceiling a write or a resize fails with EFBIG instead of ending the helper.
    ::signal(SIGXFSZ, SIG_IGN);
    setLimit(RLIMIT_FSIZE, FileSizeBytes);
    dropCapabilities();
    ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
    Result result;
    result.landlock = landlockrules::restrictTo(options.reads, options.landlockVersionAtMost);
    result.syscallFilter = syscallfilter::install(
        {options.socket, result.landlock && options.opensFiles, options.threads, options.memfds});
    return result;
}

} // namespace confinement
