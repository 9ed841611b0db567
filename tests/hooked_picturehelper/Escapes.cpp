#include "Escapes.h"

#include "helpers/Confinement.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <linux/sched.h>
#include <map>
#include <netinet/in.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/shm.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// An escape's outcome: 0 when it worked, else the errno that refused it.
int outcome(bool worked) {
    return worked ? 0 : (errno ? errno : EINVAL);
}

int readFile(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    char byte;
    const bool worked = fd >= 0 && ::read(fd, &byte, 1) == 1;
    const int result = outcome(worked);
    if (fd >= 0)
        ::close(fd);
    return result;
}

int createFile(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    const int result = outcome(fd >= 0);
    if (fd >= 0)
        ::close(fd);
    return result;
}

int execute(const QByteArray& program) {
    char* argv[] = {const_cast<char*>(program.constData()), nullptr};
    ::execve(program.constData(), argv, nullptr);
    return outcome(false);
}

// A child that, had it been made, would have outlived the helper; here it ends at once.
int madeChild(long pid) {
    if (pid == 0)
        ::syscall(SYS_exit, 0);
    if (pid > 0)
        ::waitpid(pid_t(pid), nullptr, __WALL);
    return outcome(pid > 0);
}

int cloneThree() {
    clone_args args{};
    args.exit_signal = SIGCHLD;
    return madeChild(::syscall(SYS_clone3, &args, sizeof args));
}

int connectTo(int family, int type, const sockaddr* address, socklen_t size) {
    const int fd = ::socket(family, type | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return outcome(false);
    const int result = outcome(::connect(fd, address, size) == 0);
    ::close(fd);
    return result;
}

sockaddr_in loopback(const QByteArray& port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(quint16(port.toUShort()));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int tcp(const QByteArray& port) {
    const sockaddr_in address = loopback(port);
    return connectTo(AF_INET, SOCK_STREAM, reinterpret_cast<const sockaddr*>(&address),
                     sizeof address);
}

int udp(const QByteArray& port) {
    const sockaddr_in address = loopback(port);
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return outcome(false);
    const int result = outcome(
        ::sendto(fd, "x", 1, 0, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 1);
    ::close(fd);
    return result;
}

// A named socket for a path, an abstract one for a name starting with '@'.
int unixSocket(const QByteArray& name) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    if (name.startsWith('@'))
        address.sun_path[0] = '\0';
    return connectTo(AF_UNIX, SOCK_STREAM, reinterpret_cast<const sockaddr*>(&address),
                     socklen_t(offsetof(sockaddr_un, sun_path) + size_t(name.size())));
}

int newSocketPair() {
    int ends[2];
    const bool worked = ::socketpair(AF_UNIX, SOCK_STREAM, 0, ends) == 0;
    const int result = outcome(worked);
    if (worked) {
        ::close(ends[0]);
        ::close(ends[1]);
    }
    return result;
}

// Signal 0 asks only whether a signal would be delivered.
int signalParent() {
    return outcome(::kill(::getppid(), 0) == 0);
}

int traceParent() {
    const bool worked = ::ptrace(PTRACE_SEIZE, ::getppid(), nullptr, nullptr) == 0;
    const int result = outcome(worked);
    if (worked)
        ::ptrace(PTRACE_DETACH, ::getppid(), nullptr, nullptr);
    return result;
}

// Types into the terminal of each standard descriptor; the filter's EPERM, not the device's
// ENOTTY, is the refusal looked for.
int typeIntoTerminal() {
    int result = 0;
    for (int fd = 0; fd <= 2; ++fd) {
        const char c = '\n';
        if (::ioctl(fd, TIOCSTI, &c) == 0)
            return 0;
        if (result == 0 || errno != EPERM)
            result = errno;
    }
    return result;
}

// Memory outside the address space: memfds, one after another, each grown to the file-size cap
// and written at its end; any one made is an escape.
int memfdsWithoutEnd() {
    for (int made = 0; made < 64; ++made) {
        const int fd = ::memfd_create("escape", MFD_CLOEXEC);
        if (fd < 0)
            return made > 0 ? 0 : outcome(false);
        const off_t last = off_t(confinement::FileSizeBytes) - 1;
        if (::ftruncate(fd, last + 1) != 0 || ::pwrite(fd, "x", 1, last) != 1)
            return 0; // made, though not filled: an escape still
    }
    return 0;
}

// Shared memory of System V or in /dev/shm, which no limit of the process counts either.
int sharedMemory() {
    const int id = ::shmget(IPC_PRIVATE, size_t(64) << 20, IPC_CREAT | 0600);
    if (id >= 0) {
        ::shmctl(id, IPC_RMID, nullptr);
        return 0;
    }
    const int refused = errno;
    const int fd = ::open("/dev/shm/quirello-escape", O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        ::unlink("/dev/shm/quirello-escape");
        return 0;
    }
    return refused;
}

// Threads, one after another, each waiting for ever: any one started is an escape (each is one
// more place to run hostile code in, and without end they exhaust the machine's processes).
int threadsWithoutEnd() {
    for (int started = 0; started < 4096; ++started) {
        pthread_t thread;
        const int failed = ::pthread_create(
            &thread, nullptr,
            [](void*) -> void* {
                for (;;)
                    ::pause();
            },
            nullptr);
        if (failed != 0)
            return started > 0 ? 0 : failed;
    }
    return 0;
}

int raiseLimits() {
    const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
    return outcome(::setrlimit(RLIMIT_FSIZE, &unlimited) == 0);
}

} // namespace

int escapeOutcome(const QByteArray& request) {
    const qsizetype space = request.indexOf(' ');
    const QByteArray name = space < 0 ? request : request.left(space);
    const QByteArray argument = space < 0 ? QByteArray() : request.mid(space + 1);
    const std::map<QByteArray, std::function<int()>> escapes{
        {"read", [&] { return readFile(argument); }},
        {"create", [&] { return createFile(argument); }},
        {"exec", [&] { return execute(argument); }},
        {"fork", [] { return madeChild(::fork()); }},
        {"clone", [] { return madeChild(::syscall(SYS_clone, SIGCHLD, 0, 0, 0, 0)); }},
        {"clone3", [] { return cloneThree(); }},
        {"tcp", [&] { return tcp(argument); }},
        {"udp", [&] { return udp(argument); }},
        {"unix", [&] { return unixSocket(argument); }},
        {"socketpair", [] { return newSocketPair(); }},
        {"signal", [] { return signalParent(); }},
        {"ptrace", [] { return traceParent(); }},
        {"tiocsti", [] { return typeIntoTerminal(); }},
        {"memfd", [] { return memfdsWithoutEnd(); }},
        {"shm", [] { return sharedMemory(); }},
        {"rlimit", [] { return raiseLimits(); }},
        {"thread", [] { return threadsWithoutEnd(); }},
    };
    const auto escape = escapes.find(name);
    errno = 0;
    return escape == escapes.end() ? EINVAL : escape->second();
}
