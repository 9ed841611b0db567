#include "helpers/DecoderPool.h"

#include "helpers/DecoderProcess.h"
#include "helpers/TimeLimits.h"

#include "core/Log.h"
#include "core/RegularFile.h"

#include <fcntl.h>
#include <QFileInfo>
#include <sys/socket.h>

namespace {

// One helper for the show's decodes and one for the panel's preview stay warm; a third caller
// at the same moment gets one that ends after its picture.
constexpr size_t MaxIdle = 2;

const char* said(DecoderProcess::Outcome outcome) {
    using enum DecoderProcess::Outcome;
    switch (outcome) {
    case Decoded:
        return "decoded";
    case Refused:
        return "refused (no picture the program shows, or a damaged one)";
    case TooLarge:
        return "too large (a file beyond its kind's bound)";
    case Ended:
        return "broken (its helper ended: a crash or a limit)";
    case TimedOut:
        return "timed out";
    case Broken:
        return "broken (its helper answered out of turn or out of bounds)";
    }
    return "?";
}

// What a picture came to and how long it took: a failure (`outcome`) is a warning, a picture
// decoded (no outcome) is told only with debug on.
void logOutcome(const QString& path, const char* outcome,
                std::chrono::steady_clock::time_point started) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - started)
                        .count();
    if (outcome == nullptr)
        qCDebug(logDecode, "%s: decoded in %lld ms", qUtf8Printable(path), (long long)ms);
    else
        qCWarning(logDecode, "%s: not shown, %s, after %lld ms", qUtf8Printable(path), outcome,
                  (long long)ms);
}

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
            qCWarning(logDecode, "Quirello: the picture decoder %s cannot be started",
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
    const auto started = std::chrono::steady_clock::now();
    RegularFile opened(path);
    if (!opened.isOpen()) {
        logOutcome(path, "absent or not a regular file", started);
        return {};
    }
    const auto deadline = started + boundFor(opened);
    const UniqueFd file(opened.release());
    const QString suffix = QFileInfo(path).suffix();
    for (;;) {
        if (stop.stop_requested())
            return {};
        auto helper = acquire();
        if (!helper) {
            logOutcome(path, "no helper to decode it", started);
            return {};
        }
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
        const bool decoded = answer.outcome == DecoderProcess::Outcome::Decoded;
        logOutcome(path, decoded ? nullptr : said(answer.outcome), started);
        return std::move(answer.picture);
    }
}
