#include "audio/PcmStream.h"

#include "audio/PcmFormat.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

PcmStream::PcmStream(int pipe, qint64 frames, std::shared_ptr<PcmFeeder> feeder)
    : pipe_(pipe), left_(frames), feeder_(std::move(feeder)),
      bytes_(size_t(pcm::BufferFrames) * pcm::FrameBytes) {}

PcmStream::~PcmStream() {
    if (pipe_ >= 0)
        ::close(pipe_);
}

void PcmStream::giveUp(End why) {
    end_ = why;
    feeder_->giveUp();
}

PcmStream::Mixed PcmStream::mixInto(qint16* out, int frames) {
    if (end_ != End::Playing || frames <= 0)
        return {};
    const qsizetype wanted = qsizetype(frames) * pcm::FrameBytes;
    if (bytes_.size() < size_t(wanted))
        bytes_.resize(size_t(wanted));
    qsizetype got = carried_;
    bool ended = false;
    while (got < wanted) {
        const ssize_t n = ::read(pipe_, bytes_.data() + got, size_t(wanted - got));
        if (n > 0)
            got += n;
        else if (n < 0 && errno == EINTR)
            continue;
        else {
            ended = n == 0;
            break; // nothing more now (EAGAIN), or the end
        }
    }
    qint64 whole = got / pcm::FrameBytes;
    const bool overlong = whole > left_;
    whole = std::min(whole, left_);
    left_ -= whole;
    const auto* samples = reinterpret_cast<const qint16*>(bytes_.data());
    for (qint64 i = 0; i < whole * pcm::Channels; ++i)
        out[i] = qint16(std::clamp(int(out[i]) + int(samples[i]), -32768, 32767));
    if (overlong) {
        giveUp(End::Overlong);
        return {whole, false};
    }
    carried_ = got - whole * pcm::FrameBytes;
    std::memmove(bytes_.data(), bytes_.data() + whole * pcm::FrameBytes, size_t(carried_));
    if (ended)
        end_ = End::Ended;
    return {whole, !ended};
}
