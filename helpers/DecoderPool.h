#pragma once

#include "pictures/PictureSource.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <QString>
#include <vector>

class DecoderProcess;
class RegularFile;

// Decodes pictures in helper processes of the program's own (the decoder program beside it),
// so that a hostile file can crash, hang or exhaust only a helper, never the program: the
// picture is then simply not decodable.
//
// Helpers are started on first use and kept for the next picture. Each caller gets a helper of
// its own while it decodes, so a decode ahead on a worker never holds up the user-interface
// thread's own decode. A helper that has not answered within the picture's wall-clock bound
// (timelimits::wallClockBound, set before the helper sees the file) is killed, and so is one
// whose caller stopped asking; the next picture gets a fresh one.
class DecoderPool : public PictureSource {
public:
    struct Options {
        QString program; // the decoder program to start
        // One bound for every picture, from open to pixels, instead of each picture's own.
        std::optional<std::chrono::milliseconds> timeLimit{};
    };
    explicit DecoderPool(Options options);
    ~DecoderPool() override; // ends the idle helpers
    DecoderPool(const DecoderPool&) = delete;
    DecoderPool& operator=(const DecoderPool&) = delete;

    DecodedPicture decode(const QString& path, const ShownSizeFor& shownSize,
                          std::stop_token stop = {}) override;

private:
    std::unique_ptr<DecoderProcess> acquire();
    void release(std::unique_ptr<DecoderProcess> helper);
    // How long the picture in `file` may take (reads its first bytes).
    std::chrono::milliseconds boundFor(RegularFile& file) const;

    const Options options_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<DecoderProcess>> idle_;
    bool startFailureReported_ = false;
};
