#include "helpers/SyscallFilter.h"

#include <cerrno>
#include <fcntl.h>
#include <initializer_list>
#include <seccomp.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

namespace syscallfilter {

namespace {

// Calls with no argument that could reach outside the process: memory, time, threads'
// synchronisation, reading and writing descriptors the helper already holds.
constexpr const char* Harmless[] = {
    "read",
    "pread64",
    "readv",
    "preadv",
    "preadv2",
    "write",
    "pwrite64",
    "writev",
    "pwritev",
    "pwritev2",
    "lseek",
    "close",
    "fstat",
    "newfstatat",
    "statx",
    "stat",
    "lstat",
    "fstatfs",
    "statfs",
    "access",
    "faccessat",
    "faccessat2",
    "readlink",
    "readlinkat",
    "getdents64",
    "getcwd",
    "dup",
    "dup3",
    "ftruncate",
    "fallocate",
    "fadvise64",
    "mmap",
    "munmap",
    "mprotect",
    "mremap",
    "madvise",
    "brk",
    "mincore",
    "futex",
    "get_robust_list",
    "set_robust_list",
    "rseq",
    "membarrier",
    "sched_yield",
    "sched_getaffinity",
    "sched_getparam",
    "sched_getscheduler",
    "sched_get_priority_max",
    "sched_get_priority_min",
    "getpriority",
    "getpid",
    "gettid",
    "getppid",
    "getuid",
    "geteuid",
    "getgid",
    "getegid",
    "getresuid",
    "getresgid",
    "getgroups",
    "getpgrp",
    "getpgid",
    "getsid",
    "clock_gettime",
    "clock_getres",
    "clock_nanosleep",
    "nanosleep",
    "gettimeofday",
    "time",
    "times",
    "getrusage",
    "alarm",
    "getitimer",
    "setitimer",
    "rt_sigaction",
    "rt_sigprocmask",
    "rt_sigreturn",
    "rt_sigpending",
    "rt_sigtimedwait",
    "rt_sigsuspend",
    "sigaltstack",
    "restart_syscall",
    "poll",
    "ppoll",
    "select",
    "pselect6",
    "getrandom",
    "sysinfo",
    "uname",
    "umask",
    "exit",
    "exit_group",
    "getcpu",
    // A thread's event loop wakes itself through an eventfd (or a pipe); the logging asks
    // whether standard error is the journal's socket.
    "eventfd2",
    "pipe2",
    "getpeername",
};

int resolved(const char* name) {
    return seccomp_syscall_resolve_name(name);
}

bool allow(scmp_filter_ctx filter, const char* name, unsigned count = 0,
           const scmp_arg_cmp* compare = nullptr) {
    const int call = resolved(name);
    if (call == __NR_SCMP_ERROR)
        return true; // not a call of this architecture
    return seccomp_rule_add_array(filter, SCMP_ACT_ALLOW, call, count, compare) == 0;
}

bool allowWhen(scmp_filter_ctx filter, const char* name, scmp_arg_cmp compare) {
    return allow(filter, name, 1, &compare);
}

bool allowWhen(scmp_filter_ctx filter, const char* name, scmp_arg_cmp first, scmp_arg_cmp second) {
    const scmp_arg_cmp both[] = {first, second};
    return allow(filter, name, 2, both);
}

constexpr scmp_datum_t WritingFlags = O_WRONLY | O_RDWR | O_CREAT | O_TRUNC | O_APPEND;

// No thread and no process: clone is refused with the rest; clone3 answers ENOSYS, as on a
// kernel without it, so that the C library tries clone and takes the refusal.
bool refuseClone3(scmp_filter_ctx filter) {
    return seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOSYS), resolved("clone3"), 0) == 0;
}

