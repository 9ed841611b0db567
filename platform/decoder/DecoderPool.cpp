#include "platform/decoder/DecoderPool.h"

#include "platform/decoder/DecoderProcess.h"
#include "platform/decoder/TimeLimits.h"

#include "core/RegularFile.h"

#include <fcntl.h>
#include <QFileInfo>
#include <sys/socket.h>

namespace {

// One helper for the show's decodes and one for the panel's preview stay warm; a third caller
// at the same moment gets one that ends after its picture.
constexpr size_t MaxIdle = 2;

// The helper's answer, or its end as soon as a stop is asked for: the stop shuts the helper's
// socket, which wakes the wait for its answer. It shuts its own descriptor of the socket, so that
// it never touches one the helper's side has closed meanwhile.
DecoderProcess::Answer answerOrStop(DecoderProcess& helper, int file, const QString& suffix,
                                    const ShownSizeFor& shownSize, decoderwire::Deadline deadline,
                                    const std::stop_token& stop) {
    if (!stop.stop_possible())
        return helper.decode(file, suffix, shownSize, deadline);
    const UniqueFd wake(::fcntl(helper.socket(), F_DUPFD_CLOEXEC, 0));
    const std::stop_callback stopping(stop, [&wake] { ::shutdown(wake.get(), SHUT_RDWR); });
    return helper.decode(file, suffix, shownSize, deadline);
}

} // namespace

DecoderPool::DecoderPool(Options options) : options_(std::move(options)) {}

DecoderPool::~DecoderPool() = default;

std::unique_ptr<DecoderProcess> DecoderPool::acquire() {
    {
        std::lock_guard lock(mutex_);
        if (!idle_.empty()) {
            auto helper = std::move(idle_.back());
            idle_.pop_back();
            return helper;
        }
    }
    auto helper = DecoderProcess::start(options_.program);
    if (!helper) {
        std::lock_guard lock(mutex_);
        if (!startFailureReported_)
            qWarning("Quirello: the picture decoder %s cannot be started",
                     qUtf8Printable(options_.program));
        startFailureReported_ = true;
    }
    return helper;
}

void DecoderPool::release(std::unique_ptr<DecoderProcess> helper) {
    std::lock_guard lock(mutex_);
    if (helper->usable() && idle_.size() < MaxIdle)
        idle_.push_back(std::move(helper));
    // Otherwise it ends here.
}

std::chrono::milliseconds DecoderPool::boundFor(RegularFile& file) const {
    if (options_.timeLimit)
        return *options_.timeLimit;
    const timelimits::PictureFacts facts{
        file.size(), timelimits::headerSize(file.head(timelimits::HeaderBytes))};
    return timelimits::wallClockBound(facts, timelimits::loadPerCore());
}

DecodedPicture DecoderPool::decode(const QString& path, const ShownSizeFor& shownSize,
                                   std::stop_token stop) {
    // Counted from the open, the program's own read of the header included, and never moved:
    // nothing the helper says buys it more time.
    const auto start = std::chrono::steady_clock::now();
    RegularFile opened(path);
    if (!opened.isOpen())
        return {};
    const auto deadline = start + boundFor(opened);
    const UniqueFd file(opened.release());
    const QString suffix = QFileInfo(path).suffix();
    for (;;) {
        if (stop.stop_requested())
            return {};
        auto helper = acquire();
        if (!helper)
            return {};
        const bool warm = helper->hasServed();
        DecoderProcess::Answer answer =
            answerOrStop(*helper, file.get(), suffix, shownSize, deadline, stop);
        if (stop.stop_requested())
            return {}; // the helper ends here, its socket shut
        release(std::move(helper));
        // A helper that ended after earlier pictures may have ended for what they left behind
        // in it: the picture gets one more try in a fresh helper, within the same time.
        if (answer.outcome == DecoderProcess::Outcome::Ended && warm &&
            std::chrono::steady_clock::now() < deadline)
            continue;
        return std::move(answer.picture);
    }
}
