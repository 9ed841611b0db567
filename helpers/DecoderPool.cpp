#include "helpers/DecoderPool.h"

#include "helpers/DecoderProcess.h"

#include "core/RegularFile.h"

#include <QFileInfo>

namespace {

// One helper for the decode ahead and one for the user-interface thread stay warm; a third
// caller at the same moment gets one that ends after its picture.
constexpr size_t MaxIdle = 2;

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

DecodedPicture DecoderPool::decode(const QString& path, const ShownSizeFor& shownSize) {
    const UniqueFd file(RegularFile(path).release());
    if (!file.valid())
        return {};
    const QString suffix = QFileInfo(path).suffix();
    const auto deadline = std::chrono::steady_clock::now() + options_.timeLimit;
    for (;;) {
        auto helper = acquire();
        if (!helper)
            return {};
        const bool warm = helper->hasServed();
        DecoderProcess::Answer answer = helper->decode(file.get(), suffix, shownSize, deadline);
        release(std::move(helper));
        // A helper that ended after earlier pictures may have ended for what they left behind
        // in it: the picture gets one more try in a fresh helper, within the same time.
        if (answer.outcome == DecoderProcess::Outcome::Ended && warm &&
            std::chrono::steady_clock::now() < deadline)
            continue;
        return std::move(answer.picture);
    }
}
