#include "helpers/SoundProcess.h"

#include "core/Log.h"
#include "helpers/HelperLaunch.h"
#include "helpers/HelperOutput.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace soundwire;
using Clock = std::chrono::steady_clock;

// About a second and a half of sound at the device's format: the process decodes that far
// ahead, which rides out a busy machine.
constexpr int PipeBytes = 256 * 1024;

} // namespace

// The process as its streams see it from the audio thread: its processor time, and its end when
// it breaks its word. Once the process is reaped, its id is forgotten here first, so that no
// signal can reach another process that took the id over.
class SoundProcess::Feeder final : public PcmFeeder {
public:
    explicit Feeder(pid_t pid) : pid_(pid) {}

    std::optional<std::chrono::nanoseconds> processorTime() override {
        const std::lock_guard lock(mutex_);
        clockid_t clock;
        timespec used{};
        if (pid_ <= 0 || ::clock_getcpuclockid(pid_, &clock) != 0 ||
            ::clock_gettime(clock, &used) != 0)
            return std::nullopt;
        return std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec);
    }

    void giveUp() override {
        const std::lock_guard lock(mutex_);
        givenUp_ = true;
        if (pid_ > 0)
            ::kill(pid_, SIGKILL);
    }

    bool givenUp() const {
        const std::lock_guard lock(mutex_);
        return givenUp_;
    }

    pid_t pid() const {
        const std::lock_guard lock(mutex_);
        return pid_;
    }

    // The id, for reaping: nothing reaches the process through this feeder any more.
    pid_t forget() {
        const std::lock_guard lock(mutex_);
        return std::exchange(pid_, -1);
    }

private:
    mutable std::mutex mutex_;
    pid_t pid_;
    bool givenUp_ = false;
};

SoundProcess::SoundProcess(Options options) : options_(std::move(options)) {}

SoundProcess::SoundProcess(Options options, UniqueFd socket)
    : options_(std::move(options)), socket_(std::move(socket)),
      feeder_(std::make_shared<Feeder>(-1)), started_(Clock::now()) {}

SoundProcess::~SoundProcess() {
    end();
}

pid_t SoundProcess::pid() const {
    return feeder_ ? feeder_->pid() : -1;
}

void SoundProcess::startAhead() {
    if (socket_.valid())
        return;
    std::optional<LaunchedHelper> helper = launchHelper(
        options_.program, options_.role == Role::Music ? QByteArray("music") : "comment");
    if (!helper) {
        if (!startFailureReported_)
            qCWarning(logSound, "Sound is off: %s cannot be started", qPrintable(options_.program));
        startFailureReported_ = true;
        return;
    }
    socket_ = std::move(helper->socket);
    output_ = helperoutput::Relay(std::move(helper->messages), std::move(helper->reports),
                                  "quirello-sound");
    feeder_ = std::make_shared<Feeder>(helper->pid);
    started_ = Clock::now();
    greeted_ = false;
    midi_ = false;
}

void SoundProcess::end() {
    socket_.reset();
    if (!feeder_)
        return;
    const pid_t pid = feeder_->forget();
    if (pid > 0) {
        ::kill(pid, SIGKILL);
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    output_.finish(pid);
    feeder_.reset();
}

void SoundProcess::replace() {
    end();
    startAhead();
}

void SoundProcess::passOnOutput() {
    if (feeder_)
        output_.passOn(feeder_->pid());
}

bool SoundProcess::greeted(Clock::time_point deadline) {
    Message hello;
    std::vector<UniqueFd> fds;
    if (receive(socket_.get(), hello, fds, &deadline) != fdpassing::Received::Message ||
        hello.kind != Hello) {
        passOnOutput();
        end();
        return false;
    }
    greeted_ = true;
    midi_ = hello.ok == 1;
    return true;
}

// A process that ran its course is replaced; a new one is waited for.
bool SoundProcess::running() {
    if (socket_.valid()) {
        pollfd state{socket_.get(), POLLIN, 0};
        ::poll(&state, 1, 0);
        // A message nobody asked for is out of turn; a hang-up, the process's end.
        if (feeder_->givenUp() || (greeted_ && state.revents != 0))
            end();
    }
    startAhead();
    if (!socket_.valid())
        return false;
    if (!greeted_)
        greeted(std::max(started_ + options_.startTime, Clock::now() + options_.answerTime));
    return greeted_;
}

bool SoundProcess::waitUntilReady(int ms) {
    startAhead();
    if (socket_.valid() && !greeted_)
        greeted(Clock::now() + std::chrono::milliseconds(ms));
    return greeted_ && (options_.role == Role::Comment || midi_);
}

std::optional<Message> SoundProcess::converse(const Message& request,
                                              std::initializer_list<int> fds,
                                              std::initializer_list<quint32> answers) {
    if (!running())
        return std::nullopt;
    Message answer;
    std::vector<UniqueFd> none;
    const Clock::time_point deadline = Clock::now() + options_.answerTime;
    const bool answered =
        send(socket_.get(), request, fds) &&
        receive(socket_.get(), answer, none, &deadline) == fdpassing::Received::Message &&
        std::find(answers.begin(), answers.end(), answer.kind) != answers.end();
    passOnOutput();
    if (!answered) {
        replace();
        return std::nullopt;
    }
    return answer;
}

bool SoundProcess::playable(SoundKind kind, int file) {
    Message probe;
    probe.kind = Probe;
    probe.sound = quint32(kind);
    const std::optional<Message> answer = converse(probe, {file}, {Probed});
    return answer && answer->ok == 1;
}

std::unique_ptr<PcmStream> SoundProcess::decode(SoundKind kind, int file, qint64 bytes) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return nullptr;
    UniqueFd reading(ends[0]);
    ::fcntl(reading.get(), F_SETFL, O_NONBLOCK);
    ::fcntl(reading.get(), F_SETPIPE_SZ, PipeBytes);
    Message play;
    play.kind = Play;
    play.sound = quint32(kind);
    std::optional<Message> answer;
    {
        const UniqueFd writing(ends[1]); // the process's own: the program keeps no copy
        answer = converse(play, {file, writing.get()}, {Playing, Failed});
    }
    if (!answer || answer->kind == Failed)
        return nullptr;
    const std::optional<qint64> frames = pcm::acceptedFrames(
        kind, bytes, {answer->encoding, answer->rate, answer->channels, answer->frames});
    if (!frames) {
        replace(); // a process that lies about what it sends is not asked again
        return nullptr;
    }
    return std::make_unique<PcmStream>(reading.release(), *frames, feeder_);
}
