#include "sounddecoders/WaveSource.h"

#include "sounddecoders/ConvertedSource.h"
#include "sounddecoders/WaveConvert.h"
#include "sounddecoders/WaveHeader.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The chunks before the samples (format, and at most some tags) lie within this.
constexpr qint64 HeaderBytes = qint64(256) * 1024;
// The highest sample rate a recorder writes; far beyond it, SDL's resampler miscounts its own
// buffers.
constexpr quint32 MostRate = 768000;
// Input read at once: a second of stereo 32-bit samples at 48 kHz.
constexpr qint64 MostPieceBytes = qint64(384) * 1024;

QByteArray readAt(int fd, qint64 offset, qint64 length) {
    QByteArray bytes(length, Qt::Uninitialized);
    qint64 done = 0;
    while (done < length) {
        const ssize_t n =
            ::pread(fd, bytes.data() + done, size_t(length - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    bytes.truncate(done);
    return bytes;
}

SDL_AudioFormat sdlFormat(const SampleLayout& layout) {
    using Encoding = SampleLayout::Encoding;
    switch (layout.encoding) {
    case Encoding::Signed16:
        return layout.bigEndian ? AUDIO_S16MSB : AUDIO_S16LSB;
    case Encoding::Signed32:
        return layout.bigEndian ? AUDIO_S32MSB : AUDIO_S32LSB;
    case Encoding::Float32:
        return layout.bigEndian ? AUDIO_F32MSB : AUDIO_F32LSB;
    }
    return 0;
}

// PCM and floating-point samples, read from the file as they are played.
class StreamedWave final : public ConvertedSource {
public:
    StreamedWave(int fd, const WaveHeader& header, const SampleLayout& layout)
        : ConvertedSource(std::make_unique<ToDevice>(sdlFormat(layout), header.channels,
                                                     int(header.sampleRate))),
          fd_(::fcntl(fd, F_DUPFD_CLOEXEC, 0)), layout_(layout),
          frameBytes_(qint64(header.channels) * layout.fileBytes), at_(header.dataOffset),
          end_(header.dataOffset + header.dataLength - header.dataLength % frameBytes_),
          frames_(std::min(converter().mostOutputOf(header.dataLength / frameBytes_),
                           pcm::LongestComment)) {}
    ~StreamedWave() override {
        if (fd_ >= 0)
            ::close(fd_);
    }
    StreamedWave(const StreamedWave&) = delete;
    StreamedWave& operator=(const StreamedWave&) = delete;

    bool usable() const { return fd_ >= 0 && converter().valid(); }
    pcm::Declared declared() const override { return deviceFormat(frames_); }

protected:
    bool next(qint64 inputFrames, QByteArray& piece) override {
        const qint64 bytes = std::min(
            {inputFrames * frameBytes_, MostPieceBytes / frameBytes_ * frameBytes_, end_ - at_});
        if (bytes <= 0)
            return false;
        const QByteArray raw = readAt(fd_, at_, bytes);
        at_ += raw.size();
        if (raw.size() < frameBytes_)
            return false; // the file was cut while it played
        piece = handedOn(layout_, QByteArrayView(raw).first(raw.size() - raw.size() % frameBytes_));
        return true;
    }

private:
    int fd_;
    SampleLayout layout_;
    qint64 frameBytes_;
    qint64 at_;
    qint64 end_;
    qint64 frames_;
};

// Compressed samples, decoded whole by SDL's loader, then converted a piece at a time.
class LoadedWave final : public ConvertedSource {
public:
    LoadedWave(const SDL_AudioSpec& spec, Uint8* samples, Uint32 bytes)
        : ConvertedSource(std::make_unique<ToDevice>(spec.format, spec.channels, spec.freq)),
          samples_(samples), bytes_(bytes),
          frameBytes_(qint64(SDL_AUDIO_BITSIZE(spec.format) / 8) * std::max<int>(spec.channels, 1)),
          frames_(std::min(converter().mostOutputOf(bytes / std::max<qint64>(frameBytes_, 1)),
                           pcm::LongestComment)) {}
    ~LoadedWave() override { SDL_FreeWAV(samples_); }
    LoadedWave(const LoadedWave&) = delete;
    LoadedWave& operator=(const LoadedWave&) = delete;

    bool usable() const { return converter().valid() && frameBytes_ > 0; }
    pcm::Declared declared() const override { return deviceFormat(frames_); }

protected:
    bool next(qint64 inputFrames, QByteArray& piece) override {
        const qint64 bytes =
            std::min({inputFrames * frameBytes_, MostPieceBytes / frameBytes_ * frameBytes_,
                      qint64(bytes_) - at_});
        if (bytes <= 0)
            return false;
        piece = QByteArray(reinterpret_cast<const char*>(samples_) + at_, bytes);
        at_ += bytes;
        return true;
    }

private:
    Uint8* samples_;
    Uint32 bytes_;
    qint64 frameBytes_;
    qint64 frames_;
    qint64 at_ = 0;
};

std::unique_ptr<PcmSource> loaded(int fd) {
    // SDL reads the file through a stream of its own, on a copy of the descriptor.
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    FILE* stream = copy >= 0 ? ::fdopen(copy, "rb") : nullptr;
    if (stream == nullptr) {
        if (copy >= 0)
            ::close(copy);
        return nullptr;
    }
    std::rewind(stream);
    SDL_RWops* source = SDL_RWFromFP(stream, SDL_TRUE);
    if (source == nullptr) {
        std::fclose(stream);
        return nullptr;
    }
    SDL_AudioSpec spec{};
    Uint8* samples = nullptr;
    Uint32 bytes = 0;
    if (SDL_LoadWAV_RW(source, 1, &spec, &samples, &bytes) == nullptr)
        return nullptr;
    auto wave = std::make_unique<LoadedWave>(spec, samples, bytes);
    return wave->usable() ? std::move(wave) : nullptr;
}

} // namespace

std::unique_ptr<PcmSource> openWave(int file) {
    struct stat info {};
    if (::fstat(file, &info) != 0 || !S_ISREG(info.st_mode))
        return nullptr;
    const std::optional<WaveHeader> header =
        readWaveHeader(readAt(file, 0, std::min<qint64>(HeaderBytes, info.st_size)), info.st_size);
    if (!header || header->sampleRate > MostRate ||
        convertedBytes(*header, pcm::Rate, pcm::Channels) > pcm::LongestComment * pcm::FrameBytes)
        return nullptr;
    if (const std::optional<SampleLayout> layout = sampleLayout(*header)) {
        auto wave = std::make_unique<StreamedWave>(file, *header, *layout);
        return wave->usable() ? std::move(wave) : nullptr;
    }
    // SDL's loader reads little-endian files only.
    return header->bigEndian ? nullptr : loaded(file);
}