// Signals to the helper itself (abort raises one; the watchdog's alarm is the kernel's).
bool allowOwnSignals(scmp_filter_ctx filter) {
    const scmp_datum_t self = scmp_datum_t(::getpid());
    return allowWhen(filter, "kill", SCMP_A0(SCMP_CMP_EQ, self)) &&
           allowWhen(filter, "tgkill", SCMP_A0(SCMP_CMP_EQ, self)) &&
           allowWhen(filter, "rt_sigqueueinfo", SCMP_A0(SCMP_CMP_EQ, self)) &&
           allowWhen(filter, "rt_tgsigqueueinfo", SCMP_A0(SCMP_CMP_EQ, self));
}

// Descriptor flags; not seals (the program seals the memory it hands over), not an owner for
// I/O signals (F_SETOWN would signal another process), leases or notifications.
bool allowDescriptorControls(scmp_filter_ctx filter) {
    for (const int command : {F_GETFD, F_SETFD, F_GETFL, F_SETFL, F_DUPFD, F_DUPFD_CLOEXEC,
                              F_GET_SEALS, F_GETPIPE_SZ}) {
        if (!allowWhen(filter, "fcntl", SCMP_A1(SCMP_CMP_EQ, scmp_datum_t(command))))
            return false;
    }
    return true;
}

// Reading files, never writing them: a flag that writes refuses the open.
bool allowReadingOpens(scmp_filter_ctx filter) {
    return allowWhen(filter, "openat", SCMP_A2(SCMP_CMP_MASKED_EQ, WritingFlags, 0)) &&
           allowWhen(filter, "open", SCMP_A1(SCMP_CMP_MASKED_EQ, WritingFlags, 0)) &&
           seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOSYS), resolved("openat2"), 0) == 0;
}

// The terminal questions libraries ask of their descriptors (is it a terminal? how much is
// waiting?); nothing that changes or types into a terminal.
bool allowHarmlessIoctls(scmp_filter_ctx filter) {
    for (const scmp_datum_t request : {scmp_datum_t(TCGETS), scmp_datum_t(TIOCGWINSZ),
                                       scmp_datum_t(FIONREAD), scmp_datum_t(FIONBIO)}) {
        if (!allowWhen(filter, "ioctl", SCMP_A1(SCMP_CMP_EQ, request)))
            return false;
    }
    return true;
}

// Thread names and the C library's naming of its mappings; limits may be read, never set.
bool allowHarmlessControls(scmp_filter_ctx filter) {
    for (const scmp_datum_t option : {scmp_datum_t(PR_SET_NAME), scmp_datum_t(PR_GET_NAME),
                                      scmp_datum_t(PR_GET_DUMPABLE), scmp_datum_t(0x53564d41)}) {
        if (!allowWhen(filter, "prctl", SCMP_A0(SCMP_CMP_EQ, option)))
            return false;
    }
    return allowWhen(filter, "prlimit64", SCMP_A0(SCMP_CMP_EQ, 0), SCMP_A2(SCMP_CMP_EQ, 0)) &&
           allow(filter, "getrlimit");
}

// Messages on the program's socket only.
bool allowConversation(scmp_filter_ctx filter, int socket) {
    const scmp_datum_t fd = scmp_datum_t(socket);
    return allowWhen(filter, "sendmsg", SCMP_A0(SCMP_CMP_EQ, fd)) &&
           allowWhen(filter, "recvmsg", SCMP_A0(SCMP_CMP_EQ, fd));
}

} // namespace

bool install(const Rules& rules) {
    scmp_filter_ctx filter = seccomp_init(SCMP_ACT_ERRNO(EPERM));
    if (!filter)
        return false;
    bool ok = seccomp_attr_set(filter, SCMP_FLTATR_CTL_TSYNC, 1) == 0;
    for (const char* name : Harmless)
        ok = ok && allow(filter, name);
    ok = ok && refuseClone3(filter) && allowOwnSignals(filter) && allowDescriptorControls(filter) &&
         allowHarmlessIoctls(filter) && allowHarmlessControls(filter) &&
         allowConversation(filter, rules.socket);
    if (rules.opensFiles)
        ok = ok && allowReadingOpens(filter);
    ok = ok && seccomp_load(filter) == 0;
    seccomp_release(filter);
    return ok;
}

} // namespace syscallfilter
