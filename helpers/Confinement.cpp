#include "helpers/Confinement.h"

#include "helpers/LandlockRules.h"
#include "helpers/Sanitizers.h"
#include "helpers/SyscallFilter.h"

#include <csignal>
#include <cstdint>
#include <dirent.h>
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

int threadsRunning() {
    DIR* tasks = ::opendir("/proc/self/task");
    if (tasks == nullptr)
        return -1;
    int count = 0;
    while (const dirent* entry = ::readdir(tasks))
        count += entry->d_name[0] != '.';
    ::closedir(tasks);
    return count;
}

Result confineDecoder(const Options& options) {
    Result result;
    result.alone = threadsRunning() == 1;
    if (!result.alone)
        return result;
    setLimit(RLIMIT_CORE, 0);
    if (limitsAddressSpace())
        setLimit(RLIMIT_AS, AddressSpaceBytes);
    // Beyond the ceiling a write or a resize fails with EFBIG instead of ending the helper.
    ::signal(SIGXFSZ, SIG_IGN);
    setLimit(RLIMIT_FSIZE, FileSizeBytes);
    setLimit(RLIMIT_NOFILE, OpenFiles);
    dropCapabilities();
    ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
    result.landlock = landlockrules::restrictTo(options.reads, options.landlockVersionAtMost);
    if (options.startThreads)
        options.startThreads();
    result.syscallFilter =
        syscallfilter::install({options.socket, result.landlock && options.opensFiles});
    return result;
}

} // namespace confinement
