#include "sounddecoders/ConvertedSource.h"

namespace {
// A decoder that keeps handing over nothing without ending has ended all the same.
constexpr int MostEmptyPieces = 64;
} // namespace

qsizetype ConvertedSource::read(qint16* out, qsizetype frames) {
    qsizetype done = 0;
    int empty = 0;
    while (done < frames) {
        qint16* at = out + done * pcm::Channels;
        if (draining_) { // the frames of the format before a change come first
            done += draining_->take(at, frames - done);
            if (draining_->waiting() == 0)
                draining_.reset();
            continue;
        }
        if (ended_ || converter_->waiting() >= frames - done) {
            const qsizetype got = converter_->take(at, frames - done);
            if (got == 0)
                break; // ended, and all out
            done += got;
            continue;
        }
        QByteArray piece;
        if (!next(converter_->inputFor(frames - done), piece) || ++empty > MostEmptyPieces ||
            !converter_->put(piece.constData(), piece.size())) {
            ended_ = true;
            converter_->finish();
        } else if (!piece.isEmpty()) {
            empty = 0;
        }
    }
    return done;
}

void ConvertedSource::convertFrom(std::unique_ptr<ToDevice> converter) {
    converter_->finish();
    draining_ = std::move(converter_);
    converter_ = std::move(converter);
}
