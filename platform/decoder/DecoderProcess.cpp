#include "platform/decoder/DecoderProcess.h"

#include "platform/gui/PictureLimits.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <QFile>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using namespace decoderwire;

// A size question is asked once per way the helper tries the file (a bare bitmap is tried
// twice); more are out of turn.
constexpr int MaxQuestions = 4;
constexpr int HelperFd = 3;

Message openMessage(const QString& suffix) {
    Message open;
    open.kind = Open;
    const QByteArray bytes = suffix.toLower().toUtf8().left(sizeof open.suffix - 1);
    std::memcpy(open.suffix, bytes.constData(), size_t(bytes.size()));
    return open;
}

} // namespace

std::unique_ptr<DecoderProcess> DecoderProcess::start(const QString& program) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0)
        return nullptr;
    UniqueFd ours(ends[0]);
    UniqueFd theirs(ends[1]);
    // The child's end lands on descriptor 3 and nothing else of ours goes with it; moved out
    // of the way first, so that dup2 onto 3 always makes a fresh, inheritable copy.
    UniqueFd moved(::fcntl(theirs.get(), F_DUPFD_CLOEXEC, 10));
    if (!moved.valid())
        return nullptr;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, moved.get(), HelperFd);
    posix_spawn_file_actions_addclosefrom_np(&actions, HelperFd + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    const QByteArray path = QFile::encodeName(program);
    char* argv[] = {const_cast<char*>(path.constData()), nullptr};
    pid_t pid = -1;
    const int failed = ::posix_spawn(&pid, path.constData(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0)
        return nullptr;
    return std::make_unique<DecoderProcess>(std::move(ours), pid);
}

DecoderProcess::DecoderProcess(UniqueFd socket, pid_t pid)
    : socket_(std::move(socket)), pid_(pid) {}

DecoderProcess::~DecoderProcess() {
    end();
}

void DecoderProcess::end() {
    socket_.reset();
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGKILL);
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
}

DecoderProcess::Answer DecoderProcess::fail(Outcome outcome) {
    end();
    return {outcome, {}};
}

DecoderProcess::Answer DecoderProcess::decode(int file, const QString& suffix,
                                              const ShownSizeFor& shownSize, Deadline deadline) {
    if (!usable())
        return {Outcome::Ended, {}};
    if (!send(socket_.get(), openMessage(suffix), file))
        return fail(Outcome::Ended);

    QSize natural;
    QSize largestAsked;
    for (int questions = 0;;) {
        Message answer;
        UniqueFd attached;
        switch (receive(socket_.get(), deadline, answer, attached)) {
        case Received::Message:
            break;
        case Received::Closed:
            return fail(Outcome::Ended);
        case Received::TimedOut:
            return fail(Outcome::TimedOut);
        case Received::Malformed:
            return fail(Outcome::Broken);
        }
        const bool fdExpected = answer.kind == Picture;
        if (attached.valid() != fdExpected)
            return fail(Outcome::Broken);

        if (answer.kind == Natural) {
            if (++questions > MaxQuestions || !picturelimits::acceptable(answer.size()))
                return fail(Outcome::Broken);
            natural = answer.size();
            QSize shown = shownSize ? shownSize(natural) : natural;
            if (!picturelimits::acceptable(shown))
                shown = natural;
            largestAsked = largestAsked.expandedTo(natural).expandedTo(shown);
            Message reply;
            reply.kind = Shown;
            reply.width = shown.width();
            reply.height = shown.height();
            if (!send(socket_.get(), reply))
                return fail(Outcome::Ended);
        } else if (answer.kind == Failed) {
            served_ = true;
            return {Outcome::Refused, {}};
        } else if (answer.kind == Picture) {
            // The natural size is the one the helper asked about last.
            if (!natural.isValid() || QSize(answer.naturalWidth, answer.naturalHeight) != natural)
                return fail(Outcome::Broken);
            QImage image = mapPicture(answer, attached.get(), largestAsked);
            if (image.isNull())
                return fail(Outcome::Broken);
            served_ = true;
            return {Outcome::Decoded, {std::move(image), natural}};
        } else {
            return fail(Outcome::Broken);
        }
    }
}
