#include "platform/decoder/DecoderProcess.h"

#include "platform/decoder/HelperLaunch.h"
#include "platform/decoder/HelperOutput.h"
#include "platform/decoder/TimeLimits.h"
#include "platform/gui/PictureLimits.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <QFile>
#include <sys/resource.h>
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

} // namespace

std::unique_ptr<DecoderProcess> DecoderProcess::start(const QString& program) {
    std::optional<LaunchedHelper> helper = launchHelper(program);
    if (!helper)
        return nullptr;
    auto process = std::make_unique<DecoderProcess>(std::move(helper->socket), helper->pid);
    process->messages_ = std::move(helper->messages);
    process->reports_ = std::move(helper->reports);
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
    passOnOutput();
    pid_ = -1;
}

void DecoderProcess::passOnOutput() {
    helperoutput::forwardMessages(messages_.get(), pid_);
    helperoutput::forwardReports(reports_.get(), pid_);
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
    limitProcessorTime(timelimits::headerProcessorTime);
    if (!send(socket_.get(), openMessage(suffix), file))
        return fail(Outcome::Ended);
    Answer answer = converse(shownSize, deadline);
    passOnOutput();
    return answer;
}

DecoderProcess::Answer DecoderProcess::converse(const ShownSizeFor& shownSize, Deadline deadline) {
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
