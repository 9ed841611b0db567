#include "helpers/LandlockRules.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace landlockrules {

namespace {

// Landlock's ABI, as the kernel defines it; Debian 12's headers know only its first versions.
struct RulesetAttr {
    std::uint64_t handledAccessFs;
    std::uint64_t handledAccessNet; // version 4
    std::uint64_t scoped;           // version 6
};
struct PathBeneathAttr {
    std::uint64_t allowedAccess;
    std::int32_t parentFd;
} __attribute__((packed));
constexpr unsigned CreateRulesetVersion = 1u << 0;
constexpr int RulePathBeneath = 1;

constexpr std::uint64_t FsExecute = 1ull << 0;
constexpr std::uint64_t FsReadFile = 1ull << 2;
constexpr std::uint64_t FsReadDir = 1ull << 3;
constexpr std::uint64_t FsAllOfVersion1 = (1ull << 13) - 1; // execute to make symbolic links
constexpr std::uint64_t FsRefer = 1ull << 13;               // version 2
constexpr std::uint64_t FsTruncate = 1ull << 14;            // version 3
constexpr std::uint64_t FsIoctlDev = 1ull << 15;            // version 5
constexpr std::uint64_t NetBindTcp = 1ull << 0;
constexpr std::uint64_t NetConnectTcp = 1ull << 1;
constexpr std::uint64_t ScopeAbstractUnixSocket = 1ull << 0;
constexpr std::uint64_t ScopeSignal = 1ull << 1;

constexpr std::uint64_t Reading = FsExecute | FsReadFile | FsReadDir;

RulesetAttr everythingHandled(int version, size_t& size) {
    RulesetAttr attr{FsAllOfVersion1, 0, 0};
    size = sizeof attr.handledAccessFs;
    if (version >= 2)
        attr.handledAccessFs |= FsRefer;
    if (version >= 3)
        attr.handledAccessFs |= FsTruncate;
    if (version >= 4) {
        attr.handledAccessNet = NetBindTcp | NetConnectTcp;
        size = offsetof(RulesetAttr, scoped);
    }
    if (version >= 5)
        attr.handledAccessFs |= FsIoctlDev;
    if (version >= 6) {
        attr.scoped = ScopeAbstractUnixSocket | ScopeSignal;
        size = sizeof attr;
    }
    return attr;
}

// Grants reading beneath `path`; a path that does not exist grants nothing. A single file
// may be read, never listed.
void allowReading(int ruleset, const std::string& path) {
    const int fd = ::open(path.c_str(), O_PATH | O_CLOEXEC);
    if (fd < 0)
        return;
    PathBeneathAttr rule{Reading, fd};
    if (::syscall(SYS_landlock_add_rule, ruleset, RulePathBeneath, &rule, 0) != 0) {
        rule.allowedAccess = FsExecute | FsReadFile;
        ::syscall(SYS_landlock_add_rule, ruleset, RulePathBeneath, &rule, 0);
    }
    ::close(fd);
}

} // namespace

int kernelVersion() {
    const long version = ::syscall(SYS_landlock_create_ruleset, nullptr, 0, CreateRulesetVersion);
    return version < 0 ? 0 : int(version);
}

bool restrictTo(const std::vector<std::string>& readable, int versionAtMost) {
    const int version = std::min(kernelVersion(), versionAtMost);
    if (version < 1)
        return false;
    size_t size = 0;
    const RulesetAttr attr = everythingHandled(version, size);
    const long ruleset = ::syscall(SYS_landlock_create_ruleset, &attr, size, 0);
    if (ruleset < 0)
        return false;
    for (const std::string& path : readable)
        allowReading(int(ruleset), path);
    const bool restricted = ::syscall(SYS_landlock_restrict_self, ruleset, 0) == 0;
    ::close(int(ruleset));
    return restricted;
}

} // namespace landlockrules
