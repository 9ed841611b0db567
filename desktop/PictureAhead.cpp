#include "desktop/PictureAhead.h"

#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

PictureAhead::PictureAhead(PictureSource& source) : source_(source) {
    // One picture ahead is enough, and the other core stays with the show.
    pool_.setMaxThreadCount(1);
}

PictureAhead::~PictureAhead() {
    cancel();
    pool_.waitForDone();
}

PictureAhead::FileKey PictureAhead::keyOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {path, -1, {}, {}};
    return {path, info.size(), info.lastModified(), info.metadataChangeTime()};
}

PictureAhead::Prepared PictureAhead::decode(const QString& path, const ShownSizeFor& shownSize,
                                            std::stop_token stop) {
    Prepared result;
    result.key = keyOf(path); // before reading: a change during the decode shows in the key
    result.picture = source_.decode(
        path,
        [&](QSize natural) {
            result.shown = shownSize ? shownSize(natural) : natural;
            return result.shown;
        },
        std::move(stop));
    return result;
}

void PictureAhead::start(const QString& path, ShownSizeFor shownSize, bool asked) {
    cancel();
    preparedPath_ = path;
    asked_ = asked;
    const quint64 generation = ++generation_;
    prepared_ = QtConcurrent::run(
        &pool_, [this, path, generation, rule = std::move(shownSize), stop = stop_.get_token()] {
            Prepared done = decode(path, rule, stop);
            QMetaObject::invokeMethod(
                &owner_,
                [this, generation] {
                    if (generation != generation_)
                        return;
                    // This news can come before the pool's thread has handed its result to the
                    // future; the decode is over, so this waits only for that hand-over.
                    prepared_.waitForFinished();
                    if (ready_)
                        ready_();
                },
                Qt::QueuedConnection);
            return done;
        });
}

void PictureAhead::prepare(const QString& path, ShownSizeFor shownSize) {
    start(path, std::move(shownSize), false);
}

std::optional<DecodedPicture> PictureAhead::matching(const Prepared& ready, const QString& path,
                                                     const ShownSizeFor& shownSize) const {
    if (asked_)
        return ready.picture; // decoded from the file as it was when it was asked for
    if (!(ready.key == keyOf(path)))
        return std::nullopt;
    if (!ready.picture.ok())
        return DecodedPicture{};
    const QSize shown =
        shownSize ? shownSize(ready.picture.naturalSize) : ready.picture.naturalSize;
    if (shown != ready.shown)
        return std::nullopt;
    return ready.picture;
}

std::optional<DecodedPicture> PictureAhead::takeReady(const QString& path,
                                                      const ShownSizeFor& shownSize) {
    if (preparedPath_ == path && prepared_.isValid()) {
        if (!prepared_.isFinished())
            return std::nullopt;
        const Prepared ready = prepared_.result();
        std::optional<DecodedPicture> taken = matching(ready, path, shownSize);
        ++generation_; // its news, perhaps still on its way, is old now
        preparedPath_.clear();
        prepared_ = {};
        if (taken)
            return taken;
    }
    start(path, shownSize, true);
    return std::nullopt;
}

void PictureAhead::cancel() {
    ++generation_;
    stop_.request_stop();
    stop_ = {};
    pool_.clear();
    preparedPath_.clear();
    prepared_ = {};
}
