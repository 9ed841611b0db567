#include "sounddecoders/Mp3Source.h"

#include "sounddecoders/ConvertedSource.h"

#include <mpg123.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Decoded at once: a few frames' worth of 16-bit samples.
constexpr size_t PieceBytes = 16384;

class Mp3 final : public ConvertedSource {
public:
    Mp3(mpg123_handle* decoder, int fd, long rate, int channels)
        : ConvertedSource(std::make_unique<ToDevice>(AUDIO_S16SYS, channels, int(rate))),
          decoder_(decoder), fd_(fd) {}
    ~Mp3() override {
        mpg123_close(decoder_);
        mpg123_delete(decoder_);
        ::close(fd_);
    }
    Mp3(const Mp3&) = delete;
    Mp3& operator=(const Mp3&) = delete;

    bool usable() const { return converter().valid(); }
    // Its length is known only once it is decoded.
    pcm::Declared declared() const override { return deviceFormat(0); }

protected:
    bool next(qint64, QByteArray& piece) override {
        piece.resize(PieceBytes);
        size_t done = 0;
        const int result = mpg123_read(decoder_, reinterpret_cast<unsigned char*>(piece.data()),
                                       PieceBytes, &done);
        piece.truncate(qsizetype(done));
        if (result == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0;
            int encoding = 0;
            if (mpg123_getformat(decoder_, &rate, &channels, &encoding) != MPG123_OK)
                return false;
            convertFrom(std::make_unique<ToDevice>(AUDIO_S16SYS, channels, int(rate)));
            return true;
        }
        // A damaged frame is skipped by the decoder itself; anything else ends the music.
        return result == MPG123_OK || (result == MPG123_DONE && done > 0);
    }

private:
    mpg123_handle* decoder_;
    int fd_;
};

mpg123_handle* newDecoder() {
    mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
    if (decoder == nullptr)
        return nullptr;
    mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    // Signed 16-bit samples at the file's own rate and channels: SDL converts them.
    mpg123_format_none(decoder);
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    return decoder;
}

} // namespace

std::unique_ptr<PcmSource> openMp3(int file) {
    const int fd = ::fcntl(file, F_DUPFD_CLOEXEC, 0);
    mpg123_handle* decoder = fd >= 0 ? newDecoder() : nullptr;
    if (decoder == nullptr) {
        if (fd >= 0)
            ::close(fd);
        return nullptr;
    }
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (::lseek(fd, 0, SEEK_SET) != 0 || mpg123_open_fd(decoder, fd) != MPG123_OK ||
        mpg123_getformat(decoder, &rate, &channels, &encoding) != MPG123_OK) {
        mpg123_delete(decoder);
        ::close(fd);
        return nullptr;
    }
    auto music = std::make_unique<Mp3>(decoder, fd, rate, channels);
    return music->usable() ? std::move(music) : nullptr;
}
