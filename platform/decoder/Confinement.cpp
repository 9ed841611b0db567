#include "platform/decoder/Confinement.h"

#include <cstddef>
#include <cstdint>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace confinement {

namespace {

// Landlock's ABI, as the kernel defines it; Debian 12's headers know only its first versions.
struct RulesetAttr {
    std::uint64_t handledAccessFs;
    std::uint64_t handledAccessNet; // ABI 4
    std::uint64_t scoped;           // ABI 6
};
constexpr unsigned CreateRulesetVersion = 1u << 0;
constexpr std::uint64_t FsWriteFile = 1ull << 1;
constexpr std::uint64_t FsRemoveDir = 1ull << 4;
constexpr std::uint64_t FsRemoveFile = 1ull << 5;
constexpr std::uint64_t FsMakeChar = 1ull << 6;
constexpr std::uint64_t FsMakeDir = 1ull << 7;
constexpr std::uint64_t FsMakeReg = 1ull << 8;
constexpr std::uint64_t FsMakeSock = 1ull << 9;
constexpr std::uint64_t FsMakeFifo = 1ull << 10;
constexpr std::uint64_t FsMakeBlock = 1ull << 11;
constexpr std::uint64_t FsMakeSym = 1ull << 12;
constexpr std::uint64_t FsRefer = 1ull << 13;    // ABI 2
constexpr std::uint64_t FsTruncate = 1ull << 14; // ABI 3
constexpr std::uint64_t NetBindTcp = 1ull << 0;
constexpr std::uint64_t NetConnectTcp = 1ull << 1;
constexpr std::uint64_t ScopeAbstractUnixSocket = 1ull << 0;
constexpr std::uint64_t ScopeSignal = 1ull << 1;

// Every way of changing the file system is handled and none is granted: reading stays open
// (plug-ins, fonts), writing is closed everywhere. The pictures come as open descriptors and
// the pixels go out through memfds, which no path rule touches.
void denyWritesAndNetwork() {
    const long abi = ::syscall(SYS_landlock_create_ruleset, nullptr, 0, CreateRulesetVersion);
    if (abi < 1)
        return;
    RulesetAttr attr{FsWriteFile | FsRemoveDir | FsRemoveFile | FsMakeChar | FsMakeDir | FsMakeReg |
                         FsMakeSock | FsMakeFifo | FsMakeBlock | FsMakeSym,
                     0, 0};
    size_t size = sizeof attr.handledAccessFs;
    if (abi >= 2)
        attr.handledAccessFs |= FsRefer;
    if (abi >= 3)
        attr.handledAccessFs |= FsTruncate;
    if (abi >= 4) {
        attr.handledAccessNet = NetBindTcp | NetConnectTcp;
        size = offsetof(RulesetAttr, scoped);
    }
    if (abi >= 6) {
        attr.scoped = ScopeAbstractUnixSocket | ScopeSignal;
        size = sizeof attr;
    }
    const long ruleset = ::syscall(SYS_landlock_create_ruleset, &attr, size, 0);
    if (ruleset < 0)
        return;
    ::syscall(SYS_landlock_restrict_self, ruleset, 0);
    ::close(int(ruleset));
}

} // namespace

bool limitsAddressSpace() {
#if defined(__SANITIZE_ADDRESS__)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return false;
#else
    return true;
#endif
#else
    return true;
#endif
}

void confineDecoder() {
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    if (limitsAddressSpace()) {
        const rlimit space{AddressSpaceBytes, AddressSpaceBytes};
        ::setrlimit(RLIMIT_AS, &space);
    }
    ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
    denyWritesAndNetwork();
}

} // namespace confinement
