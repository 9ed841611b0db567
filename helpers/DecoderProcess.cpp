#include "helpers/DecoderProcess.h"

#include "helpers/HelperLaunch.h"
#include "helpers/HelperOutput.h"
#include "helpers/TimeLimits.h"
#include "pictures/PictureLimits.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <QFile>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

using namespace decoderwire;

// A size question is asked once per way the helper tries the file (a bare bitmap is tried
// twice); more are out of turn.
constexpr int MaxQuestions = 4;

Message openMessage(const QString& suffix) {
    Message open;
    open.kind = Open;
    const QByteArray bytes = suffix.toLower().toUtf8().left(sizeof open.suffix - 1);
    std::memcpy(open.suffix, bytes.constData(), size_t(bytes.size()));
    return open;
}

// Whether the helper `pid` still holds `memory` open when it has answered: it could keep the
// pixels of every picture it hands over, none of them in its address space. Where its
// descriptors cannot be seen, it is taken not to.
bool stillHeld(pid_t pid, int memory) {
    struct stat handed {};
    const QByteArray folder = "/proc/" + QByteArray::number(pid) + "/fd/";
    DIR* fds = pid > 0 && ::fstat(memory, &handed) == 0 ? ::opendir(folder.constData()) : nullptr;
    if (fds == nullptr)
        return false;
    bool held = false;
    while (const dirent* entry = ::readdir(fds)) {
        struct stat one {};
        held = held || (entry->d_name[0] != '.' &&
                        ::stat((folder + entry->d_name).constData(), &one) == 0 &&
                        one.st_dev == handed.st_dev && one.st_ino == handed.st_ino);
    }
    ::closedir(fds);
    return held;
}

} // namespace

std::unique_ptr<DecoderProcess> DecoderProcess::start(const QString& program) {
    std::optional<LaunchedHelper> helper = launchHelper(program);
    if (!helper)
        return nullptr;
    auto process = std::make_unique<DecoderProcess>(std::move(helper->socket), helper->pid);
    process->output_ = helperoutput::Relay(std::move(helper->messages), std::move(helper->reports),
                                           "quirello-decoder");
    return process;
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
    output_.finish(pid_);
    pid_ = -1;
}

void DecoderProcess::passOnOutput() {
    output_.passOn(pid_);
}

void DecoderProcess::limitProcessorTime(std::chrono::seconds budget) {
    clockid_t clock;
    timespec used{};
    if (pid_ <= 0 || ::clock_getcpuclockid(pid_, &clock) != 0 || ::clock_gettime(clock, &used) != 0)
        return;
    // Only the soft limit moves: the helper may not raise it, and the hard one stays where a
    // later picture's budget can still reach.
    const rlimit limit{rlim_t(used.tv_sec + 1 + budget.count()), RLIM_INFINITY};
    ::prlimit(pid_, RLIMIT_CPU, &limit, nullptr);
}

DecoderProcess::Answer DecoderProcess::fail(Outcome outcome) {
    end();
    return {outcome, {}};
}

DecoderProcess::Answer DecoderProcess::decode(int file, const QString& suffix,
                                              const ShownSizeFor& shownSize, Deadline deadline) {
    if (!usable())
        return {Outcome::Ended, {}};
    // A message the helper sent since its last answer is out of turn (it may hold descriptors
    // there, the pixels' memory among them), as is its end.
    pollfd waiting{socket_.get(), POLLIN, 0};
    if (served_ && ::poll(&waiting, 1, 0) != 0)
        return fail(Outcome::Ended);
    limitProcessorTime(timelimits::headerProcessorTime);
    if (!send(socket_.get(), openMessage(suffix), file))
        return fail(Outcome::Ended);
    Answer answer = converse(shownSize, deadline);
    passOnOutput();
    return answer;
}

std::optional<DecoderProcess::Outcome> DecoderProcess::next(Deadline deadline, Message& answer) {
    UniqueFd attached;
    switch (receive(socket_.get(), deadline, answer, attached)) {
    case Received::Message:
        // The helper hands nothing over: the pixels' memory is the program's own.
        return attached.valid() ? std::optional(Outcome::Broken) : std::nullopt;
    case Received::Closed:
        return Outcome::Ended;
    case Received::TimedOut:
        return Outcome::TimedOut;
    case Received::Malformed:
        break;
    }
    return Outcome::Broken;
}

bool DecoderProcess::handOverMemory(const Message& pixels, UniqueFd& memory) {
    memory = pixelMemory(pixelBytes(pixels));
    Message handed;
    handed.kind = decoderwire::Memory;
    return memory.valid() && send(socket_.get(), handed, memory.get());
}

DecoderProcess::Answer DecoderProcess::converse(const ShownSizeFor& shownSize, Deadline deadline) {
    QSize natural;
    QSize largestAsked;
    Message asked{Magic, Failed}; // the pixels the helper asked memory for
    UniqueFd memory;
    for (int questions = 0;;) {
        Message answer;
        if (const std::optional<Outcome> ended = next(deadline, answer))
            return fail(*ended);
        if (answer.kind == Natural) {
            if (++questions > MaxQuestions || !picturelimits::acceptable(answer.size()))
                return fail(Outcome::Broken);
            natural = answer.size();
            QSize shown = shownSize ? shownSize(natural) : natural;
            if (!picturelimits::acceptable(shown))
                shown = natural;
            // Pixels come at the shown size when it is smaller; when it is larger, a bitmap
            // comes at its natural size and a metafile is drawn at the shown one.
            const bool smaller =
                shown.width() <= natural.width() && shown.height() <= natural.height();
            largestAsked = largestAsked.expandedTo(smaller ? shown : shown.expandedTo(natural));
            const auto budget = timelimits::processorTime(natural);
            limitProcessorTime(budget);
            Message reply;
            reply.kind = Shown;
            reply.width = shown.width();
            reply.height = shown.height();
            if (!send(socket_.get(), reply))
                return fail(Outcome::Ended);
        } else if (answer.kind == Failed || answer.kind == TooLarge) {
            served_ = true;
            return {answer.kind == Failed ? Outcome::Refused : Outcome::TooLarge, {}};
        } else if (answer.kind == Pixels) {
            // Memory for one answer, of the size asked for at most.
            if (memory.valid() || !acceptablePixels(answer, largestAsked) ||
                !handOverMemory(answer, memory))
                return fail(Outcome::Broken);
            asked = answer;
        } else if (answer.kind == Picture) {
            // The natural size is the one the helper asked about last.
            if (!natural.isValid() || QSize(answer.naturalWidth, answer.naturalHeight) != natural)
                return fail(Outcome::Broken);
            QImage image = mapPicture(answer, asked, memory.get());
            if (image.isNull() || stillHeld(pid_, memory.get()))
                return fail(Outcome::Broken);
            served_ = true;
            return {Outcome::Decoded, {std::move(image), natural}};
        } else {
            return fail(Outcome::Broken);
        }
    }
}
