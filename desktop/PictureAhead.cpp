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

PictureAhead::Prepared PictureAhead::decode(const QString& path, const ShownSizeFor& shownSize) {
    Prepared result;
    result.key = keyOf(path); // before reading: a change during the decode shows in the key
    result.picture = source_.decode(path, [&](QSize natural) {
        result.shown = shownSize ? shownSize(natural) : natural;
        return result.shown;
    });
    return result;
}

void PictureAhead::prepare(const QString& path, ShownSizeFor shownSize) {
    // A decode still running for an older preparation finishes unseen; one still queued is
    // dropped.
    pool_.clear();
    preparedPath_ = path;
    prepared_ = QtConcurrent::run(
        &pool_, [this, path, rule = std::move(shownSize)] { return decode(path, rule); });
}

DecodedPicture PictureAhead::take(const QString& path, const ShownSizeFor& shownSize) {
    if (preparedPath_ == path && prepared_.isValid()) {
        prepared_.waitForFinished();
        Prepared ready = prepared_.result();
        preparedPath_.clear();
        prepared_ = {};
        if (ready.key == keyOf(path)) {
            if (!ready.picture.ok())
                return {};
            const QSize shown =
                shownSize ? shownSize(ready.picture.naturalSize) : ready.picture.naturalSize;
            if (shown == ready.shown)
                return ready.picture;
        }
    }
    return source_.decode(path, shownSize);
}

void PictureAhead::cancel() {
    pool_.clear();
    preparedPath_.clear();
    prepared_ = {};
}
