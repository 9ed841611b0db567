#include "helpers/HelperLaunch.h"

#include "helpers/Sanitizers.h"

#include <condition_variable>
#include <csignal>
#include <deque>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <QFile>
#include <spawn.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// Room for a burst of warnings, so that a helper never waits on the program to read them.
constexpr int MessagesPipeBytes = 1 << 20;

// A helper asks to die with the thread that started it, so helpers are started on one thread
// that never ends, whichever thread wants them.
class LastingThread {
public:
    void run(const std::function<void()>& job) {
        std::unique_lock lock(mutex_);
        if (!started_) {
            std::thread([this] { serve(); }).detach();
            started_ = true;
        }
        const auto ticket = ++queued_;
        jobs_.push_back(job);
        wake_.notify_all();
        wake_.wait(lock, [&] { return done_ >= ticket; });
    }

private:
    void serve() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return !jobs_.empty(); });
            const std::function<void()> job = std::move(jobs_.front());
            jobs_.pop_front();
            lock.unlock();
            job();
            lock.lock();
            ++done_;
            wake_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    unsigned long queued_ = 0, done_ = 0;
    bool started_ = false;
};

// Never destroyed: helpers may start at exit. A child forked from the program (a benchmark's
// measuring child) has none of its parent's threads and makes its own.
LastingThread& spawner() {
    static std::mutex guard;
    static LastingThread* thread = nullptr;
    static pid_t owner = 0;
    const std::lock_guard lock(guard);
    if (owner != ::getpid()) {
        thread = new LastingThread;
        owner = ::getpid();
    }
    return *thread;
}

// A pipe whose read end stays with the program (non-blocking) and whose write end goes to
// the helper; both close-on-exec here, the helper gets its copy through dup2.
bool makePipe(UniqueFd& readEnd, UniqueFd& writeEnd) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return false;
    readEnd = UniqueFd(ends[0]);
    writeEnd = UniqueFd(ends[1]);
    ::fcntl(readEnd.get(), F_SETFL, O_NONBLOCK);
    ::fcntl(readEnd.get(), F_SETPIPE_SZ, MessagesPipeBytes);
    return true;
}

pid_t spawn(const QString& program, const QByteArray& role, int socket, int messages, int reports) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, messages, 2);
    posix_spawn_file_actions_adddup2(&actions, socket, HelperSocketFd);
    if (reports >= 0)
        posix_spawn_file_actions_adddup2(&actions, reports, HelperReportsFd);
    posix_spawn_file_actions_addclosefrom_np(&actions, reports >= 0 ? HelperReportsFd + 1
                                                                    : HelperSocketFd + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);

    const QByteArray path = QFile::encodeName(program);
    const QByteArray parent = QByteArray::number(::getpid());
    char* argv[] = {const_cast<char*>(path.constData()), const_cast<char*>(parent.constData()),
                    role.isEmpty() ? nullptr : const_cast<char*>(role.constData()), nullptr};
    pid_t pid = -1;
    const int failed = ::posix_spawn(&pid, path.constData(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return failed == 0 ? pid : -1;
}

} // namespace

std::optional<LaunchedHelper> launchHelper(const QString& program, const QByteArray& role) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0)
        return std::nullopt;
    LaunchedHelper helper;
    helper.socket = UniqueFd(ends[0]);
    const UniqueFd theirs(ends[1]);
    UniqueFd messages, reports;
    if (!makePipe(helper.messages, messages))
        return std::nullopt;
    if (sanitizers::active && !makePipe(helper.reports, reports))
        return std::nullopt;
    // Out of the way of the descriptors they are copied onto, so that each dup2 makes a fresh,
    // inheritable copy.
    const auto moved = [](const UniqueFd& fd) {
        return UniqueFd(fd.valid() ? ::fcntl(fd.get(), F_DUPFD_CLOEXEC, 10) : -1);
    };
    const UniqueFd socket = moved(theirs), errors = moved(messages), sanitizer = moved(reports);
    if (!socket.valid() || !errors.valid() || sanitizer.valid() != reports.valid())
        return std::nullopt;
    spawner().run(
        [&] { helper.pid = spawn(program, role, socket.get(), errors.get(), sanitizer.get()); });
    if (helper.pid <= 0)
        return std::nullopt;
    return helper;
}
