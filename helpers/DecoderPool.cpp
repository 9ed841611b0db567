#include "helpers/DecoderPool.h"

#include "helpers/DecoderProcess.h"

#include "core/Log.h"
#include "core/RegularFile.h"

#include <QFileInfo>

namespace {

// One helper for the decode ahead and one for the user-interface thread stay warm; a third
// caller at the same moment gets one that ends after its picture.
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

DecodedPicture DecoderPool::decode(const QString& path, const ShownSizeFor& shownSize) {
    const auto started = std::chrono::steady_clock::now();
    const UniqueFd file(RegularFile(path).release());
    if (!file.valid()) {
        logOutcome(path, "absent or not a regular file", started);
        return {};
    }
    const QString suffix = QFileInfo(path).suffix();
    const auto deadline = std::chrono::steady_clock::now() + options_.timeLimit;
    for (;;) {
        auto helper = acquire();
        if (!helper) {
            logOutcome(path, "no helper to decode it", started);
            return {};
        }
        const bool warm = helper->hasServed();
        DecoderProcess::Answer answer = helper->decode(file.get(), suffix, shownSize, deadline);
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
